// velcalc: reads an investment file, recalculates it and prints every field, the per-year
// incomes, the annual table and the two scales as JSON (or the annual table as CSV), or the
// built-in scales. It uses no settings store: the scales start as at program start and the
// file's replace them, unless --duty or --tax names a built-in scale to use instead.

#include <array>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/BreakEven.h"
#include "analysis/Compare.h"
#include "analysis/Grid.h"
#include "analysis/Risk.h"
#include "format/Format.h"
#include "format/Text.h"
#include "model/Assumptions.h"
#include "model/Fields.h"
#include "model/Investment.h"
#include "model/Law.h"
#include "model/Scales.h"
#include "export/CommandLine.h"
#include "export/ProjectionCsv.h"
#include "export/ReportData.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kUsage = "usage: velcalc [--csv] [--duty NAME] [--tax NAME] FILE.vel\n"
                               "       velcalc --grid [--rows AXIS] [--columns AXIS] [--result R] FILE.vel\n"
                               "       velcalc --break-even FILE.vel\n"
                               "       velcalc --compare FILE.vel FILE.vel [FILE.vel [FILE.vel]]\n"
                               "       velcalc --risk [--paths N] [--seed S] [--threads T] [--param KEY=VALUE]... FILE.vel\n"
                               "       velcalc --scales\n"
                               "       velcalc --help\n";

