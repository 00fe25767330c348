// The loan as it runs: changes of the interest rate, an offset account, extra repayments; and
// expenses with a growth of their own. The figures were worked out with a separate monthly
// amortisation, outside the program.
#include <gtest/gtest.h>

#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/Returns.h"
#include "model/Scales.h"

namespace {

constexpr double kCents = 0.005;

// $500,000 borrowed, nothing else bought: no duty, deposit or loan costs.
Investment Loan500k(int loanType, int term = 30, double rate = 6.0) {
    Investment d;
    d.UseSDScale = 0;
    d.StampDutyCost = 0;
    d.Conveyancing = 0;
    d.Renovations = 500000;
    d.MarketValue = 500000;
    d.CalcDeposit = 0;
    d.CashDeposit = 0;
    d.CalcLoanCosts = 0;
    d.LoanCosts = 0;
    d.LoanType = loanType;
    d.LoanTerm = term;
    d.RateInterest = rate;
    d.Rent = 500;
    return d;
}

void Work(Investment& d) {
    d.LimitInputs();
    d.Recalculate(Scales{});
}

TEST(LoanCosts, ARateChangeWorksTheRepaymentOutAgainOverTheTermLeft) {
    Investment d = Loan500k(1);
    d.RateSteps = {{3, 7.5}};
    Work(d);
    ASSERT_EQ(d.LoanAmount, 500000);
    // $2,997.75 a month for two years at 6 %, then $3,474.10 over the 28 years left at 7.5 %.
    EXPECT_NEAR(LoanRepayment(500000, 30, 6, 12), 2997.7526, 0.0001);
    EXPECT_NEAR(LoanRepayment(d.At(Row::Debt, 1), 28, 7.5, 12), 3474.0973, 0.0001);
    struct Year { int column; double interest, debt; } years[] = {
        {0, 29832.9729, 500000},  // Debt[0] stays the amount borrowed
        {1, 29454.2676, 487341.1775},
        {2, 36370.2174, 482022.2275},
    };
    for (const Year& y : years) {
        EXPECT_NEAR(d.At(Row::InterestPaid, y.column), y.interest, kCents) << y.column;
        EXPECT_NEAR(d.At(Row::Debt, y.column), y.debt, kCents) << y.column;
    }
    // The principal of year 3 is twelve repayments at the new rate less its interest.
    EXPECT_NEAR(d.At(Row::PrincipalPaid, 2), 12 * 3474.0973 - 36370.2174, 0.01);
    EXPECT_EQ(d.LoanPaidOffYear, 30);
}

TEST(LoanCosts, InterestOnlyYearsPayTheRateOfTheirYear) {
    Investment d = Loan500k(0);
    d.RateSteps = {{2, 7.0}, {4, 5.0}};
    Work(d);
    const double interest[] = {30000, 35000, 35000, 25000, 25000};
    for (int c = 0; c < 5; ++c) EXPECT_NEAR(d.At(Row::InterestPaid, c), interest[c], kCents) << c;
    EXPECT_EQ(d.LoanPaidOffYear, 0);
}

TEST(LoanCosts, AnOffsetAccountSavesInterestOnItsBalance) {
    struct Case {
        const char* what;
        int loanType;
        double opening, monthly;
        double interest, saved, offsetAtEnd;
    } cases[] = {
        // $50,000 against $500,000 interest only at 6 %: interest on $450,000.
        {"interest only", 0, 50000, 0, 27000, 3000, 50000},
        // $1,000 more each month: the offset is 50,000 + 1,000 m in month m + 1.
        {"interest only, paid in monthly", 0, 50000, 1000, 26670, 3330, 62000},
        // Principal and interest at $2,997.75: the interest saved repays principal sooner.
        {"principal and interest", 1, 50000, 0, 26749.0824, 3083.8906, 50000},
    };
    for (const Case& c : cases) {
        Investment d = Loan500k(c.loanType);
        d.OffsetOpening = c.opening;
        d.OffsetMonthly = c.monthly;
        Work(d);
        EXPECT_NEAR(d.At(Row::InterestPaid, 0), c.interest, kCents) << c.what;
        EXPECT_NEAR(d.InterestSavedByYear[0], c.saved, kCents) << c.what;
        EXPECT_NEAR(d.OffsetByYear[0], c.offsetAtEnd, kCents) << c.what;
        EXPECT_NEAR(d.OffsetPaidInByYear[0], 12 * c.monthly, kCents) << c.what;
    }
    // The repayment stays: what the offset saves is principal repaid.
    Investment d = Loan500k(1);
    d.OffsetOpening = 50000;
    Work(d);
    EXPECT_NEAR(d.At(Row::PrincipalPaid, 0), 9223.9492, kCents);
}

TEST(LoanCosts, AnOffsetLargerThanTheLoanChargesNoInterest) {
    Investment d = Loan500k(0);
    d.OffsetOpening = 600000;
    Work(d);
    EXPECT_EQ(d.At(Row::InterestPaid, 0), 0);
    EXPECT_NEAR(d.InterestSavedByYear[0], 30000, kCents);
}

TEST(LoanCosts, TheSurplusPaidIntoTheOffsetIsTheInvestorsOwnMoney) {
    // No tax, no inflation, a loan at 0 %: money in the offset earns nothing and loses
    // nothing, so the net present value is what it is without the offset.
    Investment plain = Loan500k(0, 30, 0.0);
    plain.RateInfl = 0;
    plain.Rent = 1000;
    plain.TaxableHim = 0;
    plain.DepBuildPC = 0;
    plain.DepFittPC = 0;
    Work(plain);
    Investment offset = plain;
    offset.OffsetOpening = 20000;
    offset.OffsetMonthly = 100;
    offset.OffsetSurplus = 1;
    Work(offset);
    ASSERT_GT(offset.At(Row::AfterTaxCash, 0), 0);
    EXPECT_NEAR(offset.OffsetPaidInByYear[0], 1200 + offset.At(Row::AfterTaxCash, 0), kCents);
    EXPECT_NEAR(offset.NPV, plain.NPV, 0.001);
    EXPECT_NEAR(offset.NPVAfterSale, plain.NPVAfterSale, 0.001);
}

TEST(LoanCosts, ExtraRepaymentsPayTheLoanOffEarly) {
    struct Case {
        double extra;
        int fromYear;
        int paidOff;
    } cases[] = {
        {0, 1, 30},
        {1000, 1, 17},
        {500, 5, 23},
    };
    for (const Case& c : cases) {
        Investment d = Loan500k(1);
        d.ExtraRepayment = c.extra;
        d.ExtraFromYear = c.fromYear;
        Work(d);
        EXPECT_EQ(d.LoanPaidOffYear, c.paidOff) << c.extra;
        EXPECT_EQ(d.At(Row::Debt, c.paidOff - 1), 0) << c.extra;
        EXPECT_GT(d.At(Row::Debt, c.paidOff - 2), 0) << c.extra;
    }
}

TEST(LoanCosts, ExpensesGrowByTheirOwnRate) {
    struct Case { int follows; double rate, second, third; } cases[] = {
        {1, 5.0, 1020, 1040.4}, // inflation, 2 %
        {0, 5.0, 1050, 1102.5},
        {0, -10.0, 900, 810},
    };
    for (const Case& c : cases) {
        Investment d = Loan500k(0);
        d.CalcExpenses = 0;
        d.Expenses = 1000;
        d.ExpensesFollowInflation = c.follows;
        d.RateExpensesGrowth = c.rate;
        Work(d);
        EXPECT_NEAR(d.At(Row::ExpensesPaid, 1), c.second, 1e-9) << c.rate;
        EXPECT_NEAR(d.At(Row::ExpensesPaid, 2), c.third, 1e-9) << c.rate;
    }
}

TEST(LoanCosts, RateChangesAreKeptInOrderAndWithinLimits) {
    struct Case { std::vector<RateStep> in, out; } cases[] = {
        {{{5, 7}, {2, 6}}, {{2, 6}, {5, 7}}},
        {{{0, 7}, {99, 6}}, {{1, 7}, {40, 6}}},
        {{{3, 7}, {3, 8}}, {{3, 8}}},
        {{{3, 2000}, {4, -200}}, {{3, 1000}, {4, -100}}},
    };
    for (Case& c : cases) {
        LimitRateSteps(c.in);
        EXPECT_EQ(c.in, c.out);
    }
    std::vector<RateStep> many;
    for (int y = 1; y <= 12; ++y) many.push_back({y, 5});
    LimitRateSteps(many);
    EXPECT_EQ(many.size(), kMaxRateSteps);

    struct Text { const char* text; std::vector<RateStep> steps; } texts[] = {
        {"3:7.5;5:6", {{3, 7.5}, {5, 6}}},
        {"", {}},
        {"3:7.5;x", {}},
        {"3:7.5:1", {}},
        {"3,5:7", {}},
    };
    for (const Text& t : texts) EXPECT_EQ(ParseRateSteps(t.text), t.steps) << t.text;
    EXPECT_EQ(RateStepsText({{3, 7.5}, {5, 6}}), "3:7.5;5:6");
}

} // namespace
