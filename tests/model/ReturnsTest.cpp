#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Returns.h"
#include "model/Scales.h"
#include "tests/model/WorkedExample.h"

namespace {

double Annual(double monthly) {
    return (std::pow(1 + monthly, 12) - 1) * 100;
}

TEST(HoldingIRRTest, DepositSeries) {
    // 1000 paid, nothing for a year, 1100 one month after the last monthly entry.
    const double flows[] = {0};
    const double r = HoldingIRR(1, 1000, flows, 1100);
    EXPECT_NEAR(r, (std::pow(1.1, 12.0 / 13) - 1) * 100, 1e-4);

    // Yearly flows arrive in twelfths.
    const double yearly[] = {1200, 1200, 1200};
    std::vector<double> s = {-10000};
    for (int y = 0; y < 3; ++y)
        for (int m = 0; m < 12; ++m)
            s.push_back(1200.0 / 12);
    s.push_back(10000);
    EXPECT_EQ(HoldingIRR(3, 10000, yearly, 10000), Annual(SolveSeriesRate(s.data(), s.size(), 12)));
    EXPECT_GT(HoldingIRR(3, 10000, yearly, 10000), 11.0);
}

TEST(HoldingIRRTest, NoDepositSkipsLeadingYearsWithoutCashFlow) {
    const double flows[] = {0, -1000, 600, 600};
    std::vector<double> s;
    for (double y : {-1000.0, 600.0, 600.0})
        for (int m = 0; m < 12; ++m)
            s.push_back(y / 12);
    s.push_back(50);
    const double expected = Annual(SolveSeriesRate(s.data(), s.size(), 12));
    ASSERT_GT(expected, -100);
    EXPECT_EQ(HoldingIRR(4, 0, flows, 50), expected);
    EXPECT_EQ(HoldingIRR(4, -100, flows, 50), expected);
    // A negative deposit is not in the series but counts in the sum of everything.
    EXPECT_EQ(HoldingIRR(4, -500, flows, 50), NoValue);
}

TEST(HoldingIRRTest, NoDepositWithoutAnswer) {
    const double positive[] = {100, 200, 300};
    EXPECT_EQ(HoldingIRR(3, 0, positive, 1000), NoValue);
    // Only the last year costs money: no year before it does.
    const double lastCosts[] = {100, 200, -300};
    EXPECT_EQ(HoldingIRR(3, 0, lastCosts, 1000), NoValue);
    const double costs[] = {-100, 200, 300};
    EXPECT_EQ(HoldingIRR(3, 0, costs, -0.01), NoValue);
    const double losing[] = {-1000, 200, 300};
    EXPECT_EQ(HoldingIRR(3, 0, losing, 0), NoValue);
    EXPECT_NE(HoldingIRR(3, 0, losing, 600), NoValue);
    EXPECT_NE(HoldingIRR(3, 0, costs, 0), NoValue);
    EXPECT_EQ(HoldingIRR(1, 0, costs, 1000), NoValue);
}

TEST(HoldingIRRTest, LossesGiveNegativeRateOrNone) {
    const double flows[] = {-100, -100, -100, -100, -100};
    const double r = HoldingIRR(5, 1000, flows, 100);
    EXPECT_LT(r, 0);
    EXPECT_TRUE(r == NoValue || r > -100) << r;
}

TEST(HoldingIRRTest, YearsAreLimited) {
    std::array<double, 41> flows{};
    flows.fill(1000);
    EXPECT_EQ(HoldingIRR(99, 10000, flows.data(), 5000), HoldingIRR(40, 10000, flows.data(), 5000));
    EXPECT_EQ(HoldingIRR(0, 10000, flows.data(), 5000), HoldingIRR(1, 10000, flows.data(), 5000));
}

TEST(SolveSeriesRateTest, Cases) {
    const double simple[] = {-100, 110};
    EXPECT_NEAR(SolveSeriesRate(simple, 2, 12), 0.1, 1e-7);
    EXPECT_EQ(SolveSeriesRate(simple, 0, 12), NoValue);
    EXPECT_EQ(SolveSeriesRate(simple, 1, 12), NoValue);
    // Every entry positive: the present value is never 0.
    const double positive[] = {100, 100, 100};
    EXPECT_EQ(SolveSeriesRate(positive, 3, 12), NoValue);
    // A flat present value.
    const double zeros[] = {0, 0, 0};
    EXPECT_EQ(SolveSeriesRate(zeros, 3, 12), NoValue);
}

TEST(DiscountAmountTest, PartYearsAndWholeYears) {
    const double a = 1000, r = 8;
    EXPECT_EQ(DiscountAmount(a, r, 0), a);
    EXPECT_EQ(DiscountAmount(a, r, 0.5), a / (0.5 * r * 0.01 + 1));
    EXPECT_DOUBLE_EQ(DiscountAmount(a, r, 3), a / 1.08 / 1.08 / 1.08);
    EXPECT_DOUBLE_EQ(DiscountAmount(a, r, 2.5), a / (0.5 * r * 0.01 + 1) / 1.08 / 1.08);
    // A fraction of 0.0001 or less counts as none.
    EXPECT_EQ(DiscountAmount(a, r, 2.00009), DiscountAmount(a, r, 2));
    EXPECT_NE(DiscountAmount(a, r, 2.0002), DiscountAmount(a, r, 2));
    EXPECT_EQ(DiscountAmount(a, -50, 1), 2000);

    EXPECT_EQ(DiscountAmount(a, -100, 1), NoValue);
    EXPECT_EQ(DiscountAmount(a, -100, 0.5), NoValue);
    EXPECT_EQ(DiscountAmount(a, -250, 2), NoValue);
    // Nothing to discount over no time.
    EXPECT_EQ(DiscountAmount(a, -100, 0), a);
}

TEST(MarginalTaxRateTest, StartupScale) {
    EXPECT_DOUBLE_EQ(MarginalTaxRate(47000, StartupTaxScale()), 0.315);
    EXPECT_DOUBLE_EQ(MarginalTaxRate(200000, StartupTaxScale()), 0.465);
    EXPECT_EQ(MarginalTaxRate(5000, StartupTaxScale()), 0);
    EXPECT_DOUBLE_EQ(MarginalTaxRate(15529, StartupTaxScale()), 0.15);
    EXPECT_DOUBLE_EQ(MarginalTaxRate(25000, StartupTaxScale()), 0.315);
    EXPECT_EQ(MarginalTaxRate(-100, StartupTaxScale()), 0);

    EXPECT_DOUBLE_EQ(MarginalTaxRate(50000, ShippedTaxScale(1)), 0.33);
    TaxScale none = StartupTaxScale();
    none.Count = 0;
    EXPECT_DOUBLE_EQ(MarginalTaxRate(47000, none), 0.015);
    // Rows past the count are not read; the rows past the scale's five (0 at 0 %) are.
    none.Count = 99;
    const double all = MarginalTaxRate(200000, none);
    none.Count = kScaleRows;
    EXPECT_EQ(MarginalTaxRate(200000, none), all);
}

class ResultStageTest : public ::testing::Test {
  protected:
    Scales scales;
    void SetUp() override { SetUpWorkedExample(doc); }
    Investment doc;
};

TEST_F(ResultStageTest, AverageWeeklyCashFlow) {
    for (int p : {1, 10, 40}) {
        doc.ProjectionYear = p;
        doc.Recalculate(scales);
        double sum = 0;
        for (int i = 0; i < p; ++i)
            sum += doc.At(Row::AfterTaxCashWeek, i);
        EXPECT_DOUBLE_EQ(doc.AvgCashFlowWeek, sum / p) << p;
    }
}

TEST_F(ResultStageTest, IrrIsTheHoldingRateOverTheProjection) {
    doc.ProjectionYear = 7;
    doc.Recalculate(scales);
    EXPECT_EQ(doc.IRR, HoldingIRR(7, doc.CashDeposit, doc.RowData(Row::AfterTaxCash),
                                  doc.At(Row::Equity, 6)));
}

TEST_F(ResultStageTest, NpvWithoutInflationIsThePlainSum) {
    doc.RateInfl = 0;
    doc.ProjectionYear = 5;
    doc.Recalculate(scales);
    double expected = -doc.CashDeposit;
    for (int i = 0; i < 5; ++i)
        expected += doc.At(Row::AfterTaxCash, i);
    expected += doc.At(Row::Equity, 4);
    EXPECT_NEAR(doc.NPV, expected, 1e-6);
}

TEST_F(ResultStageTest, NpvMidYearTiming) {
    doc.ProjectionYear = 2;
    doc.Recalculate(scales);
    const double d = 1.02;
    const double expected = -doc.CashDeposit + doc.At(Row::AfterTaxCash, 0) / (1 + 0.5 * 0.02) +
                            doc.At(Row::AfterTaxCash, 1) / (1 + 0.5 * 0.02) / d +
                            doc.At(Row::Equity, 1) / (1 + 0.5 * 0.02) / d;
    EXPECT_NEAR(doc.NPV, expected, 1e-6);
}

// A discount rate of -100 % or less has no present value, so there is no NPV either.
TEST_F(ResultStageTest, NoNpvAtInflationOfMinus100OrLess) {
    for (double infl : {-100.0, -150.0}) {
        doc.RateInfl = infl;
        doc.Recalculate(scales);
        EXPECT_EQ(doc.NPV, NoValue) << infl;
        EXPECT_TRUE(IsNoValue(doc.NPV));
    }
    doc.RateInfl = -99;
    doc.Recalculate(scales);
    EXPECT_NE(doc.NPV, NoValue);
}

} // namespace
