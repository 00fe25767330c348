// The five charts of the Graphics menu as data: which rows of the annual table they show or
// which series they derive from it, with their captions, units, labels and colours.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/charts/ChartRequest.h"

// One chart ready to show: it owns its series, which a ChartRequest then points into.
struct ChartData {
    std::string caption;
    std::string unit = "($)";
    int count = 25;
    int seriesCount = 1; // series 1 to seriesCount are given
    std::array<Investment::YearArray, 3> values{};
    std::array<std::string, 3> labels;
    std::array<ColourValue, 3> colours{};

    // A request that points into this object, which must outlive it.
    ChartRequest Request(const FontSpec* fonts = nullptr) const;
};

inline constexpr int kChartYears = 25;
// "Cash Flows" looks further ahead while the investment still costs money in year 25.
inline constexpr int kLongChartYears = 35;

ChartData ValueDebtChart(const Investment& doc, const Colours& colours);
ChartData CashFlowsChart(const Investment& doc, const Colours& colours);
ChartData WhoPaysChart(const Investment& doc, const Colours& colours);
// Uses MarginalTaxRate under the tax scale in force.
ChartData BankComparisonChart(const Investment& doc, const TaxScale& tax, const Colours& colours);
ChartData RateOfReturnChart(const Investment& doc, const Colours& colours);
// The holding IRR of every holding period 1..40, kept and after sale (under the tax scale in
// force); not a Graphics menu chart, the workspace's "Sale" tab shows it.
ChartData SaleReturnChart(const Investment& doc, const TaxScale& tax, const Colours& colours);
// "Internal Rates of Return" as the Graphics menu's window draws it, on a scale from 0: a loss
// is no bar.
void WithoutLosses(ChartData& chart);

// The caption of a Graphics command's chart; empty for any other command.
std::string_view ChartCaption(int command);
// The chart of a Graphics command id; none for any other command.
std::optional<ChartData> BuildChart(const Investment& doc, const Scales& scales, int command,
                                    const Colours& colours);