constexpr const char* kHelp =
    "usage: velcalc [--csv] [--duty NAME] [--tax NAME] FILE.vel\n"
    "       velcalc --grid [--rows AXIS] [--columns AXIS] [--result R] FILE.vel\n"
    "       velcalc --break-even FILE.vel\n"
    "       velcalc --compare FILE.vel FILE.vel [FILE.vel [FILE.vel]]\n"
    "       velcalc --risk [--paths N] [--seed S] [--threads T] [--param KEY=VALUE]... FILE.vel\n"
    "       velcalc --scales\n"
    "       velcalc --help\n"
    "\n"
    "Reads a Pocket VEL investment file, recalculates the investment under the tax and\n"
    "stamp duty scales stored in the file, and prints the result on standard output.\n"
    "\n"
    "Without options the output is one JSON object:\n"
    "  fields            every field of the investment by name (texts as strings,\n"
    "                    numbers as numbers), the assumptions (SellingCostsPC,\n"
    "                    CGTDiscountPC, LossTreatment, LossRuleFromYear,\n"
    "                    RentFollowsInflation, RateRentGrowth, InterestOnlyYears) and the\n"
    "                    sale at the end of the projection period: SalePrice, SaleCosts,\n"
    "                    CostBase, CapitalGain, TaxableGain, SaleTax, ValueAfterSale,\n"
    "                    IRRAfterSale, NPVAfterSale; for an investment that sets the\n"
    "                    law of the years also TaxLaw (0 one scale for every year, 1\n"
    "                    Australia, 2 New Zealand by income year), PurchaseMonth,\n"
    "                    PurchaseYear, NewBuild, FittingsBoughtNew, ThresholdsGrow,\n"
    "                    CGTSwitchMonth, CGTSwitchYear, MinimumTaxPC, BrightLineYears,\n"
    "                    LawApplied, GainBeforeSwitch, GainAfterSwitch,\n"
    "                    IndexedCostBase, MinimumTaxTopUp, WithinBrightLine\n"
    "  TaxableHimByYear  the investor's taxable income for years 1..40\n"
    "  TaxableHerByYear  the partner's taxable income for years 1..40\n"
    "  CarriedLossByYear the rental loss carried forward at the end of years 1..40\n"
    "  IncomeYearByYear  under the law of the years: the income year (\"2026-27\") each\n"
    "                    of years 1..40 is taxed under\n"
    "  table             the annual table, one array of 40 years per row\n"
    "  scales            the stamp duty scale (duty) and the income tax scale (tax, with\n"
    "                    MedicareShadeIn: whether the levy is reduced on low incomes)\n"
    "Numbers read back to exactly the same double; -99000000000 means no result (\"?????\"\n"
    "in Pocket VEL); a number that is not finite is null.\n"
    "\n"
    "  --csv        print the annual table as CSV instead: a header line, then years 1..40\n"
    "  --duty NAME  work the file out under the built-in stamp duty scale NAME instead of\n"
    "               the one stored in it (e.g. \"NSW 2025\"; the file's base duty stays)\n"
    "  --tax NAME   the same for the income tax scale (e.g. \"Australia (25/26)\")\n"
    "  --grid       print the sensitivity grid as JSON: one result over two inputs,\n"
    "               each stepped either side of its value in the file. AXIS is\n"
    "               INPUT[:STEP[:STEPS]] (STEPS either side, 0..10; the defaults are\n"
    "               interest:0.5:4 for rows, growth:0.5:4 for columns, 4 steps and a\n"
    "               step that suits the input). INPUT is one of interest, growth,\n"
    "               inflation, rent (per rent period), price, vacancy, deposit (%, the\n"
    "               deposit follows it), income (the investor's taxable income); R one\n"
    "               of irr (the default), npv, irrAfterSale, npvAfterSale,\n"
    "               avgCashFlowWeek, cashFlowYear (after tax, in the results year)\n"
    "  --break-even print as JSON the rent (per rent period, and weekly) at which the\n"
    "               results year's after-tax cash flow is 0, the capital growth at which\n"
    "               the IRR equals inflation and the interest rate at which the NPV is 0;\n"
    "               found false (value null) when there is none in the range searched\n"
    "  --compare    print two to four files side by side as JSON, each worked out under\n"
    "               the scales stored in it: rows of key inputs and results with the\n"
    "               best of each result marked, and the rates of return of every\n"
    "               holding period\n"
    "  --risk       print as JSON the investment's possible futures: N paths (default\n"
    "               10000, at most 1000000) in which capital growth, the interest rate,\n"
    "               rent growth, inflation and vacancy vary by year, beside an index\n"
    "               fund and the bank: percentiles 5, 25, 50, 75, 95 of the IRR and\n"
    "               NPV after sale, of the equity and the after-tax cash flow of each\n"
    "               year, the chances of beating the fund and the bank, of negative\n"
    "               equity and of a weekly top-up over the limit, and the worst 5 %.\n"
    "               S (default 1) fixes the draws: the same seed gives the same JSON\n"
    "               whatever T, the threads (default: the processor's). KEY is one of\n"
    "               growthSD, growthPersistence, interestSD, interestReversion,\n"
    "               interestFloor, rentGrowthSD, inflationSD, rentInflationCorrelation,\n"
    "               vacancyDrawn, fundReturn, fundVolatility, fundDividendYield,\n"
    "               topUpLimit (the output lists each with its value)\n"
    "  --scales     print every built-in stamp duty and tax scale as JSON: two arrays,\n"
    "               duty and tax, of objects with index, name and the scale as above\n"
    "  --help       print this text\n"
    "A name is one of those --scales prints; an unknown one is refused with the list.\n"
    "\n"
    "Examples:\n"
    "  velcalc house.vel > house.json        everything, as JSON\n"
    "  velcalc --csv house.vel > house.csv   the 40-year table, as CSV\n"
    "  velcalc house.vel | jq '.fields.IRR'  one figure\n"
    "  velcalc --duty 'Vic 2025' --tax 'Australia (25/26)' house.vel | jq '.fields.NPV'\n"
    "  velcalc --scales | jq -r '.duty[].name'   the names of the duty scales\n"
    "\n"
    "The settings of Pocket VEL are neither read nor changed.\n"
    "Exit status: 0 success, 1 the file could not be read, 2 wrong arguments.\n";

template <class Array> Json numbers(const Array& a) {
    Json j = Json::array();
    for (auto v : a) j.push_back(v);
    return j;
}

Json rowJson(const Investment& doc, int row) {
    const double* r = doc.RowData(static_cast<Row>(row));
    Json j = Json::array();
    for (int c = 0; c < kTableColumns; ++c) j.push_back(r[c]);
    return j;
}

