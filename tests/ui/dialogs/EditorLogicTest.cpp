// The events of the property, deposit, rent and expenses editors, driven without widgets.
#include "format/Format.h"
#include "model/Scales.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/DepositRentEditors.h"
#include "ui/dialogs/PropertyEditors.h"

// --- "Property Value" ---

TEST(PropValueLogic, TypedMarketValueAndFurnitureStand) {
    PropertyValueLogic ed;
    ed.price = 300000;
    ed.marketValue = 300000;
    FakePort port;
    ed.Open(port);
    port.Type(PropertyValueLogic::kMarketValue, "325,000");
    port.Type(PropertyValueLogic::kFurniture, "12k");
    ed.Ok(port);
    EXPECT_EQ(ed.price, 300000.0);
    EXPECT_EQ(ed.marketValue, 325000.0);
    EXPECT_EQ(ed.furniture, 12000.0);
}

// A price shown rounded ("1.235m") is not a change: OK must neither round it nor reset the
// market value.
TEST(PropValueLogic, UntouchedRoundedPriceIsKept) {
    PropertyValueLogic ed;
    ed.price = 1234567;
    ed.renovations = 0.4;
    ed.marketValue = 1500000;
    FakePort port;
    ed.Open(port);
    EXPECT_EQ(port.Text(PropertyValueLogic::kPrice), "1.235m");
    ed.Recalculate(port);
    ed.Ok(port);
    EXPECT_EQ(ed.price, 1234567.0);
    EXPECT_EQ(ed.renovations, 0.4);
    EXPECT_EQ(ed.marketValue, 1500000.0);
}

// --- "Purchase Costs" ---

namespace {

struct PurchCostsLogic : ::testing::Test {
    Scales scales;
    PurchaseCostsLogic Opened(double stampDuty) {
        PurchaseCostsLogic ed;
        ed.scale = scales.duty; // Qld
        ed.price = 300000;
        ed.stampDuty = stampDuty;
        ed.conveyancing = 950;
        ed.Open(port);
        return ed;
    }
    FakePort port;
};

} // namespace

TEST_F(PurchCostsLogic, BoxShowsWhetherTheDutyIsTheScales) {
    PurchaseCostsLogic ed = Opened(8975); // the Qld duty on 300,000, even if typed by hand
    EXPECT_EQ(ed.usesScale, 1);
    EXPECT_EQ(port.GetCheckState(PurchaseCostsLogic::kUsesScale), 1);
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kUsesScale), "Uses Qld");
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kPurchaseCosts), "9,925");
    ed.Ok(port);
    EXPECT_EQ(ed.usesScale, 1);

    PurchaseCostsLogic typed = Opened(9000);
    EXPECT_EQ(typed.usesScale, 0);
}

TEST_F(PurchCostsLogic, TypedDutyWithinAThousandthKeepsTheBox) {
    PurchaseCostsLogic ed = Opened(8975);
    port.Type(PurchaseCostsLogic::kStampDuty, "8975.0009");
    ed.Recalculate(port); // not even a change
    EXPECT_EQ(ed.usesScale, 1);
    port.Type(PurchaseCostsLogic::kStampDuty, "8976");
    port.Type(PurchaseCostsLogic::kOtherCosts, "500");
    ed.Recalculate(port);
    EXPECT_EQ(ed.usesScale, 0);
    EXPECT_EQ(port.GetCheckState(PurchaseCostsLogic::kUsesScale), 0);
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kPurchaseCosts), "10,426");
}

TEST_F(PurchCostsLogic, TickingTheBoxTakesTheScalesDuty) {
    PurchaseCostsLogic ed = Opened(5000);
    port.PutCheckState(PurchaseCostsLogic::kUsesScale, 1);
    ed.Click(port, PurchaseCostsLogic::kUsesScale);
    EXPECT_EQ(ed.stampDuty, 8975.0);
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kPurchaseCosts), "9,925");
}

// A duty typed and the box then unticked keeps the typed duty; ticked again, the scale's.
TEST_F(PurchCostsLogic, UntickingKeepsTheTypedAmounts) {
    PurchaseCostsLogic ed = Opened(8975);
    port.Type(PurchaseCostsLogic::kStampDuty, "7000");
    port.Type(PurchaseCostsLogic::kConveyancing, "1200");
    port.PutCheckState(PurchaseCostsLogic::kUsesScale, 0);
    ed.Click(port, PurchaseCostsLogic::kUsesScale);
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kStampDuty), "7,000");
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kConveyancing), "1,200");
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kPurchaseCosts), "8,200");
    port.PutCheckState(PurchaseCostsLogic::kUsesScale, 1);
    ed.Click(port, PurchaseCostsLogic::kUsesScale);
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kStampDuty), "8,975");
}

TEST_F(PurchCostsLogic, OkUnticksADutyThatDiffersFromTheScale) {
    PurchaseCostsLogic ed = Opened(8975);
    port.Type(PurchaseCostsLogic::kStampDuty, "7000");
    ed.Ok(port); // box still ticked, but the duty is no longer the scale's
    EXPECT_EQ(ed.stampDuty, 7000.0);
    EXPECT_EQ(ed.usesScale, 0);
}

TEST_F(PurchCostsLogic, AcceptedScaleChangeRetakesTheDuty) {
    PurchaseCostsLogic ed = Opened(1000);
    ed.scale = ShippedDutyScale(1); // NSW
    ed.ScaleChanged(port);
    EXPECT_EQ(ed.usesScale, 1);
    EXPECT_EQ(ed.stampDuty, ComputeStampDuty(300000, ShippedDutyScale(1)));
    EXPECT_EQ(port.Text(PurchaseCostsLogic::kUsesScale), "Uses NSW");
}

