#include <gtest/gtest.h>

#include "model/Investment.h"
#include "tests/model/WorkedExample.h"

namespace {

void ExpectBuiltInDefaults(const Investment& d) {
    EXPECT_TRUE(d.Address.empty());
    EXPECT_TRUE(d.Description.empty());
    EXPECT_TRUE(d.Notes.empty());
    for (double v :
         {d.Price,           d.Renovations,   d.Furniture,    d.MarketValue,   d.StampDutyCost,
          d.OtherCosts,      d.PurchaseCosts, d.CashDeposit,  d.LoanCosts,     d.AdditionalLoan,
          d.LoanAmount,      d.TotalCost,     d.Rent,         d.AnnualRent,    d.GrossYield,
          d.NetYield,        d.Expenses,      d.DepFittValue, d.DepBuildValue, d.Depreciation,
          d.AvgCashFlowWeek, d.IRR,           d.NPV})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(d.Conveyancing, 950);
    EXPECT_EQ(d.DepositPC, 5);
    EXPECT_EQ(d.LoanCostsPC, 1.5);
    EXPECT_EQ(d.LCYears, 5);
    EXPECT_EQ(d.LoanType, 0);
    EXPECT_EQ(d.RateInterest, 8.5);
    EXPECT_EQ(d.LoanTerm, 25);
    EXPECT_EQ(d.PeriodsPerYear, 52);
    EXPECT_EQ(d.VacancyRate, 2);
    EXPECT_EQ(d.ExpensesPC, 22.5);
    EXPECT_EQ(d.DepFittPC, 6);
    EXPECT_EQ(d.DepFittRate, 20);
    EXPECT_EQ(d.DepFittMethod, 0);
    EXPECT_EQ(d.DepBuildPC, 50);
    EXPECT_EQ(d.DepBuildRate, 2.5);
    EXPECT_EQ(d.DepBuildMethod, 1);
    EXPECT_EQ(d.TaxableHim, 47000);
    EXPECT_EQ(d.TaxableHer, 19000);
    EXPECT_EQ(d.NamesOnTitle, 1);
    EXPECT_EQ(d.RateGrowth, 4.5);
    EXPECT_EQ(d.RateInfl, 2);
    EXPECT_EQ(d.ShowYear, 1);
    EXPECT_EQ(d.ProjectionYear, 10);
    EXPECT_EQ(d.ReservedFlag, 0);
    for (int s : {d.UseSDScale, d.CalcDeposit, d.CalcLoanCosts, d.CalcExpenses, d.CalcDepFitt,
                  d.CalcDepBuild})
        EXPECT_EQ(s, 1);
    for (double v : d.table)
        EXPECT_EQ(v, 0);
}

TEST(InvestmentTest, NewRecordHasBuiltInDefaults) {
    Investment d;
    ExpectBuiltInDefaults(d);
}

TEST(InvestmentTest, ResetFixedDefaultsUndoesEveryChange) {
    Investment d;
    SetUpWorkedExample(d, 1);
    d.Address = u"1 Main St";
    d.Notes = u"n";
    d.Description = u"d";
    d.Conveyancing = 1;
    d.DepositPC = 20;
    d.CalcDeposit = 0;
    d.LoanTerm = 30;
    d.NamesOnTitle = 2;
    d.ProjectionYear = 40;
    d.DepBuildMethod = 0;
    d.OtherCosts = 7;
    d.AdditionalLoan = 5;
    ASSERT_NE(d.IRR, 0);
    d.ResetFixedDefaults();
    ExpectBuiltInDefaults(d);
}

TEST(InvestmentTest, LimitInputs) {
    Investment d;
    d.ShowYear = 0;
    d.ProjectionYear = 41;
    d.LCYears = -3;
    d.NamesOnTitle = 3;
    d.LoanType = 2;
    d.DepFittMethod = -1;
    d.DepBuildMethod = 7;
    d.UseSDScale = 5;
    d.CalcDeposit = -1;
    d.CalcLoanCosts = 0;
    d.CalcExpenses = 2;
    d.CalcDepFitt = 1;
    d.CalcDepBuild = 0;
    d.LoanTerm = -4;
    d.LimitInputs();
    EXPECT_EQ(d.ShowYear, 1);
    EXPECT_EQ(d.ProjectionYear, 40);
    EXPECT_EQ(d.LCYears, 1);
    EXPECT_EQ(d.NamesOnTitle, 1);
    EXPECT_EQ(d.LoanType, 0);
    EXPECT_EQ(d.DepFittMethod, 0);
    EXPECT_EQ(d.DepBuildMethod, 0);
    EXPECT_EQ(d.UseSDScale, 1);
    EXPECT_EQ(d.CalcDeposit, 1);
    EXPECT_EQ(d.CalcLoanCosts, 0);
    EXPECT_EQ(d.CalcExpenses, 1);
    EXPECT_EQ(d.CalcDepFitt, 1);
    EXPECT_EQ(d.CalcDepBuild, 0);
    // The loan term is not limited: a term of 0 or less runs as interest only.
    EXPECT_EQ(d.LoanTerm, -4);

    // Values inside their ranges stay.
    d.ShowYear = 40;
    d.LCYears = 99;
    d.NamesOnTitle = 2;
    d.LoanType = 1;
    d.LimitInputs();
    EXPECT_EQ(d.ShowYear + d.LCYears + d.NamesOnTitle + d.LoanType, 40 + 99 + 2 + 1);
}

// The whole numbers the file holds in 16 bits keep to that range, as the file would write
// them (a settings value of 671168004 payments a year was worked with, but saved as 32767).
TEST(InvestmentTest, LimitInputsToWhatTheFileHolds) {
    struct Case {
        int Investment::*field;
        int given, limited;
    } cases[] = {
        {&Investment::PeriodsPerYear, 671168004, 32767}, {&Investment::PeriodsPerYear, -40000, -32768},
        {&Investment::PeriodsPerYear, 52, 52},           {&Investment::LoanTerm, 32768, 32767},
        {&Investment::LoanTerm, -2147483647 - 1, -32768}, {&Investment::LoanTerm, 30, 30},
        {&Investment::LCYears, 2147483647, 32767},        {&Investment::LCYears, 32767, 32767},
    };
    for (const Case& c : cases) {
        Investment d;
        d.*c.field = c.given;
        d.LimitInputs();
        EXPECT_EQ(d.*c.field, c.limited) << c.given;
    }
}

} // namespace
