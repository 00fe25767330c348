// The series of the five charts: for the worked example (interest only and principal and
// interest) and for tables made up to reach the edge cases.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/charts/ChartSeries.h"
#include "ui/shell/Commands.h"

namespace {

// Distinct values, so that a colour in the wrong place shows.
const Colours kColours = {RGBColour(1, 1, 1), RGBColour(2, 2, 2), RGBColour(3, 3, 3),
                          RGBColour(4, 4, 4), RGBColour(5, 5, 5)};

// Qld duty and the start-up tax scale, built-in defaults, a 300,000 property let at 350 a week.
CVELPPCDoc WorkedExample(int loanType = 0) {
    ResetScalesToStartup();
    CVELPPCDoc doc;
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.LoanType = loanType;
    doc.Recalculate(false);
    return doc;
}

void SetRow(CVELPPCDoc& doc, Row row, double value) {
    for (int c = 0; c < kTableColumns; ++c) doc.At(row, c) = value;
}

} // namespace

TEST(ChartSeries, WorkedExampleIsWhatTheChartsExpect) {
    // The charts below lean on these figures of the recalculation.
    const CVELPPCDoc doc = WorkedExample();
    EXPECT_NEAR(doc.CashDeposit, 15496.25, 0.005);
    EXPECT_NEAR(doc.At(Row::AfterTaxCash, 0), -5394.19, 0.005);
    EXPECT_NEAR(doc.IRR, 13.86, 0.005);
}

TEST(ChartSeries, ValueAndDebt) {
    const CVELPPCDoc doc = WorkedExample();
    const ChartData chart = ValueDebtChart(doc, kColours);
    EXPECT_EQ(chart.caption, "Value & Debt");
    EXPECT_EQ(chart.unit, "($)");
    EXPECT_EQ(chart.count, 25);
    EXPECT_EQ(chart.seriesCount, 2);
    EXPECT_EQ(chart.labels[0], "Value");
    EXPECT_EQ(chart.labels[1], "Debt");
    EXPECT_EQ(chart.colours[0], kColours.GR1Color);
    EXPECT_EQ(chart.colours[1], kColours.GR2Color);
    EXPECT_DOUBLE_EQ(chart.values[0][0], 313500);
    EXPECT_NEAR(chart.values[0][24], 300000 * std::pow(1.045, 25), 0.01);
    // Interest only: the debt stays the amount borrowed.
    for (int c = 0; c < 40; ++c) EXPECT_NEAR(chart.values[1][c], 298845.18125, 1e-6);
}

TEST(ChartSeries, ValueAndDebtPrincipalAndInterest) {
    const CVELPPCDoc doc = WorkedExample(1);
    const ChartData chart = ValueDebtChart(doc, kColours);
    EXPECT_NEAR(chart.values[1][0], 298845.18, 0.005);
    EXPECT_NEAR(chart.values[1][1], 291299.06, 0.005);
    EXPECT_EQ(chart.values[1][24], 0);
}

TEST(ChartSeries, CashFlows) {
    const CVELPPCDoc doc = WorkedExample();
    const ChartData chart = CashFlowsChart(doc, kColours);
    EXPECT_EQ(chart.caption, "Cash Flows");
    EXPECT_EQ(chart.unit, "($)");
    EXPECT_EQ(chart.labels[0], "Pre-tax");
    EXPECT_EQ(chart.labels[1], "After-tax");
    EXPECT_EQ(chart.seriesCount, 2);
    EXPECT_NEAR(chart.values[0][0], -11660.84, 0.005);
    EXPECT_NEAR(chart.values[1][0], -5394.19, 0.005);
    for (int c = 0; c < 40; ++c) {
        EXPECT_EQ(chart.values[0][c], doc.At(Row::PreTaxCash, c));
        EXPECT_EQ(chart.values[1][c], doc.At(Row::AfterTaxCash, c));
    }
    // Whatever the example gives in year 25, the count follows its sign.
    EXPECT_EQ(chart.count, doc.At(Row::AfterTaxCash, 24) < 0 ? 35 : 25);
}

TEST(ChartSeries, CashFlowsLookFurtherWhileYearTwentyFiveCostsMoney) {
    CVELPPCDoc doc;
    doc.At(Row::AfterTaxCash, 24) = -0.01;
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 35);
    doc.At(Row::AfterTaxCash, 24) = 0;
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 25);
    // Only year 25 decides.
    doc.At(Row::AfterTaxCash, 23) = -500;
    doc.At(Row::AfterTaxCash, 25) = -500;
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 25);
}

