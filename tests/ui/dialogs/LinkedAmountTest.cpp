// The linked-amount rules shared by "Cash Deposit", "Rental Expenses", "Loan Costs" and the
// depreciation pages.
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/LinkedAmount.h"

namespace {

enum { kAmount = 1, kPercent, kLink };

struct Linked : ::testing::Test {
    LinkedAmount linked{{kAmount, kPercent, kLink}, ShareRule::WithFloor};
    FakePort port;
    static constexpr double kBase = 200000.0;

    // The dialog as it stands after a refresh.
    void Shown() { linked.Show(port); }
};

} // namespace

TEST(LinkedShare, FloorAndGuard) {
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithFloor, 5000, 200000), 2.5);
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithGuard, 5000, 200000), 2.5);
    // A base below 1 counts as 1 ...
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithFloor, 30, 0.5), 3000.0);
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithFloor, 30, 0.0), 3000.0);
    // ... or gives 0 below 0.001.
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithGuard, 30, 0.5), 6000.0);
    EXPECT_DOUBLE_EQ(LinkedAmount::Share(ShareRule::WithGuard, 30, 0.0009), 0.0);
}

TEST_F(Linked, OpeningUnlinkedWorksOutTheShareAndHidesThePercentage) {
    linked.amount = 20000;
    linked.percent = 5;
    linked.link = 1;
    linked.Open(kBase);
    EXPECT_TRUE(linked.percentShown);
    EXPECT_EQ(linked.percent, 5.0);

    linked.link = 0;
    linked.Open(kBase);
    EXPECT_FALSE(linked.percentShown);
    EXPECT_DOUBLE_EQ(linked.percent, 10.0);
    Shown();
    EXPECT_FALSE(port.Shown(kPercent));
    EXPECT_EQ(port.Text(kAmount), "20,000");
    EXPECT_EQ(port.Text(kPercent), "10.00%");
    EXPECT_EQ(port.GetCheckState(kLink), 0);

    linked.percent = 7;
    linked.OpenKeepingPercent(); // the depreciation pages
    EXPECT_TRUE(linked.percentShown);
    EXPECT_EQ(linked.percent, 7.0);
}

TEST_F(Linked, CheckBoxLinksAndUnlinks) {
    linked.amount = 1234;
    linked.percent = 5;
    linked.link = 0;
    linked.percentShown = false;
    Shown();
    port.PutCheckState(kLink, 1);
    linked.CheckClicked(port, kBase);
    EXPECT_EQ(linked.link, 1);
    EXPECT_DOUBLE_EQ(linked.amount, 10000.0);
    EXPECT_TRUE(linked.percentShown);

    port.PutCheckState(kLink, 0);
    linked.CheckClicked(port, kBase);
    EXPECT_EQ(linked.link, 0);
    EXPECT_DOUBLE_EQ(linked.amount, 10000.0);
    EXPECT_FALSE(linked.percentShown);
}

TEST_F(Linked, LeavingTheAmount) {
    linked.amount = 10000.4; // shown as 10,000
    linked.percent = 5;
    linked.link = 1;
    Shown();
    linked.LeftAmount(port, kBase); // untouched: stays linked, full precision
    EXPECT_EQ(linked.link, 1);
    EXPECT_TRUE(linked.percentShown);
    EXPECT_DOUBLE_EQ(linked.amount, 10000.4);

    port.Type(kAmount, "30000");
    linked.LeftAmount(port, kBase);
    EXPECT_EQ(linked.link, 0);
    EXPECT_FALSE(linked.percentShown);
    EXPECT_DOUBLE_EQ(linked.percent, 15.0);
}

TEST_F(Linked, LeavingThePercentageSetsTheAmountWhateverTheLink) {
    linked.amount = 30000;
    linked.percent = 15;
    linked.link = 0;
    Shown();
    linked.LeftPercent(port, kBase);
    EXPECT_DOUBLE_EQ(linked.amount, 30000.0);

    port.Type(kPercent, "2.5%");
    linked.LeftPercent(port, kBase);
    EXPECT_DOUBLE_EQ(linked.amount, 5000.0);
    EXPECT_EQ(linked.link, 0);
}

