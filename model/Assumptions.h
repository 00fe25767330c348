// The inputs of an investment beyond the fixed layout of the file: one table that the file's
// extension block, the settings store, the limits and velcalc all follow. A new input is a new
// line here (with a tag never used before) and a field of the record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Investment.h"
#include "model/Law.h"

struct AssumptionInput {
    std::uint16_t tag;               // its entry in the file's extension block; never reused
    std::string_view name;           // settings value name and velcalc field name
    int Investment::*intField;       // set for int values, else nullptr
    double Investment::*doubleField; // set for double values, else nullptr
    double builtIn;                  // the value that leaves every figure as without it
    double min, max;                 // the range the record holds
};

inline constexpr std::array<AssumptionInput, 30> kAssumptionInputs = {{
    {1, "SellingCostsPC", nullptr, &Investment::SellingCostsPC, 2.5, 0.0, 100.0},
    {2, "CGTDiscountPC", nullptr, &Investment::CGTDiscountPC, 50.0, 0.0, 100.0},
    {3, "LossTreatment", &Investment::LossTreatment, nullptr, 0, 0, 1},
    {4, "LossRuleFromYear", &Investment::LossRuleFromYear, nullptr, 1, 1, kTableColumns},
    {5, "RentFollowsInflation", &Investment::RentFollowsInflation, nullptr, 1, 0, 1},
    {6, "RateRentGrowth", nullptr, &Investment::RateRentGrowth, 3.0, -100.0, 100.0},
    {7, "InterestOnlyYears", &Investment::InterestOnlyYears, nullptr, 0, 0, kTableColumns},
    // The law of the years (model/Law.h); the rest count only when TaxLaw is not 0.
    {9, "TaxLaw", &Investment::TaxLaw, nullptr, 0, 0, 2},
    {10, "PurchaseMonth", &Investment::PurchaseMonth, nullptr, 7, 1, 12},
    {11, "PurchaseYear", &Investment::PurchaseYear, nullptr, 2026, 1900, 2200},
    {12, "NewBuild", &Investment::NewBuild, nullptr, 0, 0, 1},
    {13, "FittingsBoughtNew", &Investment::FittingsBoughtNew, nullptr, 0, 0, 1},
    {14, "ThresholdsGrow", &Investment::ThresholdsGrow, nullptr, 0, 0, 1},
    {15, "CGTSwitchMonth", &Investment::CGTSwitchMonth, nullptr, kCgtSwitch.month, 1, 12},
    {16, "CGTSwitchYear", &Investment::CGTSwitchYear, nullptr, kCgtSwitch.year, 1900, 2200},
    {17, "MinimumTaxPC", nullptr, &Investment::MinimumTaxPC, kCgtMinimumTaxPC, 0.0, 100.0},
    {18, "BrightLineYears", nullptr, &Investment::BrightLineYears, kBrightLineYears, 0.0,
     kTableColumns},
    // The loan and the costs as they run.
    {19, "OffsetOpening", nullptr, &Investment::OffsetOpening, 0.0, 0.0, 1e12},
    {20, "OffsetMonthly", nullptr, &Investment::OffsetMonthly, 0.0, 0.0, 1e10},
    {21, "OffsetSurplus", &Investment::OffsetSurplus, nullptr, 0, 0, 1},
    {22, "ExtraRepayment", nullptr, &Investment::ExtraRepayment, 0.0, 0.0, 1e10},
    {23, "ExtraFromYear", &Investment::ExtraFromYear, nullptr, 1, 1, kTableColumns},
    {24, "ExpensesFollowInflation", &Investment::ExpensesFollowInflation, nullptr, 1, 0, 1},
    {25, "RateExpensesGrowth", nullptr, &Investment::RateExpensesGrowth, 3.0, -100.0, 100.0},
    // Land tax (model/LandTax.h).
    {27, "LandTaxState", &Investment::LandTaxState, nullptr, 0, 0, 8},
    {28, "LandValue", nullptr, &Investment::LandValue, 0.0, 0.0, 1e12},
    {29, "OtherLandValue", nullptr, &Investment::OtherLandValue, 0.0, 0.0, 1e12},
    {30, "LandFollowsGrowth", &Investment::LandFollowsGrowth, nullptr, 1, 0, 1},
    {31, "RateLandGrowth", nullptr, &Investment::RateLandGrowth, 4.5, -100.0, 100.0},
    {32, "LandThresholdsGrow", &Investment::LandThresholdsGrow, nullptr, 0, 0, 1},
}};

// The depreciation schedules (Investment::BuildingSchedule, PlantSchedule): entries of the
// extension block of their own, written only when there is a figure, holding a double per
// year. Their settings are none: a schedule belongs to one property.
inline constexpr std::uint16_t kBuildingScheduleTag = 33;
inline constexpr std::uint16_t kPlantScheduleTag = 34;
inline constexpr std::string_view kBuildingScheduleName = "BuildingSchedule";
inline constexpr std::string_view kPlantScheduleName = "PlantSchedule";
// The land tax scale's edited rows (Investment::LandTaxRows): an entry of its own, 28 bytes a
// row (double above, rate, flat; int32 1 when the band takes its start), at most eight.
inline constexpr std::uint16_t kLandTaxRowsTag = 35;
inline constexpr std::size_t kLandTaxRowSize = 28;
inline constexpr std::string_view kLandTaxRowsName = "LandTaxRows";

// The interest rate's changes (Investment::RateSteps): an entry of the extension block of its
// own, written only when there is a change, holding for each an int32 year and a double rate.
// Its settings value is the text "year:rate;year:rate".
inline constexpr std::uint16_t kRateStepsTag = 26;
inline constexpr std::string_view kRateStepsName = "RateSteps";
inline constexpr std::size_t kRateStepSize = 12;
inline constexpr double kMaxRatePC = 1000.0; // the highest rate a change may set

