#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Returns.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"

namespace {

constexpr double kCents = 0.005;

class RecalculateTest : public ::testing::Test {
  protected:
    Scales scales;
    void SetUp() override { SetUpWorkedExample(doc); }

    double Cell(Row r, int c) const { return doc.At(r, c); }
    Investment doc;
};

TEST_F(RecalculateTest, WorkedExampleInterestOnly) {
    EXPECT_EQ(doc.StampDutyCost, 8975);
    EXPECT_EQ(doc.PurchaseCosts, 9925);
    EXPECT_EQ(doc.CashDeposit, 15496.25);
    EXPECT_NEAR(doc.LoanCosts, 4416.43125, 1e-9);
    EXPECT_NEAR(doc.TotalCost, 314341.43125, 1e-9);
    EXPECT_NEAR(doc.LoanAmount, 298845.18125, 1e-9);
    EXPECT_NEAR(Cell(Row::InterestPaid, 0), 25401.84, kCents);
    EXPECT_NEAR(Cell(Row::RentReceived, 0), 17836, 1e-9);
    EXPECT_NEAR(doc.AnnualRent, 17836, 1e-9);
    EXPECT_EQ(doc.Expenses, 4095);
    EXPECT_EQ(Cell(Row::BuildingDep, 0), 3750);
    EXPECT_EQ(Cell(Row::FittingsDep, 0), 3600);
    EXPECT_DOUBLE_EQ(Cell(Row::FittingsDep, 1), 2880);
    EXPECT_EQ(doc.Depreciation, 7350);
    for (int c = 0; c < 5; ++c)
        EXPECT_NEAR(Cell(Row::LoanCostWriteOff, c), 883.29, kCents) << c;
    for (int c = 5; c < kTableColumns; ++c)
        EXPECT_EQ(Cell(Row::LoanCostWriteOff, c), 0) << c;
    EXPECT_NEAR(Cell(Row::Deductions, 0), 37730.13, kCents);
    EXPECT_NEAR(Cell(Row::TaxSaving, 0), 6266.65, kCents);
    EXPECT_NEAR(Cell(Row::PreTaxCash, 0), -11660.84, kCents);
    EXPECT_NEAR(Cell(Row::AfterTaxCash, 0), -5394.19, kCents);
    EXPECT_DOUBLE_EQ(Cell(Row::AfterTaxCashWeek, 0), Cell(Row::AfterTaxCash, 0) / 52);
    EXPECT_DOUBLE_EQ(doc.GrossYield, 17836.0 / 3000);
    EXPECT_DOUBLE_EQ(doc.NetYield, (17836.0 - 4095) / 3000);

    // Interest only: the debt and the interest stay flat, nothing is repaid.
    for (int c = 0; c < kTableColumns; ++c) {
        EXPECT_EQ(Cell(Row::Debt, c), doc.LoanAmount) << c;
        EXPECT_EQ(Cell(Row::InterestPaid, c), Cell(Row::InterestPaid, 0)) << c;
        EXPECT_EQ(Cell(Row::PrincipalPaid, c), 0) << c;
    }
    EXPECT_NEAR(doc.IRR, 13.86, kCents);
    EXPECT_NEAR(doc.NPV, 75030, 0.5);
}

TEST_F(RecalculateTest, WorkedExamplePrincipalAndInterest) {
    SetUpWorkedExample(doc, 1);
    EXPECT_NEAR(LoanRepayment(doc.LoanAmount, doc.LoanTerm, doc.RateInterest, 12), 2406.38, kCents);
    EXPECT_NEAR(Cell(Row::InterestPaid, 0), 25263.22, kCents);
    EXPECT_NEAR(Cell(Row::PrincipalPaid, 0), 3613.37, kCents);
    EXPECT_NEAR(Cell(Row::Debt, 0), 298845.18, kCents);
    EXPECT_NEAR(Cell(Row::Debt, 1), 291299.06, kCents);
    // Interest falls and principal rises until the loan is repaid within column 24.
    for (int c = 1; c < 24; ++c) {
        EXPECT_LT(Cell(Row::InterestPaid, c), Cell(Row::InterestPaid, c - 1)) << c;
        EXPECT_GT(Cell(Row::PrincipalPaid, c), Cell(Row::PrincipalPaid, c - 1)) << c;
        EXPECT_GT(Cell(Row::Debt, c), 0) << c;
    }
    EXPECT_EQ(Cell(Row::Debt, 24), 0);
    EXPECT_GT(Cell(Row::PrincipalPaid, 24), 0);
    for (int c = 25; c < kTableColumns; ++c) {
        EXPECT_EQ(Cell(Row::Debt, c), 0) << c;
        EXPECT_EQ(Cell(Row::InterestPaid, c), 0) << c;
        EXPECT_EQ(Cell(Row::PrincipalPaid, c), 0) << c;
    }
    // Once repaid the cash flows jump up.
    EXPECT_GT(Cell(Row::PreTaxCash, 25), Cell(Row::PreTaxCash, 24) + 20000);
    double repaid = 0;
    for (int c = 0; c < kTableColumns; ++c)
        repaid += Cell(Row::PrincipalPaid, c);
    EXPECT_NEAR(repaid, doc.LoanAmount, 1e-6);
    EXPECT_NEAR(doc.IRR, 11.97, kCents);
    EXPECT_NEAR(doc.NPV, 83217, 0.5);
}

TEST_F(RecalculateTest, RowsAgreeWithTheirParts) {
    for (int loanType : {0, 1}) {
        SetUpWorkedExample(doc, loanType);
        const double G = 1.045, F = 1.02;
        EXPECT_EQ(Cell(Row::PropertyValue, 0), 300000 * G);
        for (int c = 0; c < kTableColumns; ++c) {
            EXPECT_EQ(Cell(Row::ReservedRow0, c), 0);
            EXPECT_EQ(Cell(Row::ReservedRow5, c), 0);
            EXPECT_EQ(Cell(Row::Equity, c), Cell(Row::PropertyValue, c) - Cell(Row::Debt, c));
            EXPECT_EQ(Cell(Row::Deductions, c),
                      Cell(Row::LoanCostWriteOff, c) + Cell(Row::FittingsDep, c) +
                          Cell(Row::BuildingDep, c) + Cell(Row::ExpensesPaid, c) +
                          Cell(Row::InterestPaid, c));
            EXPECT_NEAR(Cell(Row::AfterTaxCash, c),
                        Cell(Row::PreTaxCash, c) + Cell(Row::TaxSaving, c), 1e-8);
            EXPECT_NEAR(Cell(Row::RentReceived, c), 17836 * std::pow(F, c), 1e-6);
            EXPECT_NEAR(Cell(Row::ExpensesPaid, c), 4095 * std::pow(F, c), 1e-6);
            EXPECT_NEAR(doc.TaxableHerByYear[c], 19000 * std::pow(F, c), 1e-6);
            EXPECT_NEAR(Cell(Row::PropertyValue, c), 300000 * std::pow(G, c + 1), 1e-4);
        }
        EXPECT_EQ(doc.LoanAmount, doc.TotalCost + doc.AdditionalLoan - doc.CashDeposit);
    }
}

TEST_F(RecalculateTest, NewInvestmentStopsEarly) {
    doc.ResetFixedDefaults();
    doc.Recalculate(scales);
    // Conveyancing counts only once a price is entered.
    EXPECT_EQ(doc.PurchaseCosts, 0);
    EXPECT_EQ(doc.TotalCost, 0);
    EXPECT_EQ(doc.LoanAmount, 0);
    for (double v : doc.table)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(doc.AvgCashFlowWeek, 0);
    EXPECT_EQ(doc.IRR, 0);
    EXPECT_EQ(doc.NPV, 0);

    // The incomes of every year are filled all the same, never left from another investment:
    // 47,000 and 19,000 growing at 2 % a year.
    doc.TaxableHimByYear.fill(95000);
    doc.TaxableHerByYear.fill(95000);
    doc.Recalculate(scales);
    EXPECT_EQ(doc.TaxableHimByYear[0], 47000);
    EXPECT_EQ(doc.TaxableHerByYear[0], 19000);
    EXPECT_NEAR(doc.TaxableHimByYear[1], 47940, 1e-9);
    EXPECT_NEAR(doc.TaxableHerByYear[9], 19000 * 1.195092568, 1e-4);
    EXPECT_NEAR(doc.TaxableHimByYear[39], 47000 * 2.164744768, 1e-3);

    // A market value without a price: only the first property value is written.
    doc.MarketValue = 100000;
    doc.Recalculate(scales);
    EXPECT_DOUBLE_EQ(Cell(Row::PropertyValue, 0), 104500);
    EXPECT_EQ(Cell(Row::PropertyValue, 1), 0);
}

TEST_F(RecalculateTest, EarlyExitKeepsPreviousResults) {
    const double irr = doc.IRR, npv = doc.NPV, loan = doc.LoanAmount;
    doc.Price = 0;
    doc.MarketValue = 0;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.TotalCost, 0);
    EXPECT_EQ(doc.IRR, irr);
    EXPECT_EQ(doc.NPV, npv);
    EXPECT_EQ(doc.LoanAmount, loan);
    for (double v : doc.table)
        EXPECT_EQ(v, 0);
}

