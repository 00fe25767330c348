// Figures allowed but seldom meant: which raise a question, what it says, and what "Keep it"
// and "Change it" do in an editor. The loan as a share of the price, the interest-only years
// in "Loan Type", and the Assumptions pages working on one copy.
#include <QLineEdit>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/EditorForm.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/Plausibility.h"

namespace {

enum class Check { Rate, Growth, Rent, Deposit };

struct DoubtCase {
    Check check;
    double a, b; // the figure; for the rent a week's rent and the price, for the deposit the cost
    const char* message; // "" when the figure raises no doubt
};

Doubts DoubtsOf(const DoubtCase& c) {
    Doubts d;
    switch (c.check) {
    case Check::Rate: DoubtInterestRate(d, 7, c.a); break;
    case Check::Growth: DoubtGrowth(d, 7, c.a); break;
    case Check::Rent: DoubtRent(d, 7, c.a, 52, c.b); break;
    case Check::Deposit: DoubtDeposit(d, 7, c.a, c.b); break;
    }
    return d;
}

} // namespace

TEST(Plausibility, WhichFiguresRaiseAQuestion) {
    const DoubtCase cases[] = {
        {Check::Rate, 20.0, 0, ""},
        {Check::Rate, 20.5, 0, "The interest rate, 20.50% a year, is above 20.00%."},
        {Check::Rate, NoValue, 0, ""},
        {Check::Growth, 15.0, 0, ""},
        {Check::Growth, 15.25, 0, "Growth of 15.25% a year is above 15.00%."},
        {Check::Growth, -10.0, 0, ""},
        {Check::Growth, -12.0, 0, "Growth of -12.00% a year is below -10.00%."},
        // $600 a week on $750,000: $31,200 a year, 4.16 %.
        {Check::Rent, 600, 750000, ""},
        // $140 a week: $7,280 a year, 0.97 % of the price.
        {Check::Rent, 140, 750000, "The rent, $7,280 a year, is under 1.00% of the price ($750,000)."},
        // $3,000 a week: $156,000 a year, 20.8 %.
        {Check::Rent, 3000, 750000, "The rent, $156,000 a year, is over 20.00% of the price ($750,000)."},
        {Check::Rent, 3000, 0, ""}, // no price, nothing to compare with
        {Check::Deposit, 780000, 780000, ""},
        {Check::Deposit, 1200000, 780000, "The deposit, $1,200,000, is more than the cost, $780,000."},
    };
    for (const DoubtCase& c : cases) {
        const Doubts d = DoubtsOf(c);
        if (*c.message == '\0') {
            EXPECT_TRUE(d.empty()) << c.a;
        } else {
            ASSERT_EQ(d.size(), 1u) << c.a;
            EXPECT_EQ(d[0].control, 7);
            EXPECT_EQ(d[0].message, c.message);
        }
    }
    EXPECT_EQ(DoubtsQuestion({{1, "A."}, {2, "B."}}), "A.\n\nB.\n\nKeep it, or change it?");
}

// Loan $600,000 on a price of $750,000 (80 %), total cost $780,000, deposit $180,000.
TEST(LoanAmountLogic, TheLoanAsAShareOfThePrice) {
    struct {
        const char* typed;  // share typed
        double loan, deposit, additional;
    } const cases[] = {
        {"90", 675000, 105000, 0},  // $75,000 more borrowed comes off the deposit
        {"70", 525000, 255000, 0},  // $75,000 less: back into the deposit
        {"125", 937500, 0, 157500}, // more than the deposit: the rest is an additional loan
    };
    for (const auto& c : cases) {
        LoanAmountLogic ed;
        ed.price = 750000;
        ed.totalCost = 780000;
        ed.cashDeposit = 180000;
        ed.loanAmount = 600000;
        FakePort port;
        ed.Open(port);
        EXPECT_EQ(port.Text(LoanAmountLogic::kShareOfPrice), "80.00%");
        port.Type(LoanAmountLogic::kShareOfPrice, c.typed);
        ed.Ok(port);
        EXPECT_DOUBLE_EQ(ed.loanAmount, c.loan) << c.typed;
        EXPECT_DOUBLE_EQ(ed.cashDeposit, c.deposit) << c.typed;
        EXPECT_DOUBLE_EQ(ed.additionalLoan, c.additional) << c.typed;
        EXPECT_TRUE(ed.Doubtful().empty());
    }
}