TEST_F(Linked, OkWithBothEditedTheAmountFollowsThePercentage) {
    linked.amount = 10000;
    linked.percent = 5;
    linked.link = 0;
    Shown();
    port.Type(kAmount, "12000");
    port.Type(kPercent, "8");
    linked.Ok(port, kBase);
    EXPECT_EQ(linked.link, 1);
    EXPECT_DOUBLE_EQ(linked.amount, 16000.0);
    EXPECT_DOUBLE_EQ(linked.percent, 8.0);
}

TEST_F(Linked, OkTakesTheBoxAndUnlinksATypedAmount) {
    linked.amount = 10000;
    linked.percent = 5;
    linked.link = 1;
    Shown();
    port.Type(kAmount, "12000");
    linked.Ok(port, kBase);
    EXPECT_EQ(linked.link, 0);
    EXPECT_DOUBLE_EQ(linked.amount, 12000.0);
    EXPECT_DOUBLE_EQ(linked.percent, 5.0); // not worked out again on OK

    // An amount typed as exactly the linked value keeps the link; an untouched form keeps all.
    linked.amount = 9000;
    linked.link = 1;
    Shown();
    port.Type(kAmount, "10000");
    linked.Ok(port, kBase);
    EXPECT_EQ(linked.link, 1);
    EXPECT_DOUBLE_EQ(linked.amount, 10000.0);

    Shown();
    port.PutCheckState(kLink, 0);
    linked.Ok(port, kBase);
    EXPECT_EQ(linked.link, 0);
    EXPECT_DOUBLE_EQ(linked.amount, 10000.0);
}

// An editor forwards every leave and click; only this amount's own controls are taken. Base
// 200,000, at first 10,000 unlinked with 4 % in the edit: 30,000 typed is 15 %, 2.5 % typed is
// 5,000, the box ticked makes 4 % of the base, 8,000.
TEST_F(Linked, ForwardedEventsTakeOnlyItsOwnControls) {
    enum Event { kLeave, kClick };
    struct Case {
        Event event;
        int id;
        const char* typedAmount; // nullptr: untouched
        const char* typedPercent;
        bool handled;
        double amount, percent;
        int link;
    };
    const Case cases[] = {
        {kLeave, kAmount, "30000", nullptr, true, 30000, 15, 0},
        {kLeave, kPercent, nullptr, "2.5%", true, 5000, 2.5, 0},
        {kLeave, kLink, "30000", "2.5%", false, 10000, 4, 0},
        {kLeave, 99, "30000", nullptr, false, 10000, 4, 0},
        {kClick, kLink, nullptr, nullptr, true, 8000, 4, 1},
        {kClick, kAmount, "30000", nullptr, false, 10000, 4, 0},
        {kClick, 99, nullptr, nullptr, false, 10000, 4, 0},
    };
    for (const Case& c : cases) {
        linked.amount = 10000;
        linked.percent = 4;
        linked.link = 0;
        Shown();
        if (c.typedAmount) port.Type(kAmount, c.typedAmount);
        if (c.typedPercent) port.Type(kPercent, c.typedPercent);
        port.PutCheckState(kLink, 1); // a click on the box ticks it
        const bool handled = c.event == kLeave ? linked.LeftEdit(port, c.id, kBase)
                                               : linked.Clicked(port, c.id, kBase);
        SCOPED_TRACE(::testing::Message() << "event " << c.event << " on " << c.id);
        EXPECT_EQ(handled, c.handled);
        EXPECT_DOUBLE_EQ(linked.amount, c.amount);
        EXPECT_DOUBLE_EQ(linked.percent, c.percent);
        EXPECT_EQ(linked.link, c.link);
    }
}