TEST_F(RecalculateTest, DepositAtOrAboveTotalCost) {
    doc.CalcDeposit = 0;
    doc.CalcLoanCosts = 0;
    doc.LoanCosts = 5000;
    doc.CashDeposit = 400000;
    doc.Recalculate(scales);
    // Capped at the cost before loan costs, and no loan costs whatever the switch says.
    EXPECT_EQ(doc.CashDeposit, 309925);
    EXPECT_EQ(doc.LoanCosts, 0);
    EXPECT_EQ(doc.TotalCost, 309925);
    EXPECT_EQ(doc.LoanAmount, 0);
    for (int c = 0; c < kTableColumns; ++c) {
        EXPECT_EQ(Cell(Row::InterestPaid, c), 0);
        EXPECT_EQ(Cell(Row::LoanCostWriteOff, c), 0);
    }

    doc.AdditionalLoan = 20000;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.LoanAmount, 20000);
    EXPECT_DOUBLE_EQ(Cell(Row::InterestPaid, 3), 1700);

    doc.DepositPC = 100;
    doc.CalcDeposit = 1;
    doc.CalcLoanCosts = 1;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.CashDeposit, 309925);
    EXPECT_EQ(doc.LoanCosts, 0);
}

TEST_F(RecalculateTest, FixedDepositFollowsNoPriceChange) {
    doc.CalcDeposit = 0;
    const double deposit = doc.CashDeposit;
    const double loan = doc.LoanAmount;
    doc.Price = 350000;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.CashDeposit, deposit);
    EXPECT_GT(doc.LoanAmount, loan + 50000);
    EXPECT_NEAR(doc.LoanAmount, doc.TotalCost - deposit, 1e-6);
}