// The inputs from TaxLaw to BrightLineYears belong to the law of the years: velcalc names them
// only for an investment that sets one of them, so that every other gives the output it
// always gave. The same holds for the loan and the costs from OffsetOpening on.
inline constexpr std::uint16_t kFirstLawTag = 9;
// Land tax from LandTaxState on, likewise.
inline constexpr std::uint16_t kFirstCostsTag = 19;
inline constexpr std::uint16_t kFirstLandTaxTag = 27;
inline constexpr bool IsLawInput(const AssumptionInput& in) {
    return in.tag >= kFirstLawTag && in.tag < kFirstCostsTag;
}
inline constexpr bool IsCostsInput(const AssumptionInput& in) {
    return in.tag >= kFirstCostsTag && in.tag < kFirstLandTaxTag;
}
inline constexpr bool IsLandTaxInput(const AssumptionInput& in) {
    return in.tag >= kFirstLandTaxTag;
}
// Whether the settings keep the input for new investments: not the values of one
// property's land.
inline constexpr bool IsRemembered(const AssumptionInput& in) {
    return in.doubleField != &Investment::LandValue &&
           in.doubleField != &Investment::OtherLandValue;
}

// The extension block's entry for the tax scale in force's reduced Medicare levy
// (TaxScale::MedicareShadeIn), an int of 0 or 1 written only when it is on. It belongs to the
// scale rather than to the record, so it has no line above; no line may take its tag.
inline constexpr std::uint16_t kMedicareShadeInTag = 8;

consteval bool TagsAreDistinct() {
    for (std::size_t i = 0; i < kAssumptionInputs.size(); ++i) {
        const std::uint16_t tag = kAssumptionInputs[i].tag;
        if (tag == kMedicareShadeInTag || tag == kRateStepsTag || tag == kBuildingScheduleTag ||
            tag == kPlantScheduleTag || tag == kLandTaxRowsTag)
            return false;
        for (std::size_t j = i + 1; j < kAssumptionInputs.size(); ++j)
            if (kAssumptionInputs[i].tag == kAssumptionInputs[j].tag) return false;
    }
    return true;
}
static_assert(TagsAreDistinct());

// The input's value in the record, as a double.
inline double AssumptionValue(const Investment& doc, const AssumptionInput& in) {
    return in.intField ? static_cast<double>(doc.*in.intField) : doc.*in.doubleField;
}

// Every input beyond the fixed layout at its built-in value, no unknown entries kept.
inline void SetBuiltInAssumptions(Investment& doc) {
    for (const AssumptionInput& in : kAssumptionInputs) {
        if (in.intField) doc.*in.intField = static_cast<int>(in.builtIn);
        else doc.*in.doubleField = in.builtIn;
    }
    doc.RateSteps.clear();
    doc.BuildingSchedule.clear();
    doc.PlantSchedule.clear();
    doc.LandTaxRows.clear();
    doc.UnknownAssumptions.clear();
}

// Copies the inputs of the law of the years from one record to another.
inline void CopyLawInputs(const Investment& from, Investment& to) {
    for (const AssumptionInput& in : kAssumptionInputs) {
        if (!IsLawInput(in)) continue;
        if (in.intField) to.*in.intField = from.*in.intField;
        else to.*in.doubleField = from.*in.doubleField;
    }
}

// Whether any input of the law of the years differs from its built-in value.
inline bool SetsTheLaw(const Investment& doc) {
    for (const AssumptionInput& in : kAssumptionInputs)
        if (IsLawInput(in) && AssumptionValue(doc, in) != in.builtIn) return true;
    return false;
}

// Whether any input of the loan and the costs differs from its built-in value or the rate
// changes.
inline bool SetsLoanAndCosts(const Investment& doc) {
    if (!doc.RateSteps.empty()) return true;
    for (const AssumptionInput& in : kAssumptionInputs)
        if (IsCostsInput(in) && AssumptionValue(doc, in) != in.builtIn) return true;
    return false;
}

// Whether any land tax input differs from its built-in value.
inline bool SetsLandTax(const Investment& doc) {
    if (!doc.LandTaxRows.empty()) return true;
    for (const AssumptionInput& in : kAssumptionInputs)
        if (IsLandTaxInput(in) && AssumptionValue(doc, in) != in.builtIn) return true;
    return false;
}

// Keeps at most kLandTaxRows rows, in order of their amounts, each amount limited to
// 0..1e12 and each rate to 0..100 (a row with a value that is no number is left out).
void LimitLandTaxRows(std::vector<LandTaxRow>& rows);

// Keeps at most kMaxScheduleYears figures, each limited to 0..1e12 (not a number: 0), and
// drops the zeros at the end, so that a schedule of nothing but zeros is none.
void LimitSchedule(std::vector<double>& schedule);
// The figures of a column pasted from a spreadsheet or typed one a line: a figure per line
// (blank lines and a "$", "," or spaces in a figure ignored); empty when a line is not a
// figure or there are more than kMaxScheduleYears.
std::vector<double> ParseScheduleColumn(std::string_view text);

// Keeps at most kMaxRateSteps changes with years in 1..40 and rates in -100..kMaxRatePC (not a
// number: left out), in order of their years; of two changes in one year the later stands.
void LimitRateSteps(std::vector<RateStep>& steps);

// The changes as the settings hold them ("3:7.5;5:6"), and back; a text that is not such a
// list gives none.
std::string RateStepsText(const std::vector<RateStep>& steps);
std::vector<RateStep> ParseRateSteps(std::string_view text);

// The loan's interest rate through every projection year: the record's, changed by its steps.
Investment::YearArray InterestRateByYear(const Investment& doc);
