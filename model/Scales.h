// Stamp duty and income tax scales: the records, the built-in scales by location, the scales
// an investment is worked out under, and the two computations.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr int kScaleRows = 10;

struct DutyScale {
    std::int16_t Location = 0; // a built-in entry (DutyLocationName)
    std::int16_t Count = 0;    // rows in use, 0..10
    std::array<double, kScaleRows> Above{};
    std::array<double, kScaleRows> Rate{};
    std::array<std::int16_t, kScaleRows> Flat{};
    double BaseDuty = 0.0;
    bool operator==(const DutyScale&) const = default;
};

struct TaxScale {
    std::int16_t Location = 0; // a built-in entry (TaxLocationName)
    std::int16_t Count = 0;    // rows in use, 0..10
    std::array<double, kScaleRows> Above{};
    std::array<double, kScaleRows> Rate{};
    double MedicareRate = 0.0;
    double MedicareThreshold = 0.0;
    // The levy's reduction for low incomes: above the threshold the levy is at most 10 % of
    // the income over it. Stored apart from the fields above (settings value
    // "TaxScaleMedicareShadeIn", the file's extension block).
    bool MedicareShadeIn = false;
    bool operator==(const TaxScale&) const = default;
};

// The original entries (of 2005-2007), at the locations files and settings have always stored.
inline constexpr int kDutyLocationCount = 10;
inline constexpr int kTaxLocationCount = 5;
inline constexpr std::array<std::string_view, kDutyLocationCount> kDutyLocations = {
    "Qld", "NSW", "Vic", "SA", "WA", "NT", "Tas", "ACT", "None", "Custom"};
inline constexpr std::array<std::string_view, kTaxLocationCount> kTaxLocations = {
    "Australia (06/07)", "New Zealand", "Australia (05/06)", "None ", "Custom"};
inline constexpr int kDutyLocationNone = 8;
inline constexpr int kDutyLocationCustom = 9;
inline constexpr int kTaxLocationNone = 3;
inline constexpr int kTaxLocationCustom = 4;

// Further built-in entries: today's scales. They come after the entries above, so that every
// location a file or the settings store holds keeps its meaning (duty 0-9, tax 0-4).
inline constexpr int kFurtherDutyLocationCount = 8;
inline constexpr int kFurtherTaxLocationCount = 4;
inline constexpr std::array<std::string_view, kFurtherDutyLocationCount> kFurtherDutyLocations = {
    "Qld 2025", "NSW 2025", "Vic 2025", "SA 2025", "WA 2025", "NT 2025", "Tas 2025", "ACT 2025"};
inline constexpr std::array<std::string_view, kFurtherTaxLocationCount> kFurtherTaxLocations = {
    "Australia (25/26)", "Australia (26/27)", "Australia (27/28)", "New Zealand (25/26)"};
inline constexpr int kFirstFurtherDutyLocation = kDutyLocationCount;
inline constexpr int kFirstFurtherTaxLocation = kTaxLocationCount;
// Every built-in entry: locations 0 .. count - 1.
inline constexpr int kBuiltInDutyCount = kDutyLocationCount + kFurtherDutyLocationCount;
inline constexpr int kBuiltInTaxCount = kTaxLocationCount + kFurtherTaxLocationCount;

// The name of a built-in entry; empty for a location beyond the lists.
std::string_view DutyLocationName(int location);
std::string_view TaxLocationName(int location);
// The built-in entry of this name, spaces at either end not counted ("None" finds "None "),
// or -1.
int FindDutyLocation(std::string_view name);
int FindTaxLocation(std::string_view name);

// The scales as they are when the program starts (not the same as any built-in entry for tax).
DutyScale StartupDutyScale();
TaxScale StartupTaxScale();
// Built-in tables as shipped (before any "Custom" edit). A location outside the built-in
// entries gives the "None" entry.
DutyScale ShippedDutyScale(int location);
TaxScale ShippedTaxScale(int location);

// The scales an investment is worked out under: the two in force, and the editors' "Custom"
// entries. Those belong with the investment rather than the user's settings: the scale editors
// rewrite them as the scales in force are edited, undo takes them back with the record, and
// they are never stored in the settings.
struct Scales {
    DutyScale duty = StartupDutyScale();
    TaxScale tax = StartupTaxScale();
    DutyScale customDuty = ShippedDutyScale(kDutyLocationCustom);
    TaxScale customTax = ShippedTaxScale(kTaxLocationCustom);
    bool operator==(const Scales&) const = default;
};

// The built-in entry at `location` as these scales see it: the shipped table, or the "Custom"
// entry. A location outside the built-in entries gives the "None" entry.
DutyScale BuiltInDutyScale(const Scales& scales, int location);
TaxScale BuiltInTaxScale(const Scales& scales, int location);

// Counts read from outside are limited to 0..10 before they can index a row.
int RowsInUse(std::int16_t count);

double ComputeStampDuty(double price, const DutyScale& scale);
double ComputeIncomeTax(double taxableIncome, const TaxScale& scale);