Json fieldsJson(const Investment& d) {
    Json f;
    f["Address"] = ToUtf8(d.Address);
    f["Description"] = ToUtf8(d.Description);
    f["Notes"] = ToUtf8(d.Notes);
    // An int field prints as an int, as it always has.
    auto put = [&](const RecordField& field) {
        if (field.doubleField) f[std::string(field.name)] = d.*field.doubleField;
        else if (field.intField) f[std::string(field.name)] = d.*field.intField;
        else f[std::string(field.name)] = d.*field.shortField;
    };
    for (const RecordField& field : kRecordFields)
        if (field.group == FieldGroup::Record) put(field);
    const bool law = SetsTheLaw(d);
    const bool costs = SetsLoanAndCosts(d);
    const bool landTax = SetsLandTax(d);
    for (const AssumptionInput& a : kAssumptionInputs) {
        if (IsLawInput(a) && !law) continue;
        if (IsCostsInput(a) && !costs) continue;
        if (IsLandTaxInput(a) && !landTax) continue;
        if (a.intField) f[std::string(a.name)] = d.*a.intField;
        else f[std::string(a.name)] = d.*a.doubleField;
    }
    if (costs) {
        Json steps = Json::array();
        for (const RateStep& step : d.RateSteps)
            steps.push_back(Json{{"FromYear", step.fromYear}, {"Rate", step.rate}});
        f[std::string(kRateStepsName)] = steps;
        f["LoanPaidOffYear"] = d.LoanPaidOffYear;
    }
    // The depreciation schedules, only when one is given.
    for (const auto& [name, schedule] : {std::pair{kBuildingScheduleName, &d.BuildingSchedule},
                                         std::pair{kPlantScheduleName, &d.PlantSchedule}})
        if (!schedule->empty()) f[std::string(name)] = numbers(*schedule);
    if (!d.LandTaxRows.empty()) {
        Json rows = Json::array();
        for (const LandTaxRow& r : d.LandTaxRows)
            rows.push_back(
                Json{{"Above", r.above}, {"Rate", r.rate}, {"Flat", r.flat}, {"AtStart", r.atStart}});
        f[std::string(kLandTaxRowsName)] = rows;
    }
    for (const RecordField& field : kRecordFields)
        if (field.group == FieldGroup::Sale) put(field);
    if (law) {
        f["LawApplied"] = LawDescription(d);
        for (const RecordField& field : kRecordFields)
            if (field.group == FieldGroup::LawSale) put(field);
    }
    return f;
}

// What both kinds of scale have, in the order both write it: the entry and the rows.
template <class Scale> Json scaleRowsJson(const Scale& scale) {
    Json j;
    j["Location"] = scale.Location;
    j["Count"] = scale.Count;
    j["Above"] = numbers(scale.Above);
    j["Rate"] = numbers(scale.Rate);
    return j;
}

Json scaleJson(const DutyScale& duty) {
    Json j = scaleRowsJson(duty);
    j["Flat"] = numbers(duty.Flat);
    j["BaseDuty"] = duty.BaseDuty;
    return j;
}

Json scaleJson(const TaxScale& tax) {
    Json j = scaleRowsJson(tax);
    j["MedicareRate"] = tax.MedicareRate;
    j["MedicareThreshold"] = tax.MedicareThreshold;
    j["MedicareShadeIn"] = tax.MedicareShadeIn;
    return j;
}

Json toJson(const Investment& doc, const Scales& scales) {
    Json out;
    out["fields"] = fieldsJson(doc);
    out["TaxableHimByYear"] = numbers(doc.TaxableHimByYear);
    out["TaxableHerByYear"] = numbers(doc.TaxableHerByYear);
    out["CarriedLossByYear"] = numbers(doc.CarriedLossByYear);
    if (SetsLoanAndCosts(doc)) {
        out["InterestRateByYear"] = numbers(InterestRateByYear(doc));
        out["OffsetByYear"] = numbers(doc.OffsetByYear);
        out["InterestSavedByYear"] = numbers(doc.InterestSavedByYear);
        out["OffsetPaidInByYear"] = numbers(doc.OffsetPaidInByYear);
    }
    if (SetsLandTax(doc)) out["LandTaxByYear"] = numbers(doc.LandTaxByYear);
    if (SetsTheLaw(doc)) {
        // The income year each projection year is taxed under; "" under one scale.
        Json years = Json::array();
        for (int c = 0; c < kTableColumns; ++c) years.push_back(IncomeYearHeading(doc, c));
        out["IncomeYearByYear"] = years;
    }
    Json table;
    for (int r = 0; r < kTableRows; ++r) table[kRowNames[r]] = rowJson(doc, r);
    out["table"] = table;

    out["scales"] =
        Json{{"duty", scaleJson(scales.duty)}, {"tax", scaleJson(scales.tax)}};
    return out;
}

// Every built-in entry, as shipped: its location, its name and the scale.
template <class Scale>
Json builtInJson(int count, std::string_view (*name)(int), Scale (*shipped)(int)) {
    Json list = Json::array();
    for (int i = 0; i < count; ++i) {
        Json entry;
        entry["index"] = i;
        entry["name"] = std::string(name(i));
        entry.update(scaleJson(shipped(i)));
        list.push_back(entry);
    }
    return list;
}

Json scalesJson() {
    return Json{{"duty", builtInJson(kBuiltInDutyCount, DutyLocationName, ShippedDutyScale)},
                {"tax", builtInJson(kBuiltInTaxCount, TaxLocationName, ShippedTaxScale)}};
}