TEST_F(RecalculateTest, LinksOffKeepEnteredValues) {
    doc.UseSDScale = 0;
    doc.StampDutyCost = 1234;
    doc.CalcExpenses = 0;
    doc.Expenses = 3000;
    doc.CalcDepBuild = 0;
    doc.DepBuildValue = 100000;
    doc.CalcDepFitt = 0;
    doc.DepFittValue = 10000;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.StampDutyCost, 1234);
    EXPECT_EQ(doc.PurchaseCosts, 1234 + 950);
    EXPECT_EQ(doc.Expenses, 3000);
    EXPECT_EQ(Cell(Row::ExpensesPaid, 0), 3000);
    EXPECT_DOUBLE_EQ(Cell(Row::BuildingDep, 0), 2500);
    EXPECT_DOUBLE_EQ(Cell(Row::FittingsDep, 0), 2000);

    // Furniture is part of the fittings and of the cost.
    doc.CalcDepFitt = 1;
    doc.Furniture = 5000;
    doc.Renovations = 20000;
    doc.CalcDepBuild = 1;
    doc.Recalculate(scales);
    EXPECT_DOUBLE_EQ(doc.DepFittValue, 23000);
    EXPECT_DOUBLE_EQ(doc.DepBuildValue, 160000);
    EXPECT_DOUBLE_EQ(doc.TotalCost - doc.LoanCosts, 300000 + 20000 + 5000 + 1234 + 950);
}

