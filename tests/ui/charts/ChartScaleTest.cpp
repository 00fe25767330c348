// The automatic value axis: the helpers against their examples, and the bounds and tick
// counts that whole series give.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "format/Format.h"
#include "ui/charts/ChartScale.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

ChartScale ScaleOf(const std::vector<double>& values, const char* unit = "($)") {
    ChartRequest request;
    request.count = static_cast<int>(values.size());
    request.series[0] = values.data();
    request.unit = unit;
    return ComputeChartScale(request);
}

} // namespace

TEST(ChartScale, Helpers) {
    for (auto [x, e] : {std::pair{7300.0, 3}, {-250.0, 2}, {9.99, 0}, {10.0, 1}, {0.042, -2},
                        // zero, tiny values and what twenty steps cannot reach give 0
                        {0.0, 0}, {5e-8, 0}, {1e25, 0}, {kNaN, 0}, {kInf, 0}})
        EXPECT_EQ(DecimalExponent(x), e) << x;
    for (auto [x, n] : {std::pair{7300.0, 8000.0}, {120000.0, 200000.0}, {4500.0, 5000.0},
                        {8.5, 10.0}, {3.0, 3.0}, {0.042, 0.05},
                        // seven and nine go one further
                        {6.5, 8.0}, {9000.0, 10000.0}, {12.3, 20.0}})
        EXPECT_DOUBLE_EQ(NiceCeiling(x), n) << x;
    // Within 0.00001 of a whole leading digit counts as that digit.
    EXPECT_NEAR(NiceCeiling(5000.001), 5000.001, 1e-9);
    for (auto [x, d] : {std::pair{8000.0, 0}, {2.5, 1}, {0.05, 2}, {12.000001, 0}, {kInf, 0}})
        EXPECT_EQ(DecimalPlaces(x), d) << x;
    for (auto [r, n] : {std::pair{8000.0, 4}, {100.0, 5}, {20.0, 4}, {350.0, 7}, {340.0, 2},
                        {205000.0, 5}, {300.0, 3}, {0.05, 5},
                        {10.3, 1}}) // 103 tenths: no count divides it
        EXPECT_EQ(ChooseTickCount(r), n) << r;
}

TEST(ChartScale, Bounds) {
    struct Case {
        std::vector<double> values;
        const char* unit;
        double lower, upper;
        int intervals;
    };
    const Case cases[] = {
        {std::vector<double>(25, 0.0), "($)", 0, 100, 1}, // nothing: one interval of 100
        {{0, 1200, 7300, 5000}, "($)", 0, 8000, 4},
        {{-4500, 0, 120000}, "($)", -5000, 200000, 5},   // 5 of 41,000
        {{-100, -3200, -50}, "($)", -4000, 4000, 4},     // as far above zero as below
        {{-12000, 3000}, "($)", -20000, 20000, 4},
        {{1, 12.3, 4}, "(%)", 0, 20, 4},
        {{250, 3}, "(%)", 0, 100, 5},
        {{100, -30}, "(%)", 0, 100, 5},                  // no negative percentage axis
        {{NoValue, 7300, kNaN, kInf, -kInf, 10}, "($)", 0, 8000, 4},
    };
    for (const Case& c : cases) {
        const ChartScale s = ScaleOf(c.values, c.unit);
        SCOPED_TRACE(c.values.size());
        EXPECT_EQ(s.lower, c.lower);
        EXPECT_EQ(s.upper, c.upper);
        EXPECT_EQ(s.range, c.upper - c.lower);
        EXPECT_EQ(s.intervals, c.intervals);
        EXPECT_DOUBLE_EQ(s.step, (c.upper - c.lower) / c.intervals);
    }
}

TEST(ChartScale, EveryGivenSeriesCountsOnlyItsFirstCountValues) {
    const double a[] = {10, 20, 30, 99999}, b[] = {-400, 5, 5, -99999}, c[] = {0, 0, 70, 0};
    ChartRequest request;
    request.count = 3;
    request.series = {a, b, c};
    EXPECT_EQ(ComputeChartScale(request).lower, -400);
    EXPECT_EQ(ComputeChartScale(request).upper, 400);
    request.series[1] = nullptr; // a missing series 2 does not hide series 3
    EXPECT_EQ(ComputeChartScale(request).upper, 80);
}

// A chart of rates shows a loss below zero; the axis otherwise starts at zero for rates.
TEST(ChartScale, LossesShownReachDownToTheLowestRate) {
    struct Case {
        std::vector<double> values;
        const char* unit;
        double lower, upper;
        int intervals;
    } cases[] = {
        // -37.5 goes down to -40; above zero the rates' own 12 % takes the least reach, 20:
        // 60 in 6 steps of 10.
        {{-37.5, 5, 12}, "(%)", -40, 20, 6},
        // -3 to -3, 25 up to 30: 33 in 3 steps of 11.
        {{-3, 8, 25}, "(%)", -3, 30, 3},
        // No loss: as before, 0 to 20 in 4.
        {{2, 8}, "(%)", 0, 20, 4},
        // Amounts already reach below zero: -400 to 400 in 4.
        {{-400, 100}, "($)", -400, 400, 4},
    };
    for (const Case& c : cases) {
        ChartRequest request;
        request.count = static_cast<int>(c.values.size());
        request.series[0] = c.values.data();
        request.unit = c.unit;
        const ChartScale s = WithLossesShown(request, ComputeChartScale(request));
        EXPECT_EQ(s.lower, c.lower) << c.values[0];
        EXPECT_EQ(s.upper, c.upper) << c.values[0];
        EXPECT_EQ(s.intervals, c.intervals) << c.values[0];
        EXPECT_DOUBLE_EQ(s.step, (c.upper - c.lower) / c.intervals) << c.values[0];
    }
}
