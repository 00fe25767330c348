// velcalc: reads an investment file, recalculates it and prints every field, the per-year
// incomes, the annual table and the two scales as JSON (or the annual table as CSV), or the
// built-in scales. It uses no settings store: the scales start as at program start and the
// file's replace them, unless --duty or --tax names a built-in scale to use instead.

#include <array>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "format/Text.h"
#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "export/CommandLine.h"
#include "export/ProjectionCsv.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kUsage = "usage: velcalc [--csv] [--duty NAME] [--tax NAME] FILE.vel\n"
                               "       velcalc --scales\n"
                               "       velcalc --help\n";

constexpr const char* kHelp =
    "usage: velcalc [--csv] [--duty NAME] [--tax NAME] FILE.vel\n"
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
    "                    IRRAfterSale, NPVAfterSale\n"
    "  TaxableHimByYear  the investor's taxable income for years 1..40\n"
    "  TaxableHerByYear  the partner's taxable income for years 1..40\n"
    "  CarriedLossByYear the rental loss carried forward at the end of years 1..40\n"
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

Json rowJson(const CVELPPCDoc& doc, int row) {
    const double* r = doc.RowData(static_cast<Row>(row));
    Json j = Json::array();
    for (int c = 0; c < kTableColumns; ++c) j.push_back(r[c]);
    return j;
}

Json fieldsJson(const CVELPPCDoc& d) {
    Json f;
    f["Address"] = ToUtf8(d.Address);
    f["Description"] = ToUtf8(d.Description);
    f["Notes"] = ToUtf8(d.Notes);
#define VEL_FIELD(name) f[#name] = d.name
    VEL_FIELD(Price);
    VEL_FIELD(Renovations);
    VEL_FIELD(Furniture);
    VEL_FIELD(MarketValue);
    VEL_FIELD(StampDutyCost);
    VEL_FIELD(Conveyancing);
    VEL_FIELD(OtherCosts);
    VEL_FIELD(PurchaseCosts);
    VEL_FIELD(UseSDScale);
    VEL_FIELD(ReservedFlag);
    VEL_FIELD(CashDeposit);
    VEL_FIELD(DepositPC);
    VEL_FIELD(CalcDeposit);
    VEL_FIELD(CalcLoanCosts);
    VEL_FIELD(LoanCosts);
    VEL_FIELD(LoanCostsPC);
    VEL_FIELD(LCYears);
    VEL_FIELD(LoanType);
    VEL_FIELD(RateInterest);
    VEL_FIELD(AdditionalLoan);
    VEL_FIELD(LoanAmount);
    VEL_FIELD(LoanTerm);
    VEL_FIELD(TotalCost);
    VEL_FIELD(Rent);
    VEL_FIELD(PeriodsPerYear);
    VEL_FIELD(VacancyRate);
    VEL_FIELD(AnnualRent);
    VEL_FIELD(GrossYield);
    VEL_FIELD(NetYield);
    VEL_FIELD(Expenses);
    VEL_FIELD(ExpensesPC);
    VEL_FIELD(CalcExpenses);
    VEL_FIELD(CalcDepFitt);
    VEL_FIELD(DepFittPC);
    VEL_FIELD(DepFittValue);
    VEL_FIELD(DepFittRate);
    VEL_FIELD(DepFittMethod);
    VEL_FIELD(CalcDepBuild);
    VEL_FIELD(DepBuildPC);
    VEL_FIELD(DepBuildValue);
    VEL_FIELD(DepBuildRate);
    VEL_FIELD(DepBuildMethod);
    VEL_FIELD(Depreciation);
    VEL_FIELD(TaxableHim);
    VEL_FIELD(TaxableHer);
    VEL_FIELD(NamesOnTitle);
    VEL_FIELD(RateGrowth);
    VEL_FIELD(RateInfl);
    VEL_FIELD(ShowYear);
    VEL_FIELD(ProjectionYear);
    VEL_FIELD(DepFittRemaining);
    VEL_FIELD(DepBuildRemaining);
    VEL_FIELD(AvgCashFlowWeek);
    VEL_FIELD(IRR);
    VEL_FIELD(NPV);
    for (const AssumptionInput& a : kAssumptionInputs) {
        if (a.intField) f[std::string(a.name)] = d.*a.intField;
        else f[std::string(a.name)] = d.*a.doubleField;
    }
    VEL_FIELD(SalePrice);
    VEL_FIELD(SaleCosts);
    VEL_FIELD(CostBase);
    VEL_FIELD(CapitalGain);
    VEL_FIELD(TaxableGain);
    VEL_FIELD(SaleTax);
    VEL_FIELD(ValueAfterSale);
    VEL_FIELD(IRRAfterSale);
    VEL_FIELD(NPVAfterSale);
#undef VEL_FIELD
    return f;
}

