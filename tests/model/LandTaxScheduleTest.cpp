// Land tax by State and the depreciation schedule. The land tax figures were worked out by
// hand from the revenue offices' scales: NSW nil to 1,075,000, then 100 + 1.6 % of the
// excess, 88,036 + 2 % above 6,571,000; Qld from 600,000: 500 + 1 %, from 1,000,000:
// 4,500 + 1.65 %, from 3,000,000: 37,500 + 1.25 %.
#include <gtest/gtest.h>

#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/LandTax.h"
#include "model/Scales.h"

namespace {

// $500,000 of building bought outright, $500 a week of rent.
Investment Bought(int state, double land, double other) {
    Investment d;
    d.UseSDScale = 0;
    d.StampDutyCost = 0;
    d.Renovations = 500000;
    d.MarketValue = 500000;
    d.Rent = 500;
    d.LandTaxState = state;
    d.LandValue = land;
    d.OtherLandValue = other;
    return d;
}

void Work(Investment& d) {
    d.LimitInputs();
    d.Recalculate(Scales{});
}

TEST(LandTax, ThisLandBearsTheTaxOnTheTotalLessTheTaxOnTheOtherLand) {
    struct Case { int state; double land, other, tax; } cases[] = {
        // NSW: 900,000 in all is under the threshold.
        {kLandTaxNSW, 400000, 500000, 0},
        // 1,300,000: 100 + 1.6 % x 225,000 = 3,700; the other 700,000 pays nil.
        {kLandTaxNSW, 600000, 700000, 3700},
        // 2,100,000: 16,500; the other 1,200,000: 2,100.
        {kLandTaxNSW, 900000, 1200000, 14400},
        // 7,000,000: 88,036 + 2 % x 429,000 = 96,616; the other 6,000,000: 78,900.
        {kLandTaxNSW, 1000000, 6000000, 17716},
        // Exactly the threshold "exceeded": nil.
        {kLandTaxNSW, 1075000, 0, 0},
        // Qld: exactly 600,000 in all pays the band's 500; a dollar less pays nil.
        {kLandTaxQld, 350000, 250000, 500},
        {kLandTaxQld, 349999, 250000, 0},
        // 1,200,000: 4,500 + 1.65 % x 200,000 = 7,800; the other 700,000: 1,500.
        {kLandTaxQld, 500000, 700000, 6300},
        // Exactly 3,000,000: 37,500; the other 2,200,000: 24,300.
        {kLandTaxQld, 800000, 2200000, 13200},
        // Victoria's fixed steps and Tasmania's start, at and one dollar below.
        {kLandTaxVic, 49999, 0, 0},
        {kLandTaxVic, 50000, 0, 500},
        {kLandTaxVic, 100000, 0, 975},
        {kLandTaxVic, 299999, 0, 975},
        {kLandTaxVic, 300000, 0, 1350},
        {kLandTaxTas, 124999, 0, 0},
        {kLandTaxTas, 125000, 0, 50},
        // WA: nil at 300,000, a flat 300 above.
        {kLandTaxWA, 300000, 0, 0},
        {kLandTaxWA, 300001, 0, 300},
        // The ACT charges the property alone: 3,346 + 1.12 % x 25,000, whatever else is held.
        {kLandTaxACT, 300000, 1000000, 3626},
    };
    for (const Case& c : cases) {
        Investment d = Bought(c.state, c.land, c.other);
        Work(d);
        EXPECT_NEAR(d.LandTaxByYear[0], c.tax, 0.005)
            << kLandTaxStateNames[static_cast<std::size_t>(c.state)] << " " << c.land;
    }
}

TEST(LandTax, TheLandGrowsAndTheThresholdsMayFollowInflation) {
    // NSW, 1,000,000 of land growing 10 % a year, inflation 5 %.
    struct Case { int thresholdsGrow; double year1, year2, year3; } cases[] = {
        // Year 2: 1,100,000 pays 100 + 1.6 % x 25,000; year 3: 1,210,000 pays 2,260.
        {0, 0, 500, 2260},
        // Thresholds x 1.05: 1,128,750 is not exceeded; year 3 x 1.1025: 110.25 + 1.6 % x
        // (1,210,000 - 1,185,187.50).
        {1, 0, 0, 507.25},
    };
    for (const Case& c : cases) {
        Investment d = Bought(kLandTaxNSW, 1000000, 0);
        d.LandFollowsGrowth = 0;
        d.RateLandGrowth = 10;
        d.RateInfl = 5;
        d.LandThresholdsGrow = c.thresholdsGrow;
        Work(d);
        EXPECT_NEAR(d.LandTaxByYear[0], c.year1, 0.005) << c.thresholdsGrow;
        EXPECT_NEAR(d.LandTaxByYear[1], c.year2, 0.005) << c.thresholdsGrow;
        EXPECT_NEAR(d.LandTaxByYear[2], c.year3, 0.005) << c.thresholdsGrow;
    }
}

TEST(LandTax, EditedRowsTakeThePlaceOfTheStates) {
    // NSW with the threshold edited to 1,200,000: 1,300,000 pays 100 + 1.6 % x 100,000.
    Investment d = Bought(kLandTaxNSW, 1300000, 0);
    d.LandTaxRows = {{6571000, 2.0, 88036, false}, {1200000, 1.6, 100, false}};
    Work(d);
    EXPECT_EQ(d.LandTaxRows[0].above, 1200000); // kept in order of their amounts
    EXPECT_NEAR(d.LandTaxByYear[0], 1700, 0.005);
}

TEST(LandTax, IsADeductionAndACostOfTheYear) {
    Investment without = Bought(kNoLandTax, 600000, 700000);
    Investment with = Bought(kLandTaxNSW, 600000, 700000);
    Work(without);
    Work(with);
    // 3,700 in year 1, with the land growing by the capital growth of 4.5 %: 627,000 and
    // 731,500 in year 2 pay 100 + 1.6 % x 283,500 = 4,636.
    EXPECT_NEAR(with.LandTaxByYear[1], 4636, 0.005);
    EXPECT_NEAR(with.At(Row::Deductions, 1) - without.At(Row::Deductions, 1), 4636, 1e-6);
    EXPECT_NEAR(without.At(Row::PreTaxCash, 1) - with.At(Row::PreTaxCash, 1), 4636, 1e-6);
    // The net yield counts year 1's 3,700 as a cost of holding.
    EXPECT_NEAR((without.NetYield - with.NetYield) * with.MarketValue / 100, 3700, 1e-6);
}

TEST(DepreciationSchedule, TheSurveyorsFiguresReplaceRateAndMethod) {
    Investment d = Bought(kNoLandTax, 0, 0);
    // The rate would give 2.5 % of half of 500,000: 6,250 a year.
    d.BuildingSchedule = {9140, 9140, 9100.5};
    d.PlantSchedule = {3200, 2500, 0, 1800};
    Investment byRate = Bought(kNoLandTax, 0, 0);
    Work(d);
    Work(byRate);
    const double building[] = {9140, 9140, 9100.5, 0, 0};
    const double plant[] = {3200, 2500, 0, 1800, 0};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(d.At(Row::BuildingDep, c), building[c]) << c;
        EXPECT_EQ(d.At(Row::FittingsDep, c), plant[c]) << c;
    }
    EXPECT_EQ(byRate.At(Row::BuildingDep, 0), 6250);
    EXPECT_EQ(d.Depreciation, 12340);
    // Year 1 deducts 9,140 + 3,200 instead of 6,250.
    EXPECT_NEAR(d.At(Row::Deductions, 0) - byRate.At(Row::Deductions, 0), 6090, 1e-6);
}

TEST(DepreciationSchedule, APastedColumnGivesItsFigures) {
    struct Case { const char* text; std::vector<double> figures; } cases[] = {
        {"$9,140\n8,900.50\r\n\n 8650\tnote\n", {9140, 8900.5, 8650}},
        {"100\n0\n0\n", {100}},       // the zeros at the end are no years
        {"100\nabc\n", {}},           // a line that is no figure: nothing
        {"-5\n7\n", {0, 7}},          // a deduction is never below 0
    };
    for (const Case& c : cases) EXPECT_EQ(ParseScheduleColumn(c.text), c.figures) << c.text;
    std::string tooMany;
    for (int i = 0; i < 41; ++i) tooMany += "1\n";
    EXPECT_TRUE(ParseScheduleColumn(tooMany).empty());
}

} // namespace
