// The series of the five charts: for the worked example (interest only and principal and
// interest) and for tables made up to reach the edge cases.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/ui/charts/WorkedExample.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/ChartKind.h"

namespace {

// Distinct values, so that a colour in the wrong place shows.
const Colours kColours = {RGBColour(1, 1, 1), RGBColour(2, 2, 2), RGBColour(3, 3, 3),
                          RGBColour(4, 4, 4), RGBColour(5, 5, 5)};

void SetRow(Investment& doc, Row row, double value) {
    for (int c = 0; c < kTableColumns; ++c) doc.At(row, c) = value;
}

} // namespace

TEST(ChartSeries, CaptionsUnitsLabelsAndColours) {
    Scales scales;
    const Investment doc = WorkedExample();
    struct Expect {
        int command;
        const char* caption;
        const char* unit;
        int series;
        std::array<std::string, 3> labels;
        std::array<ColourValue, 3> colours;
    };
    const auto [bg1, bg2, gr1, gr2, gr3] = kColours;
    const Expect charts[] = {
        {ChartValueDebt, "Value & Debt", "($)", 2, {"Value", "Debt", ""}, {gr1, gr2, gr3}},
        {ChartCashFlows, "Cash Flows", "($)", 2, {"Pre-tax", "After-tax", ""}, {gr1, gr2, gr3}},
        {ChartWhoPays, "Who Pays?", "(%)", 3, {"Tenant", "Taxman", "You"}, {gr3, gr1, gr2}},
        {ChartBankComparison, "Property vs Cash", "($)", 2, {"Property", "Cash (8.50%)", ""},
         {gr1, gr2, gr3}},
        {ChartRateOfReturn, "Internal Rates of Return", "(%)", 1, {"If kept", "", ""},
         {gr1, gr2, gr3}},
    };
    for (const Expect& e : charts) {
        const auto chart = BuildChart(doc, scales, e.command, kColours);
        ASSERT_TRUE(chart) << e.caption;
        EXPECT_EQ(chart->caption, e.caption);
        EXPECT_EQ(chart->unit, e.unit);
        EXPECT_EQ(chart->seriesCount, e.series);
        EXPECT_EQ(chart->labels, e.labels);
        EXPECT_EQ(chart->colours, e.colours);
        // The request points into the chart's own series and keeps the axis title.
        const FontSpec fonts[2];
        const ChartRequest request = chart->Request(fonts);
        EXPECT_EQ(request.series[0], chart->values[0].data());
        EXPECT_EQ(request.series[2], e.series == 3 ? chart->values[2].data() : nullptr);
        EXPECT_EQ(request.axisTitle, "Years from purchase");
        EXPECT_EQ(request.fonts, fonts);
    }
    EXPECT_FALSE(BuildChart(doc, scales, 99, kColours));
}

TEST(ChartSeries, ValueDebtAndCashFlowsTakeTheirRows) {
    for (int loanType : {0, 1}) {
        const Investment doc = WorkedExample(loanType);
        const ChartData value = ValueDebtChart(doc, kColours);
        const ChartData cash = CashFlowsChart(doc, kColours);
        EXPECT_EQ(value.count, 25);
        for (int c = 0; c < 40; ++c) {
            EXPECT_EQ(value.values[0][c], doc.At(Row::PropertyValue, c));
            EXPECT_EQ(value.values[1][c], doc.At(Row::Debt, c));
            EXPECT_EQ(cash.values[0][c], doc.At(Row::PreTaxCash, c));
            EXPECT_EQ(cash.values[1][c], doc.At(Row::AfterTaxCash, c));
        }
    }
    const ChartData io = ValueDebtChart(WorkedExample(0), kColours);
    EXPECT_DOUBLE_EQ(io.values[0][0], 313500);
    EXPECT_NEAR(io.values[1][24], 298845.18125, 1e-6); // interest only: the debt stays
    const ChartData pi = ValueDebtChart(WorkedExample(1), kColours);
    EXPECT_NEAR(pi.values[1][1], 291299.06, 0.005);
    EXPECT_EQ(pi.values[1][24], 0);
    const ChartData cash = CashFlowsChart(WorkedExample(0), kColours);
    EXPECT_NEAR(cash.values[0][0], -11660.84, 0.005);
    EXPECT_NEAR(cash.values[1][0], -5394.19, 0.005);
}

TEST(ChartSeries, CashFlowsShow35YearsWhileYear25CostsMoney) {
    // Both worked examples still cost money in year 25 (the loan, or its last repayments).
    EXPECT_EQ(CashFlowsChart(WorkedExample(0), kColours).count, 35);
    EXPECT_EQ(CashFlowsChart(WorkedExample(1), kColours).count, 35);
    Investment doc;
    doc.At(Row::AfterTaxCash, 23) = doc.At(Row::AfterTaxCash, 25) = -500; // only year 25 counts
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 25);
    doc.At(Row::AfterTaxCash, 24) = -0.01;
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 35);
    // ProjectionYear changes nothing.
    doc.ProjectionYear = 3;
    EXPECT_EQ(CashFlowsChart(doc, kColours).count, 35);
    EXPECT_EQ(RateOfReturnChart(doc, kColours).count, 25);
}