bool parseAxis(std::string_view text, GridAxis& axis, std::string& error) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon == std::string_view::npos ? colon : colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    const auto input = InputOfKey(parts[0]);
    if (!input || parts.size() > 3) {
        error = "unknown grid axis " + std::string(text);
        return false;
    }
    axis.input = *input;
    axis.step = 0; // the default step needs the file
    axis.steps = 4;
    if (parts.size() > 1) {
        const double step = ParseValue(parts[1]);
        if (IsNoValue(step) || !(step > 0) || parts[1].empty()) {
            error = "the step of a grid axis must be a number above 0";
            return false;
        }
        axis.step = step;
    }
    if (parts.size() > 2) {
        const double steps = ParseValue(parts[2]);
        if (IsNoValue(steps) || steps != Nearest(steps) || steps < 0 || steps > kMaxGridSteps) {
            error = "the steps of a grid axis must be a whole number from 0 to 10";
            return false;
        }
        axis.steps = static_cast<int>(steps);
    }
    return true;
}

Json axisJson(const GridAxis& axis, double present, const std::vector<double>& values) {
    return Json{{"input", std::string(InfoOf(axis.input).key)},
                {"present", present},
                {"step", axis.step},
                {"steps", axis.steps},
                {"values", numbers(values)}};
}

Json gridJson(WhatIf& whatIf, GridSetup setup) {
    for (GridAxis* axis : {&setup.rows, &setup.columns})
        if (axis->step == 0) axis->step = DefaultStep(axis->input, whatIf.BaseValue(axis->input));
    const SensitivityGrid grid = WorkOutGrid(whatIf, setup);
    Json cells = Json::array();
    for (int r = 0; r < grid.Rows(); ++r) {
        Json line = Json::array();
        for (int c = 0; c < grid.Columns(); ++c) line.push_back(grid.At(r, c));
        cells.push_back(line);
    }
    return Json{{"result", std::string(InfoOf(setup.result).key)},
                {"rows", axisJson(grid.setup.rows, whatIf.BaseValue(setup.rows.input), grid.rowValues)},
                {"columns", axisJson(grid.setup.columns, whatIf.BaseValue(setup.columns.input),
                                     grid.columnValues)},
                {"centre", Json{{"row", grid.centreRow},
                                {"column", grid.centreColumn},
                                {"value", grid.Centre()}}},
                {"cells", cells}};
}

Json figureJson(const BreakEvenFigure& f, std::string_view input) {
    return Json{{"input", std::string(input)},
                {"found", f.found},
                {"value", f.found ? Json(f.value) : Json(nullptr)},
                {"residual", f.found ? Json(f.residual) : Json(nullptr)},
                {"low", f.low},
                {"high", f.high}};
}

Json breakEvenJson(WhatIf& whatIf) {
    const BreakEvens b = WorkOutBreakEvens(whatIf);
    Json rent = figureJson(b.rent, "rent");
    rent["periodsPerYear"] = whatIf.Base().PeriodsPerYear;
    rent["weekly"] = b.rent.found ? Json(b.weeklyRent) : Json(nullptr);
    return Json{{"rent", rent},
                {"growth", figureJson(b.growth, "growth")},
                {"interest", figureJson(b.interest, "interest")}};
}

Json compareJson(const Comparison& c) {
    Json rows = Json::array();
    for (const CompareRow& row : c.rows) {
        Json j{{"key", std::string(row.key)}, {"label", std::string(row.label)}};
        if (row.format.empty()) {
            j["texts"] = row.texts;
        } else {
            j["values"] = row.values;
            j["better"] = row.better == Better::Higher  ? "higher"
                          : row.better == Better::Lower ? "lower"
                                                        : "none";
            Json best = Json::array();
            for (char b : row.best) best.push_back(b != 0);
            j["best"] = best;
        }
        j["afterSale"] = row.afterSale;
        rows.push_back(j);
    }
    Json rates = Json::array();
    for (const auto& r : c.rates) rates.push_back(numbers(r));
    return Json{{"files", c.names}, {"rows", rows}, {"ratesByHoldingPeriod", rates}};
}

Json percentilesJson(const Percentiles& p) { return numbers(p); }

Json figureJson(const RiskResults::Figure& f) {
    return Json{{"percentiles", percentilesJson(f.at)}, {"noValue", f.noValue}};
}