TEST_F(RecalculateTest, ZeroTermOrZeroRateWithPrincipalAndInterest) {
    doc.LoanType = 1;
    doc.LoanTerm = 0;
    doc.Recalculate(scales);
    for (int c = 0; c < kTableColumns; ++c) {
        EXPECT_EQ(Cell(Row::Debt, c), doc.LoanAmount) << c;
        EXPECT_EQ(Cell(Row::PrincipalPaid, c), 0) << c;
        EXPECT_NEAR(Cell(Row::InterestPaid, c), doc.LoanAmount * 0.085, 1e-6) << c;
    }

    doc.LoanTerm = 20;
    doc.RateInterest = 0;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::InterestPaid, 0), 0);
    EXPECT_NEAR(Cell(Row::PrincipalPaid, 0), doc.LoanAmount / 20, 1e-6);
    EXPECT_NEAR(Cell(Row::Debt, 19), 0, 1e-6);
    EXPECT_EQ(Cell(Row::Debt, 20), 0);
}

TEST_F(RecalculateTest, DeductionsAboveIncomeSaveTheWholeTax) {
    doc.TaxableHim = 10000;
    doc.Recalculate(scales);
    const double taxWithout = ComputeIncomeTax(10000, scales.tax);
    EXPECT_LT(Cell(Row::RentReceived, 0) + 10000 - Cell(Row::Deductions, 0), 0);
    EXPECT_EQ(Cell(Row::TaxSaving, 0), taxWithout);
}

TEST_F(RecalculateTest, JointNamesSplitRentAndDeductions) {
    doc.NamesOnTitle = 2;
    doc.TaxableHim = 40000;
    doc.TaxableHer = 40000;
    doc.Recalculate(scales);
    const double joint = Cell(Row::TaxSaving, 0);
    const double rent = Cell(Row::RentReceived, 0), ded = Cell(Row::Deductions, 0);

    // Same tax saving as one owner with half of each.
    const double single = ComputeIncomeTax(40000, scales.tax) -
                          ComputeIncomeTax(rent * 0.5 + 40000 - ded * 0.5, scales.tax);
    EXPECT_DOUBLE_EQ(joint, 2 * single);
    EXPECT_GT(joint, 0);

    // Unequal incomes: the partner's income now plays a part.
    doc.TaxableHer = 0;
    doc.Recalculate(scales);
    EXPECT_NE(Cell(Row::TaxSaving, 0), joint);
    doc.NamesOnTitle = 1;
    doc.Recalculate(scales);
    const double him = Cell(Row::TaxSaving, 0);
    doc.TaxableHer = 123456;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::TaxSaving, 0), him);
}

TEST_F(RecalculateTest, ProjectionYearChangesOnlyTheResults) {
    const Investment::Table before = doc.table;
    const double irr = doc.IRR, npv = doc.NPV, avg = doc.AvgCashFlowWeek;
    doc.ProjectionYear = 40;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.table, before);
    EXPECT_NE(doc.IRR, irr);
    EXPECT_NE(doc.NPV, npv);
    EXPECT_NE(doc.AvgCashFlowWeek, avg);
    doc.ProjectionYear = 10;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.table, before);
    EXPECT_EQ(doc.IRR, irr);
    EXPECT_EQ(doc.NPV, npv);
}