Json scaleJson(const DutyScale& duty) {
    Json j;
    j["Location"] = duty.Location;
    j["Count"] = duty.Count;
    j["Above"] = numbers(duty.Above);
    j["Rate"] = numbers(duty.Rate);
    j["Flat"] = numbers(duty.Flat);
    j["BaseDuty"] = duty.BaseDuty;
    return j;
}

Json scaleJson(const TaxScale& tax) {
    Json j;
    j["Location"] = tax.Location;
    j["Count"] = tax.Count;
    j["Above"] = numbers(tax.Above);
    j["Rate"] = numbers(tax.Rate);
    j["MedicareRate"] = tax.MedicareRate;
    j["MedicareThreshold"] = tax.MedicareThreshold;
    j["MedicareShadeIn"] = tax.MedicareShadeIn;
    return j;
}

Json toJson(const CVELPPCDoc& doc) {
    Json out;
    out["fields"] = fieldsJson(doc);
    out["TaxableHimByYear"] = numbers(doc.TaxableHimByYear);
    out["TaxableHerByYear"] = numbers(doc.TaxableHerByYear);
    out["CarriedLossByYear"] = numbers(doc.CarriedLossByYear);
    Json table;
    for (int r = 0; r < kTableRows; ++r) table[kRowNames[r]] = rowJson(doc, r);
    out["table"] = table;

    out["scales"] =
        Json{{"duty", scaleJson(CurrentDutyScale)}, {"tax", scaleJson(CurrentTaxScale)}};
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

int usageError(const char* what) {
    std::fprintf(stderr, "velcalc: %s\n%s", what, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool csv = false;
    const char* path = nullptr;
    ScaleOptions scales;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            if (argc != 2) return usageError("--help takes no other arguments");
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--scales") {
            if (argc != 2) return usageError("--scales takes no other arguments");
            std::cout << scalesJson().dump(2) << '\n';
            std::cout.flush();
            return std::cout ? 0 : 1;
        }
        std::string error;
        switch (TakeScaleOption(argc, argv, i, scales, error)) {
        case OptionTaken::Wrong: return usageError(error.c_str());
        case OptionTaken::Yes: continue;
        case OptionTaken::No: break;
        }
        if (arg == "--csv") {
            csv = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError(("unknown option " + arg).c_str());
        } else if (path) {
            return usageError("more than one file given");
        } else {
            path = argv[i];
        }
    }
    if (!path) return usageError("no file given");
    int dutyLocation = -1, taxLocation = -1;
    std::string message;
    if (!FindNamedScales(scales, "velcalc", dutyLocation, taxLocation, message)) {
        std::fputs(message.c_str(), stderr);
        return 2;
    }

    CVELPPCDoc doc;
    std::vector<std::string> notices;
    if (!ReadInvestmentFile(path, "velcalc", dutyLocation, taxLocation, doc, message, notices)) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return 1;
    }
    for (const std::string& notice : notices) std::fprintf(stderr, "%s\n", notice.c_str());

    if (csv) {
        std::cout << ProjectionCsv(doc);
    } else {
        std::cout << toJson(doc).dump(2) << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