// $600,000 at 6.2 %, principal and interest over 30 years after 5 interest only: $3,100 a
// month, then the annuity of 25 years, $3,939.49.
TEST(LoanTypeLogic, InterestOnlyYearsThenPrincipalAndInterest) {
    LoanTypeLogic ed;
    ed.loanAmount = 600000;
    ed.interestRate = 6.2;
    ed.loanType = LoanTypeLogic::kTypePrincipalInterest;
    ed.term = 30;
    FakePort port;
    ed.Open(port);
    EXPECT_FALSE(port.Shown(LoanTypeLogic::kRepaymentAfter));
    EXPECT_NEAR(ed.repayment, 3674.81, 0.005);
    port.Type(LoanTypeLogic::kInterestOnlyYears, "5");
    ed.LeaveEdit(port, LoanTypeLogic::kInterestOnlyYears);
    EXPECT_EQ(ed.interestOnlyYears, 5);
    EXPECT_NEAR(ed.repayment, 3100.0, 1e-9);
    EXPECT_NEAR(ed.repaymentAfter, 3939.49, 0.005);
    EXPECT_TRUE(port.Shown(LoanTypeLogic::kRepaymentAfter));
    EXPECT_EQ(port.Text(LoanTypeLogic::kRepaymentAfterLabel), "Repayment/month from year 6:");
    port.Type(LoanTypeLogic::kInterestRate, "21");
    ed.Ok(port);
    ASSERT_EQ(ed.Doubtful().size(), 1u);
    EXPECT_EQ(ed.Doubtful()[0].control, LoanTypeLogic::kInterestRate);
}

// A rent growth typed on the page "Rent and Expenses" is in the figures of the page "Loan".
TEST(AssumptionPages, EveryPageWorksWithWhatWasTypedOnTheOthers) {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    NewInvestment(doc, scales, store);
    doc.Price = doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.Recalculate(scales);
    RentAssumptions rent(doc, scales);
    LoanAssumptions loan(doc, scales);
    rent.ShareWith({&rent, &loan});
    loan.ShareWith({&rent, &loan});
    FakePort rentPort, loanPort;
    rent.Open(rentPort);
    rentPort.checks[RentAssumptions::kFollowsInflation] = 0;
    rent.Click(rentPort, RentAssumptions::kFollowsInflation);
    rentPort.Type(RentAssumptions::kRentGrowth, "7");
    rent.LeaveEdit(rentPort, RentAssumptions::kRentGrowth);
    loan.Open(loanPort);
    // The same investment worked out by hand with the rent growing 7 % a year.
    Investment expected = doc;
    expected.RentFollowsInflation = 0;
    expected.RateRentGrowth = 7;
    expected.Recalculate(scales);
    EXPECT_EQ(loan.Worked().RateRentGrowth, 7);
    EXPECT_EQ(loan.Worked().IRR, expected.IRR);
    EXPECT_NE(expected.IRR, doc.IRR);
}

namespace {

struct DoubtFlow : ::testing::Test {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    QStringList asked;
    bool keep = false;
    DoubtAsker before;

    void SetUp() override {
        NewInvestment(doc, scales, store);
        doc.Price = doc.MarketValue = 300000;
        doc.Rent = 350;
        doc.Recalculate(scales);
        before = SetDoubtAsker([this](QWidget*, const QString& q) {
            asked << q;
            return keep;
        });
    }
    void TearDown() override { SetDoubtAsker(before); }
};

} // namespace

// "Change it" goes back to the editor with the rate focused; a likely rate then passes
// without a question. "Keep it" takes the figure.
TEST_F(DoubtFlow, ChangeItReturnsToTheFieldKeepItAccepts) {
    for (bool keepIt : {false, true}) {
        asked.clear();
        keep = keepIt;
        OnNextDialog([&](QDialog& d) {
            QLineEdit* rate = ControlOf<QLineEdit>(d, LoanTypeLogic::kInterestRate);
            Retype(rate, QStringLiteral("25"));
            OkButton(d)->click();
            EXPECT_EQ(d.isVisible(), !keepIt);
            if (keepIt) return;
            EXPECT_EQ(QApplication::focusWidget(), rate);
            EXPECT_EQ(rate->selectedText(), QStringLiteral("25.00%"));
            Retype(rate, QStringLiteral("6.2"));
            OkButton(d)->click();
        });
        EditItem(doc, scales, store, ItemLoanType, nullptr);
        EXPECT_EQ(asked, QStringList{QStringLiteral("The interest rate, 25.00% a year, is above "
                                                    "20.00%.\n\nKeep it, or change it?")});
        EXPECT_EQ(doc.RateInterest, keepIt ? 25.0 : 6.2);
    }
}