TEST_F(RecalculateTest, LoanCostWriteOffSpansLCYears) {
    doc.LCYears = 1;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::LoanCostWriteOff, 0), doc.LoanCosts);
    EXPECT_EQ(Cell(Row::LoanCostWriteOff, 1), 0);

    doc.LCYears = 50;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::LoanCostWriteOff, 39), doc.LoanCosts / 50);
}

// Depreciation never takes more than the depreciable value.
TEST_F(RecalculateTest, StraightLineStopsAtTheValue) {
    doc.DepFittMethod = 1;
    doc.DepFittRate = 15;
    doc.Recalculate(scales);
    const double value = doc.DepFittValue;
    ASSERT_DOUBLE_EQ(value, 18000);
    double total = 0;
    for (int c = 0; c < 6; ++c)
        EXPECT_DOUBLE_EQ(Cell(Row::FittingsDep, c), 2700) << c;
    EXPECT_NEAR(Cell(Row::FittingsDep, 6), 1800, 1e-6);
    for (int c = 7; c < kTableColumns; ++c)
        EXPECT_EQ(Cell(Row::FittingsDep, c), 0) << c;
    for (int c = 0; c < kTableColumns; ++c)
        total += Cell(Row::FittingsDep, c);
    EXPECT_NEAR(total, value, 1e-6);

    // Building at 2.5 %: forty even years use it up exactly.
    total = 0;
    for (int c = 0; c < kTableColumns; ++c) {
        EXPECT_DOUBLE_EQ(Cell(Row::BuildingDep, c), 3750) << c;
        total += Cell(Row::BuildingDep, c);
    }
    EXPECT_NEAR(total, doc.DepBuildValue, 1e-6);
}

TEST_F(RecalculateTest, FirstYearNeverExceedsTheValue) {
    doc.DepFittRate = 150;
    doc.DepBuildMethod = 0;
    doc.DepBuildRate = 250;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::FittingsDep, 0), doc.DepFittValue);
    EXPECT_EQ(Cell(Row::BuildingDep, 0), doc.DepBuildValue);
    EXPECT_EQ(doc.DepFittRemaining, 0);
    EXPECT_EQ(doc.DepBuildRemaining, 0);
    for (int c = 1; c < kTableColumns; ++c) {
        EXPECT_EQ(Cell(Row::FittingsDep, c), 0);
        EXPECT_EQ(Cell(Row::BuildingDep, c), 0);
    }
    // Exactly 100 %: all in year 1 as well.
    doc.DepFittRate = 100;
    doc.Recalculate(scales);
    EXPECT_DOUBLE_EQ(Cell(Row::FittingsDep, 0), doc.DepFittValue);
    EXPECT_EQ(Cell(Row::FittingsDep, 1), 0);
}

TEST_F(RecalculateTest, DiminishingValueNeverReachesZero) {
    double total = 0;
    for (int c = 0; c < kTableColumns; ++c) {
        const double expected = 3600 * std::pow(0.8, c);
        EXPECT_NEAR(Cell(Row::FittingsDep, c), expected, 1e-9 * 3600) << c;
        EXPECT_GT(Cell(Row::FittingsDep, c), 0);
        total += Cell(Row::FittingsDep, c);
    }
    EXPECT_LT(total, doc.DepFittValue);
    EXPECT_NEAR(doc.DepFittRemaining, doc.DepFittValue - total, 1e-6);
}

