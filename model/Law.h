// The law built in: which income tax scale each income year takes, the dates from which the
// rules on losses, depreciation and the sale apply, and their rates. Every figure is a dated
// entry with its source (the README's "The law built in" cites them in full); the rates a
// user may disagree with are defaults of inputs (model/Assumptions.h), not constants.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Investment.h"
#include "model/Scales.h"

// How the years of a projection are taxed (the record's TaxLaw).
enum TaxLawKind : int {
    kOneScaleForEveryYear = 0, // the scale in force for all 40 years and today's sale
    kAustraliaByIncomeYear = 1,
    kNewZealandByIncomeYear = 2,
};
inline constexpr std::array<std::string_view, 3> kTaxLawNames = {
    "One scale for every year", "Australia by income year", "New Zealand by income year"};

// A date to the month: projection years and the sale fall on the first of the month of the
// purchase, so a month is as fine as any date the projection can tell apart.
struct LawMonth {
    int year = 0;
    int month = 1; // 1..12
    constexpr int Index() const { return year * 12 + (month - 1); }
    constexpr bool operator<(const LawMonth& o) const { return Index() < o.Index(); }
    // The same month `years` later: the start of a projection year, or the sale.
    constexpr LawMonth YearsLater(int years) const { return {year + years, month}; }
};

// The location of one of today's built-in tax scales by its name, found while compiling.
consteval int TodaysTaxLocation(std::string_view name) {
    for (std::size_t i = 0; i < kFurtherTaxLocations.size(); ++i)
        if (kFurtherTaxLocations[i] == name) return kFirstFurtherTaxLocation + static_cast<int>(i);
    throw "not a built-in tax scale";
}

// One income tax scale and the first income year it is the law for (the year starting
// 1 July, or 1 April in New Zealand, of `firstYear`).
struct IncomeYearScale {
    int firstYear;
    int location; // a built-in entry (kFurtherTaxLocations)
    std::string_view source;
};

// A rule that applies from a date (the first day on which it applies).
struct DatedRule {
    int year, month, day;
    std::string_view rule;
    std::string_view source;
    constexpr LawMonth Month() const { return {year, month}; }
};

// --- Australia ---
inline constexpr int kAustraliaYearStartMonth = 7;
inline constexpr std::array<IncomeYearScale, 3> kAustralianScales = {{
    {2025, TodaysTaxLocation("Australia (25/26)"),
     "Treasury Laws Amendment (More Cost of Living Relief) Act 2025"},
    {2026, TodaysTaxLocation("Australia (26/27)"),
     "Treasury Laws Amendment (More Cost of Living Relief) Act 2025"},
    {2027, TodaysTaxLocation("Australia (27/28)"),
     "Treasury Laws Amendment (More Cost of Living Relief) Act 2025"},
}};
// Capital gains: the discount gives way to an indexed cost base and a minimum tax; a dwelling
// held on the day is treated as sold and bought again at its value then.
inline constexpr DatedRule kCgtSwitch = {
    2027, 7, 1, "Cost base indexed by the CPI and a minimum tax on the gain after this date",
    "Treasury Laws Amendment (Tax Reform No. 1) Act 2026 (No. 49 of 2026)"};
inline constexpr double kCgtDiscountPC = 50.0;
inline constexpr double kCgtMinimumTaxPC = 30.0;
// Rental losses of an established dwelling bought after Budget night are carried forward
// from the first income year on or after kLossQuarantine.
inline constexpr DatedRule kNegativeGearingCutOff = {
    2026, 5, 12, "Established dwellings bought after 7:30 pm AEST on this day",
    "Treasury Laws Amendment (Tax Reform No. 1) Act 2026 (No. 49 of 2026)"};
inline constexpr DatedRule kLossQuarantine = {
    2027, 7, 1, "Rental losses only against residential property income and gains",
    "Treasury Laws Amendment (Tax Reform No. 1) Act 2026 (No. 49 of 2026)"};