TEST(ChartSeries, WhoPays) {
    const ChartData example = WhoPaysChart(WorkedExample(), kColours);
    // Year 1: outgoings 4,095 + 25,401.84; rent 17,836; tax saving 6,266.65.
    const double outgoings = 4095 + 25401.84;
    EXPECT_EQ(example.values[0][0], 100);
    EXPECT_NEAR(example.values[1][0], 100 - 100 * 17836 / outgoings, 0.001);
    EXPECT_NEAR(example.values[2][0], 100 * (outgoings - 17836 - 6266.65) / outgoings, 0.001);

    Investment doc;
    SetRow(doc, Row::ExpensesPaid, 400);
    SetRow(doc, Row::InterestPaid, 600);
    SetRow(doc, Row::RentReceived, 300);
    SetRow(doc, Row::TaxSaving, 200);
    doc.At(Row::ExpensesPaid, 1) = 0;           // year 2: no outgoings, no bar
    doc.At(Row::InterestPaid, 1) = 0.00005;
    doc.At(Row::RentReceived, 2) = 1500;        // year 3: rent above outgoings, all tenant
    doc.At(Row::TaxSaving, 3) = -250;           // year 4: tax on the rent counts as no saving
    doc.At(Row::RentReceived, 4) = -100;        // year 5: a negative rent counts as none
    const ChartData chart = WhoPaysChart(doc, kColours);
    const double expected[5][3] = {
        {100, 70, 50}, {0, 0, 0}, {100, 0, 0}, {100, 70, 70}, {100, 100, 80}};
    for (int c = 0; c < 5; ++c)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(chart.values[k][c], expected[c][k]) << c << k;
}

TEST(ChartSeries, BankComparison) {
    Scales scales;
    const Investment doc = WorkedExample();
    const ChartData chart = BankComparisonChart(doc, scales.tax, kColours);
    // The bank pays 8.5 % taxed at 31.5 % (30 % and the levy for 47,000), monthly.
    double g = 1 + (1 - 0.315) * 8.5 / 1200;
    double months = (std::pow(g, 12) - 1) / (g - 1); // g^0 + ... + g^11
    // The deposit grows one month before the first year; the first year's cost goes into
    // the property month by month, on top of its equity.
    EXPECT_NEAR(chart.values[1][0], 15496.25 * std::pow(g, 13), 0.001);
    EXPECT_NEAR(chart.values[0][0], 5394.19 / 12 * months + 313500 - 298845.18125, 0.01);

    // Money the property returns comes out of the bank instead.
    Investment positive;
    positive.CashDeposit = 10000;
    positive.RateInterest = 6;
    positive.TaxableHim = 5000; // below every band and the levy: untaxed interest
    SetRow(positive, Row::AfterTaxCash, 1200);
    SetRow(positive, Row::Equity, 50000);
    const ChartData bank = BankComparisonChart(positive, scales.tax, kColours);
    EXPECT_EQ(bank.labels[1], "Cash (6.00%)");
    g = 1.005;
    months = (std::pow(g, 12) - 1) / (g - 1);
    EXPECT_NEAR(bank.values[1][0], 10000 * std::pow(g, 13) - 100 * months, 1e-6);
    EXPECT_NEAR(bank.values[1][1], bank.values[1][0] * std::pow(g, 12) - 100 * months, 1e-6);
    EXPECT_DOUBLE_EQ(bank.values[0][39], 50000);
}

TEST(ChartSeries, RateOfReturn) {
    for (int loanType : {0, 1}) {
        const Investment doc = WorkedExample(loanType);
        const ChartData chart = RateOfReturnChart(doc, kColours);
        // Kept ten years, the rate is the record's own (ProjectionYear 10).
        EXPECT_NEAR(chart.values[0][9], loanType == 0 ? 13.86 : 11.97, 0.005);
        EXPECT_DOUBLE_EQ(chart.values[0][9], doc.IRR);
        // Kept one year, the purchase costs make it a loss: a bar below zero, none in the
        // Graphics menu's window.
        EXPECT_LT(chart.values[0][0], 0);
        ChartData window = chart;
        WithoutLosses(window);
        EXPECT_EQ(window.values[0][0], 0);
        EXPECT_EQ(window.values[0][9], chart.values[0][9]);
    }
    // No deposit and only money coming in: there is no rate at all.
    Investment doc;
    SetRow(doc, Row::AfterTaxCash, 1000);
    SetRow(doc, Row::Equity, 5000);
    const ChartData none = RateOfReturnChart(doc, kColours);
    for (double v : none.values[0]) EXPECT_EQ(v, 0);
    // A deposit that never comes back: no rate either, no bar.
    doc.CashDeposit = 100000;
    SetRow(doc, Row::AfterTaxCash, -1000);
    SetRow(doc, Row::Equity, 10);
    const ChartData loss = RateOfReturnChart(doc, kColours);
    for (double v : loss.values[0]) EXPECT_EQ(v, 0);
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
}