TEST(ChartSeries, WhoPaysWorkedExample) {
    const CVELPPCDoc doc = WorkedExample();
    const ChartData chart = WhoPaysChart(doc, kColours);
    EXPECT_EQ(chart.caption, "Who Pays?");
    EXPECT_EQ(chart.unit, "(%)");
    EXPECT_EQ(chart.count, 25);
    EXPECT_EQ(chart.seriesCount, 3);
    EXPECT_EQ(chart.labels[0], "Tenant");
    EXPECT_EQ(chart.labels[1], "Taxman");
    EXPECT_EQ(chart.labels[2], "You");
    EXPECT_EQ(chart.colours[0], kColours.GR3Color);
    EXPECT_EQ(chart.colours[1], kColours.GR1Color);
    EXPECT_EQ(chart.colours[2], kColours.GR2Color);

    // Year 1: outgoings 4,095 + 25,401.84; rent 17,836; tax saving 6,266.65.
    const double outgoings = 4095 + 25401.84;
    EXPECT_EQ(chart.values[0][0], 100);
    EXPECT_NEAR(chart.values[1][0], 100 - 100 * 17836 / outgoings, 0.001);
    EXPECT_NEAR(chart.values[2][0], 100 * (outgoings - 17836 - 6266.65) / outgoings, 0.001);
    for (int c = 0; c < 40; ++c) {
        EXPECT_LE(chart.values[2][c], chart.values[1][c]);
        EXPECT_LE(chart.values[1][c], chart.values[0][c]);
    }
}

