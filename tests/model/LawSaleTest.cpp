// The projection and the sale under the law of their dates, for the investment of
// tests/model/LawExample.h. The expected figures were worked out apart from the
// program, year by year from the rules: each year taxed under the scale of the income year it
// starts in, losses carried from the first year starting on or after 1 July 2027 (established
// dwelling bought after 12 May 2026) or from year 1 (New Zealand), the value on 1 July 2027
// the market value grown at the growth rate compounded to that day, the base after it indexed
// monthly at the inflation rate, and the top-up 30 % of the indexed gain less the basic tax it
// adds.
#include <gtest/gtest.h>

#include "model/Investment.h"
#include "model/Law.h"
#include "model/Sale.h"
#include "model/Scales.h"
#include "tests/model/LawExample.h"

namespace {

struct LawCase {
    const char* name;
    int law, year, month, newBuild;
    double rent, growth, him, her;
    int years;
    // Expected: year 1's tax saving and fittings depreciation, the loss carried after years 1
    // and 2 and at the sale, the sale's pieces.
    double saving1, fittings1, carried1, carried2, carriedAtSale;
    double before, after, indexedBase, taxableGain, topUp, tax, valueAfter;
    int withinBrightLine;
};

const LawCase kCases[] = {
    // Year 1 (December 2026) deducts its loss under the 2026-27 scale; carried from year 2.
    // Sold December 2036, 2036-37 under the last scale: the 7 months to 1 July 2027 lose
    // 2,436.02 (the purchase costs), offset against the indexed gain; the minimum tax does not
    // bind at a 120,000 income.
    {"established, December 2026, ten years", 1, 2026, 12, 0, 1000, 4, 120000, 0, 10, 4229.8125,
     0, 0, 12040.3640, 51520.1742, -2436.0197, 163380.7569, 991209.7853, 109424.5629, 0,
     48755.3672, 431103.7751, 0},
    {"the same as a new build", 1, 2026, 12, 1, 1000, 4, 120000, 0, 10, 7301.8125, 9600, 0, 0, 0,
     -2436.0197, 163380.7569, 991209.7853, 160944.7372, 0, 72969.8490, 406889.2932, 0},
    {"joint names: half the gains each", 1, 2026, 12, 0, 1000, 4, 120000, 60000, 10, 4229.8125,
     0, 0, 12040.3640, 51520.1742, -2436.0197, 163380.7569, 991209.7853, 109424.5629, 0,
     40548.5249, 439310.6173, 0},
    // Bought after the switch: no part before it, the base indexed from March 2028. No other
    // income: the basic tax on 73,124.89 is 12,189.47, below 30 % of it by 9,748.00.
    {"established, March 2028, no other income", 1, 2028, 3, 0, 1000, 4, 0, 0, 10, 0, 0,
     13218.1640, 25258.5280, 64738.3382, 0, 137863.2268, 1016727.3154, 73124.8886, 9748.0,
     23399.9643, 456459.1779, 0},
    // Bought before Budget night, sold January 2027: half of the 37,050 gain under 2026-27.
    {"sold before 1 July 2027", 1, 2026, 1, 0, 700, 10, 120000, 0, 1, 7998.7725, 0, 0, 0, 0,
     37050, 0, 0, 18525, 0, 6174.75, 177093.85, 0},
    // Ring-fenced from year 1, no building depreciation; within the bright-line period the
    // gain less the loss carried is income.
    {"New Zealand, sold after one year", 2, 2026, 6, 0, 700, 10, 120000, 0, 1, 0, 9600,
     24596.1640, 46447.8680, 24596.1640, 0, 0, 0, 2453.8360, 0, 809.7659, 182458.8341, 1},
    {"New Zealand, sold after three years", 2, 2026, 6, 0, 700, 10, 120000, 0, 3, 0, 9600,
     24596.1640, 46447.8680, 65914.3782, 0, 0, 0, 0, 0, 0, 363448.60, 0},
};

void SetUpCase(Investment& doc, const LawCase& c) {
    SetUpLawExample(doc, {c.law, c.year, c.month, c.newBuild, c.rent, c.growth, c.him, c.her,
                          c.years});
}

TEST(LawSale, FiguresAgreeWithTheWorkingByHand) {
    for (const LawCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Investment doc;
        SetUpCase(doc, c);
        EXPECT_NEAR(doc.At(Row::TaxSaving, 0), c.saving1, 0.005);
        EXPECT_NEAR(doc.At(Row::FittingsDep, 0), c.fittings1, 0.005);
        EXPECT_NEAR(doc.CarriedLossByYear[0], c.carried1, 0.005);
        EXPECT_NEAR(doc.CarriedLossByYear[1], c.carried2, 0.005);
        EXPECT_NEAR(doc.CarriedLossByYear[static_cast<std::size_t>(c.years - 1)],
                    c.carriedAtSale, 0.005);
        EXPECT_NEAR(doc.GainBeforeSwitch, c.before, 0.005);
        EXPECT_NEAR(doc.GainAfterSwitch, c.after, 0.005);
        EXPECT_NEAR(doc.IndexedCostBase, c.indexedBase, 0.005);
        EXPECT_NEAR(doc.TaxableGain, c.taxableGain, 0.005);
        EXPECT_NEAR(doc.MinimumTaxTopUp, c.topUp, 0.005);
        EXPECT_NEAR(doc.SaleTax, c.tax, 0.005);
        EXPECT_NEAR(doc.ValueAfterSale, c.valueAfter, 0.005);
        EXPECT_EQ(doc.WithinBrightLine, c.withinBrightLine);
    }
}

// Every point of the chart of rates after sale is the sale of its own date: the year-1 point
// of the New Zealand case is taxed, the year-3 point is not.
TEST(LawSale, EveryHoldingPeriodIsSoldUnderTheLawOfItsDate) {
    Investment doc;
    SetUpCase(doc, kCases[6]);
    EXPECT_NEAR(WorkOutSale(doc, 1, ShippedTaxScale(0)).tax, 809.7659, 0.005);
    EXPECT_TRUE(WorkOutSale(doc, 1, ShippedTaxScale(0)).withinBrightLine);
    EXPECT_EQ(WorkOutSale(doc, 3, ShippedTaxScale(0)).tax, 0);
    // A longer bright-line period taxes the third year's sale too: 207,230 less 65,914.38
    // carried, on top of 127,308: 33 % to 180,000, 39 % above.
    doc.BrightLineYears = 5;
    EXPECT_NEAR(WorkOutSale(doc, 3, ShippedTaxScale(0)).tax, 51951.5725, 0.005);
}

TEST(LawSale, IncomeYearsOfTheProjection) {
    Investment doc;
    SetUpCase(doc, kCases[0]);
    EXPECT_EQ(doc.IncomeYearByYear[0], 2026);
    EXPECT_EQ(doc.IncomeYearByYear[1], 2027);
    EXPECT_EQ(doc.IncomeYearByYear[39], 2065);
    LawCase plain = kCases[0];
    plain.law = kOneScaleForEveryYear;
    SetUpCase(doc, plain);
    EXPECT_EQ(doc.IncomeYearByYear[0], 0);
    EXPECT_EQ(doc.GainAfterSwitch, 0);
}

} // namespace