// A record that never went through LimitInputs still stays inside the table and divides by
// no count below 1.
TEST_F(RecalculateTest, UnlimitedRecordIsSafe) {
    doc.LCYears = 0;
    doc.ProjectionYear = 0;
    doc.NamesOnTitle = 7;
    doc.ShowYear = 99;
    doc.LoanType = 5;
    doc.Recalculate(scales);
    EXPECT_EQ(Cell(Row::LoanCostWriteOff, 0), doc.LoanCosts);
    EXPECT_TRUE(std::isfinite(doc.AvgCashFlowWeek));
    // Treated as a single name and interest only.
    EXPECT_EQ(Cell(Row::Debt, 5), doc.LoanAmount);
    Investment single;
    SetUpWorkedExample(single);
    single.LCYears = 1;
    single.ProjectionYear = 1;
    single.Recalculate(scales);
    EXPECT_EQ(doc.table, single.table);
    EXPECT_EQ(doc.AvgCashFlowWeek, single.AvgCashFlowWeek);
    EXPECT_EQ(doc.NPV, single.NPV);

    doc.ProjectionYear = 1000;
    doc.LCYears = -4;
    doc.Recalculate(scales);
    single.ProjectionYear = 40;
    single.Recalculate(scales);
    EXPECT_EQ(doc.NPV, single.NPV);
    EXPECT_EQ(doc.AvgCashFlowWeek, single.AvgCashFlowWeek);
}

// Values read from a file or the settings store may be anything, NoValue included.
TEST_F(RecalculateTest, HostileInputsStayInsideTheTable) {
    const double hostile[] = {NoValue,      -1e300, 1e300,
                              std::nan(""), -0.0,   std::numeric_limits<double>::infinity()};
    for (double v : hostile) {
        SetUpWorkedExample(doc, 1);
        for (double* field : {&doc.Price, &doc.RateInterest, &doc.RateGrowth, &doc.RateInfl,
                              &doc.DepBuildRate, &doc.VacancyRate, &doc.TaxableHim})
            *field = v;
        doc.LoanTerm = std::numeric_limits<int>::min();
        doc.LCYears = std::numeric_limits<int>::min();
        doc.ProjectionYear = std::numeric_limits<int>::max();
        doc.PeriodsPerYear = std::numeric_limits<int>::min();
        doc.Recalculate(scales);
        EXPECT_EQ(doc.At(Row::ReservedRow0, 0), 0);
        EXPECT_EQ(doc.At(Row::ReservedRow5, 39), 0);
    }
    SetUpWorkedExample(doc);
    scales.duty.Count = -7;
    scales.tax.Count = 5000;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.StampDutyCost, 0);
    EXPECT_EQ(doc.At(Row::ReservedRow5, 0), 0);
}

TEST_F(RecalculateTest, DutyFollowsTheScaleInForce) {
    scales.duty = ShippedDutyScale(2);
    doc.Recalculate(scales);
    EXPECT_DOUBLE_EQ(doc.StampDutyCost, ComputeStampDuty(300000, ShippedDutyScale(2)));
    scales.duty.Count = 0;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.StampDutyCost, 0);
    EXPECT_EQ(doc.PurchaseCosts, 950);
}

TEST(LoanRepaymentTest, Cases) {
    EXPECT_EQ(LoanRepayment(100000, 0, 8, 12), NoValue);
    EXPECT_EQ(LoanRepayment(100000, 10, 8, 0), NoValue);
    EXPECT_EQ(LoanRepayment(100000, -1, 8, 12), NoValue);
    EXPECT_DOUBLE_EQ(LoanRepayment(120000, 10, 0, 12), 1000);
    // 100000 over 25 years at 6 %: the usual annuity figure.
    EXPECT_NEAR(LoanRepayment(100000, 25, 6, 12), 644.30, 0.005);
    EXPECT_NEAR(LoanRepayment(10000, 1, 12, 1), 11200, 1e-6);
}

