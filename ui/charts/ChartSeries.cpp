#include "ui/charts/ChartSeries.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "format/Format.h"
#include "model/Returns.h"
#include "model/Sale.h"
#include "model/Scales.h"
#include "ui/charts/ChartKind.h"

namespace {

// A chart of `command` with a series for each of `labels` (one to three), in their order.
ChartData NewChart(int command, const Colours& colours,
                   std::initializer_list<std::string> labels) {
    ChartData chart;
    chart.caption = ChartCaption(command);
    chart.colours = {colours.GR1Color, colours.GR2Color, colours.GR3Color};
    chart.seriesCount = static_cast<int>(labels.size());
    std::copy(labels.begin(), labels.end(), chart.labels.begin());
    return chart;
}

// A rate as a bar: a loss, or no rate at all, shows as no bar.
// A rate as a bar: a loss stays negative (the tabs and the report draw it below the zero
// line); a rate that does not exist is no bar.
double BarRate(double rate) { return IsNoValue(rate) ? 0.0 : rate; }

void CopyRow(const Investment& doc, Row row, Investment::YearArray& out) {
    for (int c = 0; c < kTableColumns; ++c) out[c] = doc.At(row, c);
}

// A table row and the name its series has in the legend.
struct RowSeries {
    Row row;
    const char* label;
};

// A chart of two rows of the table as they stand.
ChartData TwoRowChart(const Investment& doc, const Colours& colours, int command,
                      RowSeries first, RowSeries second) {
    ChartData chart = NewChart(command, colours, {first.label, second.label});
    CopyRow(doc, first.row, chart.values[0]);
    CopyRow(doc, second.row, chart.values[1]);
    return chart;
}

} // namespace

std::string_view ChartCaption(int command) {
    switch (command) {
    case ChartValueDebt: return "Value & Debt";
    case ChartCashFlows: return "Cash Flows";
    case ChartWhoPays: return "Who Pays?";
    case ChartBankComparison: return "Property vs Cash";
    case ChartRateOfReturn: return "Internal Rates of Return";
    case ChartSaleReturns: return "Rates of Return After Sale";
    default: return {};
    }
}

ChartRequest ChartData::Request(const FontSpec* fonts) const {
    ChartRequest request;
    request.count = count;
    for (int k = 0; k < 3; ++k) {
        if (k < seriesCount) request.series[k] = values[k].data();
        request.labels[k] = labels[k];
        request.colours[k] = colours[k];
    }
    request.caption = caption;
    request.unit = unit;
    request.fonts = fonts;
    return request;
}

ChartData ValueDebtChart(const Investment& doc, const Colours& colours) {
    return TwoRowChart(doc, colours, ChartValueDebt, {Row::PropertyValue, "Value"},
                       {Row::Debt, "Debt"});
}

ChartData CashFlowsChart(const Investment& doc, const Colours& colours) {
    ChartData chart = TwoRowChart(doc, colours, ChartCashFlows, {Row::PreTaxCash, "Pre-tax"},
                                  {Row::AfterTaxCash, "After-tax"});
    if (doc.At(Row::AfterTaxCash, kChartYears - 1) < 0.0) chart.count = kLongChartYears;
    return chart;
}

ChartData WhoPaysChart(const Investment& doc, const Colours& colours) {
    ChartData chart = NewChart(ChartWhoPays, colours, {"Tenant", "Taxman", "You"});
    chart.unit = "(%)";
    // The tenant's share sits on top, the taxman's below it and the investor's at the bottom.
    chart.colours = {colours.GR3Color, colours.GR1Color, colours.GR2Color};
    auto& whole = chart.values[0];
    auto& notRent = chart.values[1];
    auto& own = chart.values[2];
    for (int c = 0; c < kTableColumns; ++c) {
        const double outgoings = doc.At(Row::ExpensesPaid, c) + doc.At(Row::InterestPaid, c);
        const double rent = std::max(doc.At(Row::RentReceived, c), 0.0);
        const double saving = std::max(doc.At(Row::TaxSaving, c), 0.0);
        const double mine = std::max(outgoings - rent - saving, 0.0);
        if (outgoings < 0.0001) continue; // nothing to pay: no bar
        own[c] = 100.0 * mine / outgoings;
        notRent[c] = std::max(100.0 - 100.0 * rent / outgoings, 0.0);
        whole[c] = 100.0;
    }
    return chart;
}

ChartData BankComparisonChart(const Investment& doc, const TaxScale& tax, const Colours& colours) {
    ChartData chart = NewChart(ChartBankComparison, colours,
                               {"Property", "Cash (" + FormatValue(doc.RateInterest, "0.00%") + ")"});
    // The bank pays the loan's rate, taxed at the investor's marginal rate, monthly. Money the
    // property costs goes into it; money it returns stays out of the bank.
    const double marginal = MarginalTaxRate(doc.TaxableHim, tax);
    const double growth = 1.0 + (1.0 - marginal) * doc.RateInterest / 1200.0;
    double property = 0.0;
    double cash = doc.CashDeposit * growth;
    for (int c = 0; c < kTableColumns; ++c) {
        const double flow = doc.At(Row::AfterTaxCash, c);
        for (int month = 0; month < 12; ++month) {
            cash *= growth;
            property *= growth;
            if (flow < 0.0)
                property -= flow / 12.0;
            else
                cash -= flow / 12.0;
        }
        chart.values[0][c] = property + doc.At(Row::Equity, c);
        chart.values[1][c] = cash;
    }
    return chart;
}

ChartData RateOfReturnChart(const Investment& doc, const Colours& colours) {
    ChartData chart = NewChart(ChartRateOfReturn, colours, {"If kept"});
    chart.unit = "(%)";
    const Investment::YearArray rates = HoldingRates(doc);
    for (int c = 0; c < kTableColumns; ++c)
        chart.values[0][c] = BarRate(rates[c]);
    return chart;
}

ChartData SaleReturnChart(const Investment& doc, const TaxScale& tax, const Colours& colours) {
    // The rates of keeping, with those after sale beside them over every holding period.
    ChartData chart = RateOfReturnChart(doc, colours);
    chart.caption = ChartCaption(ChartSaleReturns);
    chart.count = kTableColumns;
    chart.seriesCount = 2;
    chart.labels[1] = "After sale";
    for (int years = 1; years <= kTableColumns; ++years)
        chart.values[1][years - 1] = BarRate(WorkOutSale(doc, years, tax).irr);
    return chart;
}

void WithoutLosses(ChartData& chart) {
    for (Investment::YearArray& series : chart.values)
        for (double& v : series) v = std::max(v, 0.0);
}

std::optional<ChartData> BuildChart(const Investment& doc, const Scales& scales, int command,
                                    const Colours& colours) {
    switch (command) {
    case ChartValueDebt: return ValueDebtChart(doc, colours);
    case ChartCashFlows: return CashFlowsChart(doc, colours);
    case ChartWhoPays: return WhoPaysChart(doc, colours);
    case ChartBankComparison: return BankComparisonChart(doc, scales.tax, colours);
    case ChartRateOfReturn: return RateOfReturnChart(doc, colours);
    case ChartSaleReturns: return SaleReturnChart(doc, scales.tax, colours);
    default: return std::nullopt;
    }
}
