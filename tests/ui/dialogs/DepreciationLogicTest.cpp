// The rules of the depreciation pages, driven without widgets.
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/DepreciationEditors.h"

namespace {

using C = DepreciationPageLogic;

// Building page of the worked example: cost 300,000, 50 % linked, 2.5 % straight line.
struct DepPageLogic : ::testing::Test {
    BuildingDepreciationLogic page;
    FakePort port;

    void OpenWith(double cost, double value, double percent, int link, double rate = 2.5,
                  int method = C::kStraightLine) {
        page.propertyCost = cost;
        page.linkBase = cost;
        page.value.amount = value;
        page.value.percent = percent;
        page.value.link = link;
        page.rate = rate;
        page.method = method;
        page.Open(port);
    }
};

} // namespace

// Unlike the other linked amounts, the page keeps the stored percentage on opening.
TEST_F(DepPageLogic, UnlinkedPageOpensWithTheStoredPercentage) {
    OpenWith(300000, 90000, 50, 0);
    EXPECT_TRUE(port.Shown(C::kPercentOfCost));
    EXPECT_EQ(port.Text(C::kPercentOfCost), "50.00%");
    EXPECT_EQ(page.value.percent, 50);
    // Leaving the value, even untouched, hides the percentage and shows the value's share.
    page.LeaveEdit(port, C::kDepreciableValue);
    EXPECT_FALSE(port.Shown(C::kPercentOfCost));
    EXPECT_EQ(page.value.percent, 30);
    EXPECT_EQ(page.value.link, 0);
}

TEST_F(DepPageLogic, ShareWithGuardOfACostBelowATenthOfACent) {
    OpenWith(0.0005, 5000, 50, 0);
    page.LeaveEdit(port, C::kDepreciableValue);
    EXPECT_EQ(page.value.percent, 0);
    EXPECT_EQ(port.Text(C::kPercentOfCost), "0.00%");
}

TEST_F(DepPageLogic, NewPercentageWhileUnlinked) {
    // Recalculate leaves the percentage field first: the value follows, the link stays off.
    OpenWith(300000, 90000, 50, 0);
    port.Type(C::kPercentOfCost, "40");
    page.LeaveEdit(port, C::kPercentOfCost);
    page.Recalculate(port);
    EXPECT_EQ(page.value.amount, 120000);
    EXPECT_EQ(page.value.link, 0);

    // OK with the new percentage still pending sets the value and links it.
    FittingsDepreciationLogic fittings;
    FakePort p;
    fittings.propertyCost = 300000;
    fittings.linkBase = 300000;
    fittings.value.amount = 90000;
    fittings.value.percent = 50;
    fittings.Open(p);
    p.Type(C::kPercentOfCost, "40");
    fittings.Ok(p);
    EXPECT_EQ(fittings.value.amount, 120000);
    EXPECT_EQ(fittings.value.link, 1);
}

TEST_F(DepPageLogic, RecalculateUnlinksOnlyAValueOffThePercentage) {
    OpenWith(300000, 149000, 50, 1);
    // A typed value that equals the linked one (to within 0.001) keeps the link.
    port.Type(C::kDepreciableValue, "150000.0005");
    page.Recalculate(port);
    EXPECT_EQ(page.value.link, 1);
    EXPECT_EQ(page.value.amount, 150000.0005);
    port.Type(C::kDepreciableValue, "140000");
    page.Recalculate(port);
    EXPECT_EQ(page.value.link, 0);
    EXPECT_EQ(page.value.amount, 140000);
    // A new percentage on an unlinked page leaves the value alone at Recalculate.
    port.Type(C::kPercentOfCost, "10");
    page.Recalculate(port);
    EXPECT_EQ(page.value.amount, 140000);
    EXPECT_EQ(page.value.percent, 10);
}

TEST_F(DepPageLogic, OkTakesBoxValueRateAndMethod) {
    OpenWith(300000, 150000, 50, 1);
    port.Type(C::kDepreciableValue, "100000");
    port.Type(C::kDepreciationRate, "3");
    port.choices[C::kMethod] = C::kDiminishingValue;
    page.Ok(port);
    EXPECT_EQ(page.value.amount, 100000);
    EXPECT_EQ(page.value.link, 0);
    EXPECT_EQ(page.rate, 3);
    EXPECT_EQ(page.method, C::kDiminishingValue);

    // When both the value and the percentage were typed, the percentage wins.
    BuildingDepreciationLogic both;
    FakePort p;
    both.propertyCost = 300000;
    both.linkBase = 300000;
    both.value.amount = 150000;
    both.value.percent = 50;
    both.value.link = 1;
    both.Open(p);
    p.Type(C::kDepreciableValue, "100000");
    p.Type(C::kPercentOfCost, "20");
    both.Ok(p);
    EXPECT_EQ(both.value.amount, 60000);
    EXPECT_EQ(both.value.link, 1);
}

// A chosen method survives the refresh of a later event.
TEST_F(DepPageLogic, ChosenMethodSurvivesARefresh) {
    OpenWith(300000, 150000, 50, 1, 2.5, C::kStraightLine);
    port.choices[C::kMethod] = C::kDiminishingValue;
    page.Choose(port, C::kMethod);
    page.Recalculate(port);
    EXPECT_EQ(port.choices[C::kMethod], C::kDiminishingValue);
    EXPECT_EQ(page.method, C::kDiminishingValue);
}

// The figure shows the projection's first year: never more than the value itself.
TEST_F(DepPageLogic, DepreciationFigureCappedAtTheValue) {
    const struct { double value, rate; const char* shown; } cases[] = {
        {10000, 150, "10,000"}, {10000, 100, "10,000"}, {10000, 20, "2,000"}, {-1000, 150, "-1,500"}};
    for (const auto& c : cases) {
        OpenWith(300000, c.value, 50, 0, c.rate);
        EXPECT_EQ(port.Text(C::kDepreciation), c.shown) << c.value << " at " << c.rate;
    }
}

// Fittings: Price 400,000, Furniture 10,000. The linked value is 6 % of the price plus the whole
// furniture, and a typed value's share is that of the part above the furniture.
TEST_F(DepPageLogic, FittingsLinkTakesTheWholeFurniture) {
    FittingsDepreciationLogic fittings;
    FakePort p;
    fittings.propertyCost = 410000;
    fittings.linkBase = 400000;
    fittings.value.fixedPart = 10000;
    fittings.value.percent = 6;
    fittings.Open(p);
    p.checks[C::kValueLink] = 1;
    fittings.Click(p, C::kValueLink);
    EXPECT_EQ(p.Text(C::kDepreciableValue), "34,000");
    p.Type(C::kDepreciableValue, "40000");
    fittings.LeaveEdit(p, C::kDepreciableValue);
    EXPECT_EQ(fittings.value.link, 0);
    EXPECT_EQ(p.Text(C::kPercentOfCost), "7.50%");
    // OK with the same value and a linked box keeps the link: 7.5 % of 400,000 + 10,000.
    p.checks[C::kValueLink] = 1;
    fittings.Ok(p);
    EXPECT_EQ(fittings.value.link, 1);
    EXPECT_EQ(fittings.value.amount, 40000);
}
