#include <gtest/gtest.h>

#include "model/Scales.h"

namespace {

class ScalesTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetScalesToStartup(); }
    void TearDown() override { ResetScalesToStartup(); }
};

TEST_F(ScalesTest, DutyWorkedFigures) {
    const DutyScale qld = ShippedDutyScale(0);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(400000, qld), 12475);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(20000, qld), 300);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(300000, qld), 8975);

    const DutyScale vic = ShippedDutyScale(2);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(870000, vic), 47860);
    EXPECT_NEAR(ComputeStampDuty(870000.01, vic), 47850.00055, 1e-6);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(1000000, vic), 55000);
    // The flat row replaces the marginal rows: the duty falls just above 870000.
    EXPECT_LT(ComputeStampDuty(870000.01, vic), ComputeStampDuty(870000, vic));

    EXPECT_NEAR(ComputeStampDuty(500000, ShippedDutyScale(5)), 26742, 1e-6);
}

TEST_F(ScalesTest, DutyOnHalfAMillionInEveryLocation) {
    const double expected[] = {15975, 17990, 25660, 21330, 24405, 26742, 17550, 20500, 0, 0};
    for (int i = 0; i < kDutyLocationCount; ++i)
        EXPECT_NEAR(ComputeStampDuty(500000, ShippedDutyScale(i)), expected[i], 1e-6)
            << kDutyLocations[i];
    EXPECT_NEAR(ComputeIncomeTax(47000, ShippedTaxScale(2)), 10665, 1e-9);
}

TEST_F(ScalesTest, DutyBoundariesAndEmptyScales) {
    const DutyScale qld = ShippedDutyScale(0);
    EXPECT_EQ(ComputeStampDuty(0, qld), 0);
    EXPECT_EQ(ComputeStampDuty(-5000, qld), 0);
    // A price equal to a row's amount belongs to the row below it.
    EXPECT_DOUBLE_EQ(ComputeStampDuty(50000, qld), 300 + 675);
    EXPECT_DOUBLE_EQ(ComputeStampDuty(50001, qld), 300 + 675 + 0.0275);
    // Above the last row.
    EXPECT_DOUBLE_EQ(ComputeStampDuty(800000, qld), 300 + 675 + 1375 + 4875 + 8750 + 8000 + 4500);

    for (double p : {0.0, 1.0, 300000.0, 5e9})
        EXPECT_EQ(ComputeStampDuty(p, ShippedDutyScale(kDutyLocationNone)), 0) << p;

    DutyScale empty = qld;
    empty.Count = 0;
    EXPECT_EQ(ComputeStampDuty(400000, empty), 0);
}

TEST_F(ScalesTest, DutyFlatRowInTheMiddleRestartsTheSum) {
    DutyScale s;
    s.Count = 3;
    s.Above = {0, 100000, 200000};
    s.Rate = {1, 2, 3};
    s.Flat = {0, 1, 0};
    // Inside the flat row: its rate on the whole price.
    EXPECT_DOUBLE_EQ(ComputeStampDuty(150000, s), 3000);
    // Above it: 2 % of the whole price, then the marginal rows on top.
    EXPECT_DOUBLE_EQ(ComputeStampDuty(250000, s), 5000 + 1500);
    s.BaseDuty = 100;
    EXPECT_DOUBLE_EQ(ComputeStampDuty(50000, s), 600);
}

TEST_F(ScalesTest, CountsOutsideTheRowsNeverReadPastThem) {
    EXPECT_EQ(RowsInUse(-5), 0);
    EXPECT_EQ(RowsInUse(0), 0);
    EXPECT_EQ(RowsInUse(7), 7);
    EXPECT_EQ(RowsInUse(11), 10);
    EXPECT_EQ(RowsInUse(32767), 10);

    DutyScale nt = ShippedDutyScale(5);
    const double all = ComputeStampDuty(600000, nt);
    nt.Count = 300;
    EXPECT_EQ(ComputeStampDuty(600000, nt), all);
    nt.Count = -3;
    EXPECT_EQ(ComputeStampDuty(600000, nt), 0);

    TaxScale t = StartupTaxScale();
    t.Count = kScaleRows;
    const double ten = ComputeIncomeTax(200000, t);
    t.Count = 11;
    EXPECT_EQ(ComputeIncomeTax(200000, t), ten);
    t.Count = -1;
    // Row 0 is the only band.
    EXPECT_DOUBLE_EQ(ComputeIncomeTax(200000, t), 200000 * 1.5 * 0.01);
}

