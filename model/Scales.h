// Stamp duty and income tax scales: the records, the built-in scales by location, the one
// scale of each kind in force, and the two computations.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr int kScaleRows = 10;

struct DutyScale {
    std::int16_t Location = 0; // index into kDutyLocations
    std::int16_t Count = 0;    // rows in use, 0..10
    std::array<double, kScaleRows> Above{};
    std::array<double, kScaleRows> Rate{};
    std::array<std::int16_t, kScaleRows> Flat{};
    double BaseDuty = 0.0;
    bool operator==(const DutyScale&) const = default;
};

struct TaxScale {
    std::int16_t Location = 0; // index into kTaxLocations
    std::int16_t Count = 0;    // rows in use, 0..10
    std::array<double, kScaleRows> Above{};
    std::array<double, kScaleRows> Rate{};
    double MedicareRate = 0.0;
    double MedicareThreshold = 0.0;
    bool operator==(const TaxScale&) const = default;
};

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

// The built-in scales, one per location. Only the "Custom" entries change while the program
// runs (the scale editors write them).
extern std::array<DutyScale, kDutyLocationCount> BuiltInDutyScales;
extern std::array<TaxScale, kTaxLocationCount> BuiltInTaxScales;

// The scales in force, shared by every computation and whichever investment is open.
extern DutyScale CurrentDutyScale;
extern TaxScale CurrentTaxScale;

// The scales as they are when the program starts (not the same as any built-in entry for tax).
DutyScale StartupDutyScale();
TaxScale StartupTaxScale();
// Built-in tables as shipped (before any "Custom" edit). A location outside its list gives the
// "None" entry.
DutyScale ShippedDutyScale(int location);
TaxScale ShippedTaxScale(int location);
// Puts the scales in force and the built-in entries back to their start-up state.
void ResetScalesToStartup();

// Counts read from outside are limited to 0..10 before they can index a row.
int RowsInUse(std::int16_t count);

double ComputeStampDuty(double price, const DutyScale& scale);
double ComputeIncomeTax(double taxableIncome, const TaxScale& scale);