Json riskJson(const RiskResults& r) {
    Json parameters;
    for (const RiskParameterInfo& info : kRiskParameters)
        parameters[std::string(info.key)] = r.parameters.*info.field;
    Json equity = Json::array(), cash = Json::array();
    for (int c = 0; c < kTableColumns; ++c) {
        equity.push_back(percentilesJson(r.equity[static_cast<std::size_t>(c)]));
        cash.push_back(percentilesJson(r.cashFlow[static_cast<std::size_t>(c)]));
    }
    Json percentiles = Json::array();
    for (double q : kRiskPercentiles) percentiles.push_back(static_cast<int>(q * 100 + 0.5));
    const RiskResults::Tail& w = r.worst;
    return Json{{"paths", r.paths},
                {"seed", r.seed},
                {"holdingYears", r.holdingYears},
                {"parameters", parameters},
                {"percentiles", percentiles},
                {"irrAfterSale", figureJson(r.irrAfterSale)},
                {"npvAfterSale", figureJson(r.npvAfterSale)},
                {"fundIrrAfterSale", figureJson(r.fundIrr)},
                {"fundValueAfterSale", figureJson(r.fundValueAfterSale)},
                {"bankIrr", figureJson(r.bankIrr)},
                {"equityByYear", equity},
                {"cashFlowByYear", cash},
                {"probabilities", Json{{"beatsFund", r.beatsFund},
                                       {"beatsBank", r.beatsBank},
                                       {"negativeEquity", r.negativeEquity},
                                       {"topUpOver", r.topUpOver}}},
                {"worst5", Json{{"paths", w.paths},
                                {"worstNpv", w.worstNpv},
                                {"meanNpv", w.meanNpv},
                                {"meanIrr", w.meanIrr},
                                {"meanLargestTopUp", w.meanLargestTopUp},
                                {"negativeEquity", w.negativeEquity},
                                {"topUpOver", w.topUpOver}}},
                {"irrHistogram", Json{{"edges", r.irrEdges}, {"counts", r.irrBins}}},
                {"sentences", RiskSentences(r)}};
}

// A whole number from `low` to `high`, written in decimal digits alone.
template <class Int> bool parseWhole(std::string_view text, Int low, Int high, Int& value) {
    Int v{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || text[0] == '-' ||
        v < low || v > high)
        return false;
    value = v;
    return true;
}

bool parseParameter(std::string_view text, RiskParameters& p, std::string& error) {
    const std::size_t equals = text.find('=');
    const RiskParameterInfo* info =
        equals == std::string_view::npos ? nullptr : RiskParameterOfKey(text.substr(0, equals));
    if (info == nullptr) {
        error = "--param takes KEY=VALUE with a KEY that --help lists, not " + std::string(text);
        return false;
    }
    const std::string_view number = text.substr(equals + 1);
    const double value = ParseValue(number);
    if (number.empty() || IsNoValue(value) || !SetParameter(p, *info, value)) {
        error = "the value of " + std::string(info->key) + " must be a number from " +
                ExactNumber(info->min) + " to " + ExactNumber(info->max) +
                (info->unit == RiskUnit::Switch ? " (0 or 1)" : "");
        return false;
    }
    return true;
}