inline constexpr DatedRule kSecondHandPlant = {
    2017, 5, 9, "No deduction for second-hand fittings of a residential rental property",
    "ATO \"Second-hand depreciating assets\""};

// --- New Zealand ---
inline constexpr int kNewZealandYearStartMonth = 4;
inline constexpr std::array<IncomeYearScale, 1> kNewZealandScales = {{
    {2025, TodaysTaxLocation("New Zealand (25/26)"), "Inland Revenue \"Tax rates for individuals\""},
}};
inline constexpr DatedRule kRingFencing = {
    2019, 4, 1, "Residential rental losses carried forward, never against other income",
    "Inland Revenue \"Residential property deduction rules\""};
inline constexpr DatedRule kBrightLine = {
    2024, 7, 1, "A dwelling sold within the bright-line period is taxed on the whole gain",
    "Inland Revenue \"Changes to the bright-line test\""};
inline constexpr double kBrightLineYears = 2.0;
inline constexpr DatedRule kNoBuildingDepreciation = {
    2011, 4, 1, "Residential buildings depreciate at 0 %",
    "Inland Revenue \"Changes to building depreciation\" (Budget 2010)"};

// Why a depreciation row is 0 under the law, for the pages that show it.
inline constexpr std::string_view kNoFittingsReason =
    "Second-hand fittings in an established dwelling are not deductible since 9 May 2017";
inline constexpr std::string_view kNoBuildingReason =
    "Residential buildings are not depreciated in New Zealand since the 2011-12 income year";

// The law of each year of one projection, worked out from the record's inputs.
struct ProjectionLaw {
    int kind = kOneScaleForEveryYear;
    // The scale of each projection year (not set under kOneScaleForEveryYear).
    std::array<TaxScale, kTableColumns> scales{};
    // The first calendar year of the income year each projection year starts in; 0 under
    // kOneScaleForEveryYear.
    std::array<std::int16_t, kTableColumns> incomeYear{};
    // Rental losses are carried forward from this column on; kTableColumns: never.
    int carryFrom = kTableColumns;
    bool noFittingsDepreciation = false;
    // The building depreciates nothing from this column on; kTableColumns: never.
    int noBuildingFrom = kTableColumns;
};

// The purchase date and the capital gains switch date of the record, limited to real months.
LawMonth PurchaseDate(const Investment& doc);
LawMonth CgtSwitchDate(const Investment& doc);
// The first calendar year of the income year in which `date` falls under `kind`.
int IncomeYearOf(int kind, LawMonth date);
// "2026-27" for the income year starting in 2026.
std::string IncomeYearText(int firstYear);
// "Dec 2026".
std::string MonthText(LawMonth date);
// The law of the record and its purchase date ("Australia by income year, established
// dwelling bought Dec 2026"); the law's name alone under one scale for every year.
std::string LawDescription(const Investment& doc);
// The income tax scale of an income year under `kind` (not kOneScaleForEveryYear): the
// built-in scale of that year, the first one before them, the last one after them, its
// thresholds grown by `inflationPercent` a year after the last when `grow`.
TaxScale IncomeYearTaxScale(int kind, int incomeYear, bool grow, double inflationPercent);
// Everything the recalculation takes from the law.
void WorkOutProjectionLaw(const Investment& doc, ProjectionLaw& law);
// Today's entry of an original State duty scale ("Qld" gives "Qld 2025"); any other scale as
// it is.
DutyScale TodaysDutyScale(const DutyScale& scale);
// Whether the rule on second-hand fittings applies to the record's dwelling (an established
// one under Australian law bought after it began), whatever its fittings: then only fittings
// the owner bought new are deductible.
bool SecondHandFittingsRuleApplies(const Investment& doc);
// Why the fittings (building) depreciation is 0 under the record's law, or empty.
std::string_view FittingsDepreciationNilReason(const Investment& doc);
std::string_view BuildingDepreciationNilReason(const Investment& doc);
