// Today's tax rules on the worked example: rental losses carried forward, the reduced Medicare
// levy, rent growth of its own and interest-only years before principal and interest. The
// expected figures were worked out apart from the program, by a short script that applies the
// rules as written to the worked example (its rent, deductions and loan from the purchase
// figures up) and by hand for the levy.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/Returns.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"

namespace {

constexpr double kCents = 0.005;

struct LossCase {
    const char* name;
    std::function<void(Investment&)> change;
    std::array<double, 10> carried;   // CarriedLossByYear, years 1..10
    std::array<double, 10> saving;    // TaxSaving, years 1..10
    double taxableGain, saleTax;      // sale after ten years
};

const LossCase kLossCases[] = {
    {"a loss carried three years and used up in years four to six",
     [](Investment& d) { d.DepositPC = 70; },
     {1909.57, 2824.31, 2882.74, 2194.45, 845.88, 0, 0, 0, 0, 0},
     {0, 0, 0, 0, 0, -432.82, -869.16, -1026.11, -1173.11, -1312.59},
     90909.28, 35844.29},
    {"joint names: each owner is taxed on half of the profit left",
     [](Investment& d) {
         d.DepositPC = 70;
         d.NamesOnTitle = 2;
     },
     {1909.57, 2824.31, 2882.74, 2194.45, 845.88, 0, 0, 0, 0, 0},
     {0, 0, 0, 0, 0, -329.76, -662.22, -781.80, -893.80, -1000.07},
     90909.28, 30954.84},
    {"losses carried from year 8: a loss left at the sale reduces the taxable gain",
     [](Investment& d) { d.LossRuleFromYear = 8; },
     {0, 0, 0, 0, 0, 0, 0, 14122.73, 27778.77, 40992.03},
     {6266.65, 5953.28, 5683.54, 5448.32, 5240.34, 4775.50, 4605.60, 0, 0, 0},
     49917.25, 18832.59},
};

TEST(TaxRules, RentalLossesCarriedForward) {
    Scales scales;
    for (const LossCase& c : kLossCases) {
        SCOPED_TRACE(c.name);
        Investment doc;
        SetUpWorkedExample(doc);
        doc.LossTreatment = 1;
        c.change(doc);
        doc.Recalculate(scales);
        for (int y = 0; y < 10; ++y) {
            EXPECT_NEAR(doc.CarriedLossByYear[y], c.carried[y], kCents) << "year " << y + 1;
            EXPECT_NEAR(doc.At(Row::TaxSaving, y), c.saving[y], kCents) << "year " << y + 1;
            const double cash = (((doc.At(Row::RentReceived, y) - doc.At(Row::InterestPaid, y)) -
                                  doc.At(Row::ExpensesPaid, y)) +
                                 doc.At(Row::TaxSaving, y)) -
                                doc.At(Row::PrincipalPaid, y);
            EXPECT_EQ(doc.At(Row::AfterTaxCash, y), cash);
        }
        EXPECT_NEAR(doc.TaxableGain, c.taxableGain, kCents);
        EXPECT_NEAR(doc.SaleTax, c.saleTax, kCents);
    }
}

TEST(TaxRules, RentGrowsByItsOwnRate) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.RateInfl = 3;
    doc.RentFollowsInflation = 0;
    doc.RateRentGrowth = 5;
    doc.Recalculate(scales);
    EXPECT_NEAR(doc.At(Row::RentReceived, 0), 17836.00, kCents);
    EXPECT_NEAR(doc.At(Row::RentReceived, 1), 18727.80, kCents);
    EXPECT_NEAR(doc.At(Row::RentReceived, 2), 19664.19, kCents);
    EXPECT_NEAR(doc.At(Row::RentReceived, 39), 119585.94, kCents);
    // Expenses and incomes keep following inflation.
    EXPECT_NEAR(doc.At(Row::ExpensesPaid, 1), 4095 * 1.03, kCents);
    EXPECT_NEAR(doc.TaxableHimByYear[1], 47000 * 1.03, 1e-9);
    EXPECT_NEAR(doc.At(Row::TaxSaving, 1), 5797.63, kCents);
}

struct LoanCase {
    const char* name;
    int term, interestOnlyYears;
    int year; // 1..40
    double debt, interest, principal;
};

const LoanCase kLoanCases[] = {
    {"interest only in year 5", 30, 5, 5, 298845.18, 25401.84, 0},
    {"year 6 repays as a 25-year loan", 30, 5, 6, 295231.82, 25263.22, 3613.37},
    {"year 29", 30, 5, 29, 27589.87, 3527.36, 25349.23},
    {"repaid in year 30", 30, 5, 30, 0, 1286.72, 27589.87},
    {"nothing after", 30, 5, 31, 0, 0, 0},
    {"a term within the interest-only years: never repaid", 5, 5, 40, 298845.18, 25401.84, 0},
};