// File names and texts that are not valid UTF-8 (a name in another encoding) are printed with
// U+FFFD in place of what cannot be read, rather than stopping the program.
void print(const Json& json) {
    std::cout << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

int usageError(const char* what) {
    std::fprintf(stderr, "velcalc: %s\n%s", what, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    enum class Mode { Fields, Csv, Grid, BreakEven, Compare, Risk } mode = Mode::Fields;
    auto setMode = [&](Mode m) {
        if (mode != Mode::Fields && mode != m) return false;
        mode = m;
        return true;
    };
    std::vector<const char*> paths;
    ScaleOptions scales;
    GridSetup grid;
    grid.rows.step = grid.columns.step = 0;
    bool gridOptions = false;
    bool riskOptions = false;
    std::int64_t riskPaths = kDefaultRiskPaths;
    std::uint64_t riskSeed = 1;
    int riskThreads = DefaultRiskThreads();
    RiskParameters riskParameters;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            if (argc != 2) return usageError("--help takes no other arguments");
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--scales") {
            if (argc != 2) return usageError("--scales takes no other arguments");
            print(scalesJson());
            std::cout.flush();
            return std::cout ? 0 : 1;
        }
        std::string error;
        switch (TakeScaleOption(argc, argv, i, scales, error)) {
        case OptionTaken::Wrong: return usageError(error.c_str());
        case OptionTaken::Yes: continue;
        case OptionTaken::No: break;
        }
        Mode wanted = Mode::Fields;
        if (arg == "--csv") wanted = Mode::Csv;
        else if (arg == "--grid") wanted = Mode::Grid;
        else if (arg == "--break-even") wanted = Mode::BreakEven;
        else if (arg == "--compare") wanted = Mode::Compare;
        else if (arg == "--risk") wanted = Mode::Risk;
        if (wanted != Mode::Fields) {
            if (!setMode(wanted)) return usageError("choose one of --csv, --grid, --break-even, --compare, --risk");
            continue;
        }
        if (arg == "--paths" || arg == "--seed" || arg == "--threads" || arg == "--param") {
            if (i + 1 >= argc) return usageError((arg + " needs a value").c_str());
            const std::string_view value = argv[++i];
            riskOptions = true;
            if (arg == "--paths") {
                if (!parseWhole<std::int64_t>(value, 1, kMaxRiskPaths, riskPaths))
                    return usageError("--paths takes a whole number from 1 to 1000000");
            } else if (arg == "--seed") {
                if (!parseWhole<std::uint64_t>(value, 0, UINT64_MAX, riskSeed))
                    return usageError("--seed takes a whole number from 0 to 18446744073709551615");
            } else if (arg == "--threads") {
                if (!parseWhole<int>(value, 1, kRiskThreadsMax, riskThreads))
                    return usageError("--threads takes a whole number from 1 to 64");
            } else if (!parseParameter(value, riskParameters, error)) {
                return usageError(error.c_str());
            }
        } else if (arg == "--rows" || arg == "--columns" || arg == "--result") {
            if (i + 1 >= argc) return usageError((arg + " needs a value").c_str());
            const std::string_view value = argv[++i];
            gridOptions = true;
            if (arg == "--result") {
                const auto result = ResultOfKey(value);
                if (!result) return usageError(("unknown result " + std::string(value)).c_str());
                grid.result = *result;
            } else if (!parseAxis(value, arg == "--rows" ? grid.rows : grid.columns, error)) {
                return usageError(error.c_str());
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError(("unknown option " + arg).c_str());
        } else {
            paths.push_back(argv[i]);
        }
    }
    if (gridOptions && mode != Mode::Grid) return usageError("--rows, --columns and --result go with --grid");
    if (riskOptions && mode != Mode::Risk)
        return usageError("--paths, --seed, --threads and --param go with --risk");
    if (paths.empty()) return usageError("no file given");
    if (mode == Mode::Compare) {
        if (paths.size() < 2 || paths.size() > static_cast<std::size_t>(kMaxCompared))
            return usageError("--compare takes two to four files");
    } else if (paths.size() > 1) {
        return usageError("more than one file given");
    }
    int dutyLocation = -1, taxLocation = -1;
    std::string message;
    if (!FindNamedScales(scales, "velcalc", dutyLocation, taxLocation, message)) {
        std::fputs(message.c_str(), stderr);
        return 2;
    }

    // Each file is worked out under the scales stored in it (or those named).
    std::vector<ComparedInvestment> investments;
    Investment asRead; // the first file before it is worked out: what-if questions start there
    for (const char* path : paths) {
        Investment doc;
        Scales inForce;
        std::vector<std::string> notices;
        if (!ReadInvestmentFile(path, "velcalc", dutyLocation, taxLocation, doc, inForce, message,
                                notices,
                                investments.empty() ? &asRead : nullptr)) {
            std::fprintf(stderr, "%s\n", message.c_str());
            return 1;
        }
        for (const std::string& notice : notices) std::fprintf(stderr, "%s\n", notice.c_str());
        investments.push_back(Compared(path, doc, inForce));
    }
    const Investment& doc = *investments.front().doc;

    switch (mode) {
    case Mode::Csv: std::cout << ProjectionCsv(doc); break;
    case Mode::Fields: print(toJson(doc, investments.front().scales)); break;
    case Mode::Grid: {
        WhatIf whatIf(asRead, investments.front().scales);
        print(gridJson(whatIf, grid));
        break;
    }
    case Mode::BreakEven: {
        WhatIf whatIf(asRead, investments.front().scales);
        print(breakEvenJson(whatIf));
        break;
    }
    case Mode::Compare: print(compareJson(Compare(investments))); break;
    case Mode::Risk: {
        const RiskRun run(asRead, investments.front().scales, riskParameters);
        print(riskJson(run.Run(riskPaths, riskSeed, riskThreads)));
        break;
    }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