TEST(LoanRepaymentTest, EndlessTermPaysTheInterestOnly) {
    Scales scales;
    // (1 + i)^n overflows: the repayment is one month's interest, not infinity over infinity.
    EXPECT_DOUBLE_EQ(LoanRepayment(300000, 99999999999.0, 8.5, 12), 300000 * (8.5 / 1200));
    // Only the product g * i * P overflows: the annuity is still worked out.
    const double i = 100.0 / 1200, g = std::pow(1 + i, 300.0);
    EXPECT_DOUBLE_EQ(LoanRepayment(1.7e308, 25, 100, 12), i * 1.7e308 / (1 - 1 / g));
    Investment doc;
    SetUpWorkedExample(doc, 1);
    doc.LoanTerm = 2147483647;
    doc.Recalculate(scales);
    for (int c = 0; c < kTableColumns; ++c)
        ASSERT_TRUE(std::isfinite(doc.At(Row::AfterTaxCash, c))) << c;
    EXPECT_NEAR(doc.At(Row::InterestPaid, 0), doc.LoanAmount * 0.085, 0.01);
    EXPECT_NEAR(doc.At(Row::PrincipalPaid, 0), 0.0, 1e-6);
}

// Something bought without a price, or without a market value: each yield is 0 rather than
// infinity or "not a number" (which the file stored and velcalc printed). With a price the
// yield is the year's rent after vacancies over it: 350 a week, 52 weeks, 2 % vacant; the net
// yield takes off the expenses, 22.5 % of the rent before vacancies, over the market value.
TEST(YieldTest, NoPriceOrValueGivesNoYield) {
    Scales scales;
    const double gross = 350 * 52 * 0.98 * 100 / 300000;       // 5.9453 %
    const double net = (350 * 52 * 0.98 - 350 * 52 * 0.225) * 100 / 300000; // 4.5803 %
    struct Case {
        double price, marketValue, furniture, rent, gross, net;
    } cases[] = {
        {0, 0, 5000, 0, 0, 0},         // 0 / 0 before
        {0, 0, 5000, 350, 0, 0},       // infinity before
        {0, 300000, 5000, 350, 0, net},
        {300000, 0, 0, 350, gross, 0},
        {300000, 300000, 0, 350, gross, net},
    };
    for (const Case& k : cases) {
        Investment doc;
        doc.Price = k.price;
        doc.MarketValue = k.marketValue;
        doc.Furniture = k.furniture;
        doc.Rent = k.rent;
        doc.Recalculate(scales);
        EXPECT_NEAR(doc.GrossYield, k.gross, 1e-6) << k.price << " " << k.rent;
        EXPECT_NEAR(doc.NetYield, k.net, 1e-6) << k.marketValue << " " << k.rent;
    }
}

// Rates of millions of percent compound past the largest double within the 40 years: from
// that year on the figures are "no value", never infinity or "not a number". At 1e24 % a year
// the value grows 1e22-fold: 300,000 after 13 years is 3e291, after 14 it overflows.
TEST(OverflowTest, HugeRatesGiveNoValueNotInfinity) {
    Scales scales;
    for (double Investment::*rate : {&Investment::RateGrowth, &Investment::RateInfl}) {
        Investment doc;
        SetUpWorkedExample(doc, 1);
        doc.*rate = 1e24;
        doc.Recalculate(scales);
        for (double v : doc.table) ASSERT_TRUE(std::isfinite(v));
        for (int c = 0; c < kTableColumns; ++c) {
            ASSERT_TRUE(std::isfinite(doc.TaxableHimByYear[c]));
            ASSERT_TRUE(std::isfinite(doc.TaxableHerByYear[c]));
        }
        for (double v : {doc.IRR, doc.NPV, doc.AvgCashFlowWeek, doc.IRRAfterSale, doc.NPVAfterSale,
                         doc.SalePrice, doc.SaleTax, doc.ValueAfterSale})
            EXPECT_TRUE(std::isfinite(v));
    }
    Investment doc;
    SetUpWorkedExample(doc, 1);
    doc.MarketValue = 300000;
    doc.RateGrowth = 1e24;
    doc.Recalculate(scales);
    EXPECT_NEAR(doc.At(Row::PropertyValue, 12) / 3e291, 1.0, 1e-9);
    EXPECT_EQ(doc.At(Row::PropertyValue, 13), NoValue);
}

} // namespace
