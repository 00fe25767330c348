// The automatic value axis: the helpers against their examples, and the bounds and tick
// counts that whole series give.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "format/Format.h"
#include "ui/charts/ChartScale.h"

namespace {

ChartScale ScaleOf(std::vector<double> values, const char* unit = "($)") {
    static std::vector<double> keep;
    keep = std::move(values);
    ChartRequest request;
    request.count = static_cast<int>(keep.size());
    request.series[0] = keep.data();
    request.unit = unit;
    return ComputeChartScale(request);
}

} // namespace

TEST(ChartScale, DecimalExponent) {
    EXPECT_EQ(DecimalExponent(7300), 3);
    EXPECT_EQ(DecimalExponent(-250), 2);
    EXPECT_EQ(DecimalExponent(1), 0);
    EXPECT_EQ(DecimalExponent(9.99), 0);
    EXPECT_EQ(DecimalExponent(10), 1);
    EXPECT_EQ(DecimalExponent(0.042), -2);
    // Zero, tiny values and values that twenty steps cannot reach count as exponent 0.
    EXPECT_EQ(DecimalExponent(0), 0);
    EXPECT_EQ(DecimalExponent(5e-8), 0);
    EXPECT_EQ(DecimalExponent(1e25), 0);
    EXPECT_EQ(DecimalExponent(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(DecimalExponent(std::numeric_limits<double>::infinity()), 0);
}

TEST(ChartScale, NiceCeilingExamples) {
    EXPECT_DOUBLE_EQ(NiceCeiling(7300), 8000);
    EXPECT_DOUBLE_EQ(NiceCeiling(120000), 200000);
    EXPECT_DOUBLE_EQ(NiceCeiling(4500), 5000);
    EXPECT_DOUBLE_EQ(NiceCeiling(8.5), 10);
    EXPECT_DOUBLE_EQ(NiceCeiling(3), 3);
    EXPECT_DOUBLE_EQ(NiceCeiling(0.042), 0.05);
}

TEST(ChartScale, NiceCeilingSkipsSevenAndNine) {
    EXPECT_DOUBLE_EQ(NiceCeiling(6.5), 8);
    EXPECT_DOUBLE_EQ(NiceCeiling(7), 8);
    EXPECT_DOUBLE_EQ(NiceCeiling(8.2), 10);
    EXPECT_DOUBLE_EQ(NiceCeiling(9000), 10000);
    EXPECT_DOUBLE_EQ(NiceCeiling(12.3), 20);
    EXPECT_DOUBLE_EQ(NiceCeiling(3200), 4000);
    // Within 0.00001 of a whole leading digit counts as that digit.
    EXPECT_NEAR(NiceCeiling(5000.001), 5000.001, 1e-9);
}

TEST(ChartScale, DecimalPlaces) {
    EXPECT_EQ(DecimalPlaces(8000), 0);
    EXPECT_EQ(DecimalPlaces(2.5), 1);
    EXPECT_EQ(DecimalPlaces(0.05), 2);
    EXPECT_EQ(DecimalPlaces(12.000001), 0);
    EXPECT_EQ(DecimalPlaces(std::numeric_limits<double>::infinity()), 0);
}

TEST(ChartScale, ChooseTickCountExamples) {
    EXPECT_EQ(ChooseTickCount(8000), 4);   // 4 of 2,000
    EXPECT_EQ(ChooseTickCount(100), 5);    // 5 of 20
    EXPECT_EQ(ChooseTickCount(20), 4);     // 4 of 5
    EXPECT_EQ(ChooseTickCount(350), 7);    // 7 of 50
    EXPECT_EQ(ChooseTickCount(340), 2);    // 2 of 170
    EXPECT_EQ(ChooseTickCount(205000), 5); // 5 of 41,000
}

TEST(ChartScale, ChooseTickCountOtherRanges) {
    EXPECT_EQ(ChooseTickCount(300), 3);
    EXPECT_EQ(ChooseTickCount(6), 6);
    EXPECT_EQ(ChooseTickCount(0.05), 5);
    EXPECT_EQ(ChooseTickCount(400000), 4);
    EXPECT_EQ(ChooseTickCount(0.1), 5);
    // No count divides 10.3 evenly (103 tenths is prime): one interval.
    EXPECT_EQ(ChooseTickCount(10.3), 1);
}

TEST(ChartScale, AllZeroGivesOneIntervalOfHundred) {
    const ChartScale s = ScaleOf(std::vector<double>(25, 0.0));
    EXPECT_EQ(s.lower, 0);
    EXPECT_EQ(s.upper, 100);
    EXPECT_EQ(s.range, 100);
    EXPECT_EQ(s.intervals, 1);
    EXPECT_EQ(s.step, 100);
}

TEST(ChartScale, PositiveValues) {
    const ChartScale s = ScaleOf({0, 1200, 7300, 5000});
    EXPECT_EQ(s.lower, 0);
    EXPECT_EQ(s.upper, 8000);
    EXPECT_EQ(s.intervals, 4);
    EXPECT_EQ(s.step, 2000);
}

TEST(ChartScale, NegativeAndPositiveValues) {
    const ChartScale s = ScaleOf({-4500, 0, 120000});
    EXPECT_EQ(s.lower, -5000);
    EXPECT_EQ(s.upper, 200000);
    EXPECT_EQ(s.range, 205000);
    EXPECT_EQ(s.intervals, 5);
    EXPECT_EQ(s.step, 41000);
}

TEST(ChartScale, OnlyNegativeValuesMirrorTheAxis) {
    const ChartScale s = ScaleOf({-100, -3200, -50});
    EXPECT_EQ(s.lower, -4000);
    EXPECT_EQ(s.upper, 4000);
    EXPECT_EQ(s.intervals, 4);
}

TEST(ChartScale, NegativePartLargerThanPositivePart) {
    const ChartScale s = ScaleOf({-12000, 3000});
    EXPECT_EQ(s.lower, -20000);
    EXPECT_EQ(s.upper, 20000);
}

TEST(ChartScale, PercentageScale) {
    ChartScale s = ScaleOf({1, 12.3, 4}, "(%)");
    EXPECT_EQ(s.lower, 0);
    EXPECT_EQ(s.upper, 20);
    EXPECT_EQ(s.intervals, 4);
    EXPECT_EQ(s.step, 5);

    s = ScaleOf({250, 3}, "(%)");
    EXPECT_EQ(s.upper, 100);
    EXPECT_EQ(s.intervals, 5);

    // Exactly 100 stays 100; negatives do not lower a percentage axis.
    s = ScaleOf({100, -30}, "(%)");
    EXPECT_EQ(s.lower, 0);
    EXPECT_EQ(s.upper, 100);

    // A unit without "%" keeps the plain scale.
    EXPECT_EQ(ScaleOf({12.3}, "($)").upper, 20);
    EXPECT_EQ(ScaleOf({3}, "($)").upper, 3);
}

TEST(ChartScale, NoValueAndNonNumbersDoNotStretchTheAxis) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ChartScale s = ScaleOf({NoValue, 7300, nan, inf, -inf, 10});
    EXPECT_EQ(s.lower, 0);
    EXPECT_EQ(s.upper, 8000);
}

TEST(ChartScale, EveryGivenSeriesCountsOnlyItsFirstCountValues) {
    const std::array<double, 4> a = {10, 20, 30, 99999};
    const std::array<double, 4> b = {-400, 5, 5, -99999};
    const std::array<double, 4> c = {0, 0, 70, 0};
    ChartRequest request;
    request.count = 3;
    request.series = {a.data(), b.data(), c.data()};
    const ChartScale s = ComputeChartScale(request);
    EXPECT_EQ(s.lower, -400);
    EXPECT_EQ(s.upper, 400);

    request.series[1] = nullptr; // a missing series 2 does not hide series 3
    EXPECT_EQ(ComputeChartScale(request).upper, 80);
}