TEST_F(ScalesTest, TaxWorkedFigures) {
    const TaxScale au0607 = ShippedTaxScale(0);
    EXPECT_DOUBLE_EQ(ComputeIncomeTax(47000, au0607), 9405);
    EXPECT_DOUBLE_EQ(ComputeIncomeTax(16740, au0607), 1611);

    EXPECT_DOUBLE_EQ(ComputeIncomeTax(47000, StartupTaxScale()), 10155);
    EXPECT_NEAR(ComputeIncomeTax(15530, StartupTaxScale()), 1662.45, 1e-9);

    EXPECT_NEAR(ComputeIncomeTax(50000, ShippedTaxScale(1)), 11370, 1e-9);
}

TEST_F(ScalesTest, TaxBoundaries) {
    const TaxScale s = StartupTaxScale();
    EXPECT_EQ(ComputeIncomeTax(-1000, s), 0);
    EXPECT_EQ(ComputeIncomeTax(0, s), 0);
    EXPECT_EQ(ComputeIncomeTax(6000, s), 0);
    // No levy at the threshold itself; one cent more pays it on the whole income.
    EXPECT_DOUBLE_EQ(ComputeIncomeTax(15529, s), 9529 * 0.15);
    EXPECT_NEAR(ComputeIncomeTax(15529.01, s), 9529.01 * 0.15 + 15529.01 * 0.015, 1e-9);
    for (double x : {0.0, 47000.0, 1e7})
        EXPECT_EQ(ComputeIncomeTax(x, ShippedTaxScale(kTaxLocationNone)), 0) << x;
}

TEST_F(ScalesTest, BuiltInTables) {
    EXPECT_EQ(kDutyLocations[kDutyLocationCustom], "Custom");
    EXPECT_EQ(kTaxLocations[kTaxLocationNone], "None ");
    const int dutyCounts[] = {7, 7, 4, 9, 5, 10, 6, 6, 1, 1};
    for (int i = 0; i < kDutyLocationCount; ++i) {
        const DutyScale s = ShippedDutyScale(i);
        EXPECT_EQ(s.Location, i);
        EXPECT_EQ(s.Count, dutyCounts[i]);
        EXPECT_EQ(s.BaseDuty, 0);
        for (int r = s.Count; r < kScaleRows; ++r)
            EXPECT_EQ(s.Above[r] + s.Rate[r] + s.Flat[r], 0);
        EXPECT_EQ(BuiltInDutyScales[i], s);
    }
    EXPECT_EQ(ShippedDutyScale(2).Flat[3] + ShippedDutyScale(5).Flat[9], 2);
    const int taxCounts[] = {5, 3, 5, 0, 0};
    for (int i = 0; i < kTaxLocationCount; ++i) {
        EXPECT_EQ(ShippedTaxScale(i).Count, taxCounts[i]);
        EXPECT_EQ(BuiltInTaxScales[i], ShippedTaxScale(i));
    }
    // Out-of-list locations give the "None" entries.
    EXPECT_EQ(ShippedDutyScale(10), ShippedDutyScale(kDutyLocationNone));
    EXPECT_EQ(ShippedTaxScale(-1), ShippedTaxScale(kTaxLocationNone));
}

TEST_F(ScalesTest, StartupScalesAndReset) {
    EXPECT_EQ(CurrentDutyScale, ShippedDutyScale(0));
    const TaxScale t = CurrentTaxScale;
    EXPECT_EQ(t, StartupTaxScale());
    EXPECT_EQ(t.Location, 0);
    EXPECT_EQ(t.Count, 5);
    EXPECT_EQ(t.Above[2], 25000);
    EXPECT_EQ(t.MedicareThreshold, 15529);
    EXPECT_EQ(t.MedicareRate, 1.5);
    EXPECT_NE(t, ShippedTaxScale(0));

    CurrentDutyScale = ShippedDutyScale(2);
    CurrentTaxScale.Count = 0;
    BuiltInDutyScales[kDutyLocationCustom].Count = 4;
    BuiltInTaxScales[kTaxLocationCustom].MedicareRate = 2;
    ResetScalesToStartup();
    EXPECT_EQ(CurrentDutyScale, StartupDutyScale());
    EXPECT_EQ(CurrentTaxScale, StartupTaxScale());
    EXPECT_EQ(BuiltInDutyScales[kDutyLocationCustom], ShippedDutyScale(kDutyLocationCustom));
    EXPECT_EQ(BuiltInTaxScales[kTaxLocationCustom], ShippedTaxScale(kTaxLocationCustom));
}

} // namespace