TEST(TaxRules, InterestOnlyYearsThenPrincipalAndInterest) {
    Scales scales;
    for (const LoanCase& c : kLoanCases) {
        SCOPED_TRACE(c.name);
        Investment doc;
        SetUpWorkedExample(doc, 1);
        doc.LoanTerm = c.term;
        doc.InterestOnlyYears = c.interestOnlyYears;
        doc.Recalculate(scales);
        const int y = c.year - 1;
        EXPECT_NEAR(doc.At(Row::Debt, y), c.debt, kCents);
        EXPECT_NEAR(doc.At(Row::InterestPaid, y), c.interest, kCents);
        EXPECT_NEAR(doc.At(Row::PrincipalPaid, y), c.principal, kCents);
    }
}

TEST(TaxRules, InterestOnlyYearsLeaveAnInterestOnlyLoanAlone) {
    Scales scales;
    Investment plain, changed;
    SetUpWorkedExample(plain);
    SetUpWorkedExample(changed);
    changed.InterestOnlyYears = 5;
    changed.Recalculate(scales);
    EXPECT_EQ(changed.table, plain.table);
}

// Australia (25/26): 16 % from 18,200, levy 2 % above 28,011, at most 10 % of the excess.
struct LevyCase {
    double income, taxWith, taxWithout;
};
const LevyCase kLevyCases[] = {
    {28011, 1569.76, 1569.76},     // at the threshold: no levy
    {28012, 1569.92 + 0.10, 1569.92 + 560.24},
    {29000, 1728 + 98.90, 1728 + 580},
    {40000, 3488 + 800, 3488 + 800},
};

TEST(TaxRules, MedicareLevyReducedOnLowIncomes) {
    TaxScale scale = ShippedTaxScale(FindTaxLocation("Australia (25/26)"));
    ASSERT_TRUE(scale.MedicareShadeIn);
    for (const LevyCase& c : kLevyCases) {
        SCOPED_TRACE(c.income);
        scale.MedicareShadeIn = true;
        EXPECT_NEAR(ComputeIncomeTax(c.income, scale), c.taxWith, 1e-9);
        scale.MedicareShadeIn = false;
        EXPECT_NEAR(ComputeIncomeTax(c.income, scale), c.taxWithout, 1e-9);
    }
    // In the reduced band the levy takes a tenth of each further dollar.
    scale.MedicareShadeIn = true;
    EXPECT_DOUBLE_EQ(MarginalTaxRate(29000, scale), 0.16 + 0.1);
    EXPECT_DOUBLE_EQ(MarginalTaxRate(40000, scale), 0.16 + 0.02);
}

TEST(TaxRules, OnlyTheCurrentAustralianScalesReduceTheLevy) {
    for (int i = 0; i < kBuiltInTaxCount; ++i) {
        const std::string_view name = TaxLocationName(i);
        const bool current = name.starts_with("Australia (2");
        EXPECT_EQ(ShippedTaxScale(i).MedicareShadeIn, current) << name;
    }
    EXPECT_FALSE(StartupTaxScale().MedicareShadeIn);
}

TEST(TaxRules, DefaultsLeaveEveryFigureAsWithoutThem) {
    Scales scales;
    for (int loanType : {0, 1}) {
        Investment plain, ruled;
        SetUpWorkedExample(plain, loanType);
        SetUpWorkedExample(ruled, loanType);
        for (const AssumptionInput& in : kAssumptionInputs)
            EXPECT_EQ(AssumptionValue(ruled, in), in.builtIn) << in.name;
        for (double v : ruled.CarriedLossByYear) EXPECT_EQ(v, 0.0);
        // Rent given a growth of its own equal to inflation: the same to the bit.
        ruled.RentFollowsInflation = 0;
        ruled.RateRentGrowth = ruled.RateInfl;
        ruled.Recalculate(scales);
        EXPECT_EQ(ruled.table, plain.table);
        EXPECT_EQ(ruled.IRR, plain.IRR);
        // Losses carried forward on a projection without a loss: the same savings (the
        // profit is taxed on top of the income rather than the income and the rent less the
        // deductions, so the last bits may differ).
        ruled.LossTreatment = 1;
        ruled.DepositPC = plain.DepositPC = 100;
        plain.Recalculate(scales);
        ruled.Recalculate(scales);
        for (int c = 0; c < kTableColumns; ++c)
            EXPECT_NEAR(ruled.At(Row::TaxSaving, c), plain.At(Row::TaxSaving, c), 1e-6) << c;
        EXPECT_EQ(ruled.TaxableGain, plain.TaxableGain);
        for (double v : ruled.CarriedLossByYear) EXPECT_EQ(v, 0.0);
    }
}

} // namespace