TEST(ChartSeries, WhoPaysShares) {
    CVELPPCDoc doc;
    SetRow(doc, Row::ExpensesPaid, 400);
    SetRow(doc, Row::InterestPaid, 600);
    SetRow(doc, Row::RentReceived, 300);
    SetRow(doc, Row::TaxSaving, 200);
    // Year 2: no outgoings at all -> no bar.
    doc.At(Row::ExpensesPaid, 1) = 0;
    doc.At(Row::InterestPaid, 1) = 0.00005;
    // Year 3: the rent alone exceeds the outgoings -> all tenant.
    doc.At(Row::RentReceived, 2) = 1500;
    // Year 4: a negative tax saving (the rent is taxed) counts as none.
    doc.At(Row::TaxSaving, 3) = -250;
    // Year 5: a negative rent counts as none.
    doc.At(Row::RentReceived, 4) = -100;

    const ChartData chart = WhoPaysChart(doc, kColours);
    auto year = [&](int c) {
        return std::array<double, 3>{chart.values[0][c], chart.values[1][c], chart.values[2][c]};
    };
    EXPECT_EQ(year(0), (std::array<double, 3>{100, 70, 50}));
    EXPECT_EQ(year(1), (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(year(2), (std::array<double, 3>{100, 0, 0}));
    EXPECT_EQ(year(3), (std::array<double, 3>{100, 70, 70}));
    EXPECT_EQ(year(4), (std::array<double, 3>{100, 100, 80}));
}

TEST(ChartSeries, BankComparisonWorkedExample) {
    const CVELPPCDoc doc = WorkedExample();
    const ChartData chart = BankComparisonChart(doc, kColours);
    EXPECT_EQ(chart.caption, "Property vs Cash");
    EXPECT_EQ(chart.unit, "($)");
    EXPECT_EQ(chart.count, 25);
    EXPECT_EQ(chart.seriesCount, 2);
    EXPECT_EQ(chart.labels[0], "Property");
    EXPECT_EQ(chart.labels[1], "Cash (8.50%)");

    // The bank pays 8.5 % taxed at 31.5 % (30 % and the levy for 47,000), monthly.
    const double g = 1 + (1 - 0.315) * 8.5 / 1200;
    const double months12 = (std::pow(g, 12) - 1) / (g - 1); // g^0 + ... + g^11
    // The deposit grows one month before the first year starts.
    EXPECT_NEAR(chart.values[1][0], 15496.25 * std::pow(g, 13), 0.001);
    // The first year costs 5,394.19, paid into the property month by month.
    const double cost = -doc.At(Row::AfterTaxCash, 0);
    const double equity = doc.At(Row::Equity, 0);
    EXPECT_NEAR(chart.values[0][0], cost / 12 * months12 + equity, 0.001);
    EXPECT_NEAR(equity, 313500 - 298845.18125, 1e-6);
}

TEST(ChartSeries, BankComparisonMoneyReturnedStaysOutOfTheBank) {
    ResetScalesToStartup();
    CVELPPCDoc doc;
    doc.CashDeposit = 10000;
    doc.RateInterest = 6;
    doc.TaxableHim = 5000; // below the first band and the levy: untaxed interest
    SetRow(doc, Row::AfterTaxCash, 1200);
    SetRow(doc, Row::Equity, 50000);
    const ChartData chart = BankComparisonChart(doc, kColours);
    EXPECT_EQ(chart.labels[1], "Cash (6.00%)");
    const double g = 1.005;
    const double months12 = (std::pow(g, 12) - 1) / (g - 1);
    EXPECT_NEAR(chart.values[1][0], 10000 * std::pow(g, 13) - 100 * months12, 1e-6);
    EXPECT_NEAR(chart.values[1][1],
                chart.values[1][0] * std::pow(g, 12) - 100 * months12, 1e-6);
    // Nothing went into the property: only its equity.
    EXPECT_DOUBLE_EQ(chart.values[0][0], 50000);
    EXPECT_DOUBLE_EQ(chart.values[0][39], 50000);
}

TEST(ChartSeries, RateOfReturnWorkedExample) {
    for (int loanType : {0, 1}) {
        SCOPED_TRACE(loanType);
        const CVELPPCDoc doc = WorkedExample(loanType);
        const ChartData chart = RateOfReturnChart(doc, kColours);
        EXPECT_EQ(chart.caption, "Internal Rates of Return");
        EXPECT_EQ(chart.unit, "(%)");
        EXPECT_EQ(chart.count, 25);
        EXPECT_EQ(chart.seriesCount, 1);
        EXPECT_EQ(chart.labels[0], "If kept");
        // Kept ten years, the rate is the record's own (ProjectionYear 10).
        EXPECT_NEAR(chart.values[0][9], loanType == 0 ? 13.86 : 11.97, 0.005);
        EXPECT_DOUBLE_EQ(chart.values[0][9], doc.IRR);
        for (int c = 0; c < 40; ++c) EXPECT_GE(chart.values[0][c], 0);
    }
}

TEST(ChartSeries, RateOfReturnShowsNoLossAndNoMissingRate) {
    CVELPPCDoc doc;
    // No deposit and only money coming in: there is no rate at all.
    doc.CashDeposit = 0;
    SetRow(doc, Row::AfterTaxCash, 1000);
    SetRow(doc, Row::Equity, 5000);
    ChartData chart = RateOfReturnChart(doc, kColours);
    for (int c = 0; c < 40; ++c) EXPECT_EQ(chart.values[0][c], 0) << c;

    // A deposit that never comes back: a negative rate.
    doc.CashDeposit = 100000;
    SetRow(doc, Row::AfterTaxCash, -1000);
    SetRow(doc, Row::Equity, 10);
    chart = RateOfReturnChart(doc, kColours);
    for (int c = 0; c < 40; ++c) EXPECT_EQ(chart.values[0][c], 0) << c;
}

TEST(ChartSeries, ProjectionYearDoesNotChangeTheYearsShown) {
    CVELPPCDoc doc = WorkedExample();
    doc.ProjectionYear = 3;
    doc.Recalculate(false);
    for (int command : {CmdValueDebt, CmdWhoPays, CmdBankComparison, CmdRateOfReturn})
        EXPECT_EQ(BuildChart(doc, command, kColours)->count, 25) << command;
}

TEST(ChartSeries, BuildChartByCommand) {
    const CVELPPCDoc doc = WorkedExample();
    EXPECT_EQ(BuildChart(doc, CmdValueDebt, kColours)->caption, "Value & Debt");
    EXPECT_EQ(BuildChart(doc, CmdCashFlows, kColours)->caption, "Cash Flows");
    EXPECT_EQ(BuildChart(doc, CmdWhoPays, kColours)->caption, "Who Pays?");
    EXPECT_EQ(BuildChart(doc, CmdBankComparison, kColours)->caption, "Property vs Cash");
    EXPECT_EQ(BuildChart(doc, CmdRateOfReturn, kColours)->caption, "Internal Rates of Return");
    EXPECT_FALSE(BuildChart(doc, CmdPreferences, kColours).has_value());
}

TEST(ChartSeries, RequestPointsIntoTheChart) {
    const CVELPPCDoc doc = WorkedExample();
    const FontSpec fonts[2] = {{}, {"Arial", 15, 700}};
    const ChartData chart = ValueDebtChart(doc, kColours);
    const ChartRequest request = chart.Request(fonts);
    EXPECT_EQ(request.count, 25);
    EXPECT_EQ(request.series[0], chart.values[0].data());
    EXPECT_EQ(request.series[1], chart.values[1].data());
    EXPECT_EQ(request.series[2], nullptr);
    EXPECT_EQ(request.caption, "Value & Debt");
    EXPECT_EQ(request.axisTitle, "Years from purchase");
    EXPECT_EQ(request.unit, "($)");
    EXPECT_EQ(request.labels[1], "Debt");
    EXPECT_EQ(request.colours[2], kColours.GR3Color);
    EXPECT_EQ(request.fonts, fonts);

    const ChartData whoPays = WhoPaysChart(doc, kColours);
    EXPECT_EQ(whoPays.Request().series[2], whoPays.values[2].data());
}

TEST(ChartSeries, NewRequestTakesTheChartColoursInUse) {
    const Colours saved = CurrentColours;
    CurrentColours.GR1Color = RGBColour(9, 8, 7);
    CurrentColours.GR3Color = kAutomaticColour;
    const ChartRequest request;
    CurrentColours = saved;
    EXPECT_EQ(request.colours[0], RGBColour(9, 8, 7));
    EXPECT_EQ(request.colours[1], saved.GR2Color);
    EXPECT_EQ(request.colours[2], kAutomaticColour);
    EXPECT_EQ(request.caption, "Histogram");
    EXPECT_EQ(request.count, 0);
}
