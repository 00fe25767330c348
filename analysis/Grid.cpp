#include "analysis/Grid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "format/Format.h"

double DefaultStep(WhatIfInput input, double presentValue) {
    switch (input) {
    case WhatIfInput::VacancyRate: return 1.0;
    case WhatIfInput::DepositPC: return 5.0;
    case WhatIfInput::Rent:
    case WhatIfInput::Price:
    case WhatIfInput::TaxableIncome: {
        const double target = std::fabs(presentValue) * 0.05;
        if (!(target >= 1.0) || !std::isfinite(target)) return 1.0;
        const double power = std::pow(10.0, std::floor(std::log10(target)));
        for (double m : {1.0, 2.0, 5.0})
            if (m * power >= target) return m * power;
        return 10.0 * power;
    }
    default: return 0.5;
    }
}

SensitivityGrid WorkOutGrid(WhatIf& whatIf, GridSetup setup) {
    setup.rows.steps = std::clamp(setup.rows.steps, 0, kMaxGridSteps);
    setup.columns.steps = std::clamp(setup.columns.steps, 0, kMaxGridSteps);
    SensitivityGrid grid;
    grid.setup = setup;
    const double rowPresent = whatIf.BaseValue(setup.rows.input);
    const double columnPresent = whatIf.BaseValue(setup.columns.input);
    for (int k = -setup.rows.steps; k <= setup.rows.steps; ++k)
        grid.rowValues.push_back(AxisValue(rowPresent, setup.rows, k));
    for (int k = -setup.columns.steps; k <= setup.columns.steps; ++k)
        grid.columnValues.push_back(AxisValue(columnPresent, setup.columns, k));
    grid.centreRow = setup.rows.steps;
    grid.centreColumn = setup.columns.steps;

    grid.cells.reserve(grid.rowValues.size() * grid.columnValues.size());
    for (double rowValue : grid.rowValues) {
        for (double columnValue : grid.columnValues) {
            const InputChange changes[2] = {{setup.rows.input, rowValue},
                                            {setup.columns.input, columnValue}};
            grid.cells.push_back(whatIf.Result(changes, setup.result));
        }
    }
    return grid;
}

double ShadeReference(const SensitivityGrid& grid) {
    const WhatIfResult r = grid.setup.result;
    const bool cashFlow = r == WhatIfResult::AvgCashFlowWeek || r == WhatIfResult::CashFlowYear;
    const double centre = grid.cells.empty() ? NoValue : grid.Centre();
    return cashFlow || IsNoValue(centre) ? 0.0 : centre;
}

std::vector<Shade> CellShades(const SensitivityGrid& grid) {
    const double reference = ShadeReference(grid);
    double span = 0;
    for (double x : grid.cells)
        if (!IsNoValue(x)) span = std::max(span, std::fabs(x - reference));
    std::vector<Shade> shades;
    shades.reserve(grid.cells.size());
    for (double v : grid.cells) {
        if (IsNoValue(v)) {
            shades.push_back({230, 230, 230});
            continue;
        }
        if (!(span > 0)) {
            shades.push_back({255, 255, 255});
            continue;
        }
        const double t = std::clamp((v - reference) / span, -1.0, 1.0);
        const Shade far = t >= 0 ? Shade{120, 200, 120} : Shade{235, 120, 120};
        const double a = std::fabs(t) * 0.75;
        auto mix = [a](int channel) { return static_cast<int>(std::lround(255 * (1 - a) + channel * a)); };
        shades.push_back({mix(far.red), mix(far.green), mix(far.blue)});
    }
    return shades;
}

std::string InputText(WhatIfInput input, double value) {
    return FormatValue(value, InfoOf(input).unit == Unit::Percent ? "%0.00" : "$0,m");
}

std::string ResultText(WhatIfResult result, double value) {
    return FormatValue(value, InfoOf(result).unit == Unit::Percent ? "%0.00" : "$0,m(");
}

std::string GridCaption(const SensitivityGrid& grid) {
    // The inputs' names in the middle of a sentence: "Interest rate" as "interest rate".
    auto lower = [](std::string_view label) {
        std::string text(label);
        if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
        return text;
    };
    return std::string(InfoOf(grid.setup.result).label) + " by " +
           lower(InfoOf(grid.setup.rows.input).label) + " (rows) and " +
           lower(InfoOf(grid.setup.columns.input).label) +
           " (columns). Bold: the investment as it stands; green above " +
           ResultText(grid.setup.result, ShadeReference(grid)) + ", red below.";
}

namespace {

// The shortest plain decimals that read back as exactly `v` (no exponent, for pasting).
std::string CellText(double v) {
    if (IsNoValue(v)) return "?????";
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buf, result.ptr) : ExactNumber(v);
}

} // namespace

std::string GridText(const SensitivityGrid& grid) {
    std::string text;
    text += InfoOf(grid.setup.result).label;
    text += " (";
    text += InfoOf(grid.setup.rows.input).label;
    text += " / ";
    text += InfoOf(grid.setup.columns.input).label;
    text += ')';
    for (double v : grid.columnValues) {
        text += '\t';
        text += CellText(v);
    }
    text += '\n';
    for (int r = 0; r < grid.Rows(); ++r) {
        text += CellText(grid.rowValues[static_cast<std::size_t>(r)]);
        for (int c = 0; c < grid.Columns(); ++c) {
            text += '\t';
            text += CellText(grid.At(r, c));
        }
        text += '\n';
    }
    return text;
}
