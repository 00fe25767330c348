#include "export/RiskReport.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "format/Format.h"
#include "model/Investment.h"

namespace {

constexpr const char* kRate = "0.00%";
constexpr const char* kResult = "$0,m(";
constexpr const char* kShare = "0.0"; // of 100

ReportLine Value(std::string label, double value, const char* format) {
    return {std::move(label), value, format, {}};
}

std::vector<ReportLine> PercentileCells(const Percentiles& p, const char* format) {
    std::vector<ReportLine> cells;
    for (double v : p) cells.push_back(Value({}, v, format));
    return cells;
}

std::vector<std::string> PercentileHeadings(const char* first) {
    return {first, "5 of 100", "25", "Median", "75", "95"};
}

} // namespace

RiskResults WorkOutRisk(const Investment& doc, const Scales& scales, const RiskSetup& setup) {
    return RiskRun(doc, scales, setup.parameters).Run(setup.paths, setup.seed, DefaultRiskThreads());
}

ReportSection RiskChanceSection(const RiskResults& r) {
    const std::string held = " (" + std::to_string(r.holdingYears) + " years)";
    return {"Chances, in 100 futures",
            {Value("The property beats the index fund" + held, r.beatsFund * 100, kShare),
             Value("The property beats the bank", r.beatsBank * 100, kShare),
             Value("Negative equity in some year held", r.negativeEquity * 100, kShare),
             Value("Weekly top-up over " + FormatValue(r.parameters.topUpLimit, "$0,m") + " in some year",
                   r.topUpOver * 100, kShare),
             Value("No rate of return (everything lost)",
                   100.0 * static_cast<double>(r.irrAfterSale.noValue) /
                       static_cast<double>(r.paths > 0 ? r.paths : 1),
                   kShare),
             Value("Worst 5 of 100: mean NPV after sale", r.worst.meanNpv, kResult),
             Value("Worst 5 of 100: mean IRR after sale", r.worst.meanIrr, kRate),
             Value("Worst 5 of 100: mean largest weekly top-up", r.worst.meanLargestTopUp, kResult),
             Value("Worst 5 of 100: share with negative equity", r.worst.negativeEquity * 100, kShare)}};
}

ReportSection RiskParameterSection(const RiskResults& r) {
    ReportSection s{"Drawn under", {}};
    for (const RiskParameterInfo& info : kRiskParameters) {
        const double v = r.parameters.*info.field;
        if (info.unit == RiskUnit::Switch)
            s.lines.push_back({std::string(info.label), 0.0, {}, v != 0 ? "Yes" : "No"});
        else
            s.lines.push_back(Value(std::string(info.label), v,
                                    info.unit == RiskUnit::Money     ? "$0,m"
                                    : info.unit == RiskUnit::Percent ? kRate
                                                                     : "0.00"));
    }
    s.lines.push_back(Value("Futures (paths)", static_cast<double>(r.paths), "0"));
    s.lines.push_back({"Seed", 0.0, {}, std::to_string(r.seed)});
    return s;
}

ScaleTable RiskPercentileTable(const RiskResults& r) {
    ScaleTable t{"Percentiles", PercentileHeadings(""), {}, {}};
    const struct {
        const char* label;
        const RiskResults::Figure* figure;
        const char* format;
    } rows[] = {{"IRR after sale", &r.irrAfterSale, kRate},
                {"Index fund's IRR after tax", &r.fundIrr, kRate},
                {"Bank's IRR after tax", &r.bankIrr, kRate},
                {"NPV after sale", &r.npvAfterSale, kResult},
                {"Index fund's value after tax", &r.fundValueAfterSale, kResult}};
    for (const auto& row : rows) {
        std::vector<ReportLine> cells{{row.label, 0.0, {}, row.label}};
        for (ReportLine& cell : PercentileCells(row.figure->at, row.format)) cells.push_back(cell);
        t.rows.push_back(std::move(cells));
    }
    t.notes.push_back({"A rate shown as ????? has no value: those futures lose everything.", 0.0, {}, ""});
    return t;
}

ScaleTable RiskYearTable(const RiskResults& r) {
    ScaleTable t{"Equity and after-tax cash flow by year", {"Year"}, {}, {}};
    for (const char* name : {"Equity", "Cash flow"})
        for (const std::string& h : PercentileHeadings(""))
            if (!h.empty()) t.headings.push_back(std::string(name) + " " + h);
    for (int c = 0; c < kTableColumns; ++c) {
        std::vector<ReportLine> cells{Value({}, c + 1, "0")};
        for (ReportLine& cell : PercentileCells(r.equity[static_cast<std::size_t>(c)], kResult)) cells.push_back(cell);
        for (ReportLine& cell : PercentileCells(r.cashFlow[static_cast<std::size_t>(c)], kResult)) cells.push_back(cell);
        t.rows.push_back(std::move(cells));
    }
    return t;
}

double AxisStep(double span, int marks) {
    const double raw = span / std::max(marks, 1);
    if (!(raw > 0) || !std::isfinite(raw)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw) return m * power;
    return 10 * power;
}

void EquityRange(const RiskResults& r, double& low, double& high) {
    low = high = 0;
    for (const Percentiles& year : r.equity)
        for (double v : year)
            if (!IsNoValue(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
    if (!(high > low)) high = low + 1;
}