TEST(PurchCostsText, LocationNames) {
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(8), u"Uses None");
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(9), u"Uses Custom");
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(10), u"Uses Qld 2025");
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(17), u"Uses ACT 2025");
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(18), u"Uses ");
    EXPECT_EQ(PurchaseCostsLogic::UsesScaleText(-1), u"Uses ");
}

// --- "Cash Deposit" ---

TEST(CashDepositLogic, TinyTotalCostCountsAsOne) {
    CashDepositLogic ed;
    ed.deposit.amount = 0.3;
    ed.deposit.link = 0;
    ed.purchaseCosts = 0.5;
    FakePort port;
    ed.Open(port);
    EXPECT_EQ(port.Text(CashDepositLogic::kPercentOfCost), "30.00%");
    EXPECT_FALSE(port.Shown(CashDepositLogic::kPercentOfCost));
}

// --- "Rental Income" ---

namespace {

RentIncomeLogic OpenedRent(FakePort& port, double rent, int periods, double vacancy) {
    RentIncomeLogic ed;
    ed.rent = rent;
    ed.periodsPerYear = periods;
    ed.vacancyRate = vacancy;
    ed.Open(port);
    return ed;
}

} // namespace

TEST(RentIncomeLogic, RecalculateAndChangeOfPeriod) {
    FakePort port;
    RentIncomeLogic ed = OpenedRent(port, 0, 52, 2);
    port.Type(RentIncomeLogic::kAmount, "300");
    ed.Recalculate(port);
    EXPECT_EQ(port.Text(RentIncomeLogic::kAnnualRent), "15,288");

    // Typed here, then a new period: the rent of that period, 1,300 a month less 2 % vacancy.
    port.Type(RentIncomeLogic::kAmount, "1,300");
    port.PutChoice(RentIncomeLogic::kRentPer, 1);
    ed.Choose(port, RentIncomeLogic::kRentPer);
    EXPECT_EQ(ed.periodsPerYear, 12);
    EXPECT_EQ(port.Text(RentIncomeLogic::kAmount), "1,300");
    EXPECT_EQ(port.Text(RentIncomeLogic::kAnnualRent), "15,288");

    // A rent that came with the investment keeps its year: 300 a week is 1,300 a month.
    FakePort other;
    RentIncomeLogic opened = OpenedRent(other, 300, 52, 2);
    other.PutChoice(RentIncomeLogic::kRentPer, 1);
    opened.Choose(other, RentIncomeLogic::kRentPer);
    EXPECT_EQ(other.Text(RentIncomeLogic::kAmount), "1,300");
    EXPECT_EQ(other.Text(RentIncomeLogic::kAnnualRent), "15,288");
}

TEST(RentIncomeLogic, RecalculateAndOkLimitTheRentAndVacancy) {
    FakePort port;
    RentIncomeLogic ed = OpenedRent(port, 300, 52, 2);
    port.Type(RentIncomeLogic::kVacancyRate, "150");
    port.Type(RentIncomeLogic::kAmount, "-5");
    ed.Recalculate(port);
    EXPECT_EQ(port.Text(RentIncomeLogic::kVacancyRate), "100.00%");
    EXPECT_EQ(port.Text(RentIncomeLogic::kAmount), "0");
    EXPECT_EQ(port.Text(RentIncomeLogic::kAnnualRent), "0");
    port.PutChoice(RentIncomeLogic::kRentPer, 2); // no division by a zero share of the year
    ed.Choose(port, RentIncomeLogic::kRentPer);
    EXPECT_EQ(ed.rent, 0.0);

    FakePort port2;
    RentIncomeLogic ok = OpenedRent(port2, 300, 52, 2);
    port2.Type(RentIncomeLogic::kVacancyRate, "150");
    port2.Type(RentIncomeLogic::kAmount, "-5");
    ok.Ok(port2);
    EXPECT_EQ(ok.vacancyRate, 100.0);
    EXPECT_EQ(ok.rent, 0.0);
}

// An untouched rent shown rounded keeps every dollar, at Recalculate and at OK.
TEST(RentIncomeLogic, UntouchedRentKeepsItsFullValue) {
    FakePort port;
    RentIncomeLogic ed = OpenedRent(port, 1234567, 52, 2.345);
    EXPECT_EQ(port.Text(RentIncomeLogic::kAmount), "1.235m");
    ed.Recalculate(port);
    ed.Ok(port);
    EXPECT_EQ(ed.rent, 1234567.0);
    EXPECT_EQ(ed.vacancyRate, 2.345);
}

TEST(RentIncomeLogic, FortnightIsKeptWithoutAChoice) {
    FakePort port;
    RentIncomeLogic ed = OpenedRent(port, 700, 26, 2);
    EXPECT_EQ(port.GetChoice(RentIncomeLogic::kRentPer), -1);
    ed.Ok(port);
    EXPECT_EQ(ed.periodsPerYear, 26);
    EXPECT_EQ(ed.rent, 700.0);
}

// --- "Rental Expenses" ---

TEST(RentExpensesLogic, NoRentNoMarketValue) {
    RentExpensesLogic ed;
    ed.expenses.amount = 1000;
    ed.expenses.link = 0;
    FakePort port;
    ed.Open(port);
    EXPECT_EQ(port.Text(RentExpensesLogic::kPercentOfRent), "0.00%");
    EXPECT_EQ(port.Text(RentExpensesLogic::kNetYield), "0.00%");
    EXPECT_EQ(port.Text(RentExpensesLogic::kNetRent), "-1,000");
}
