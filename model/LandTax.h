// Land tax by State: the built-in 2025-26 scales, the tax on a total land value, and the tax
// an investment's land bears in each projection year.
#pragma once

#include <array>
#include <string_view>

#include "model/Investment.h"

struct YearRates;

// A scale: its bands (Investment's LandTaxRow) in order of their amounts.
struct LandTaxScale {
    int count = 0; // rows in use, in order of `above`
    std::array<LandTaxRow, kLandTaxRows> rows{};
    // The Territory charges every property on its own value: land held elsewhere does not
    // count.
    bool eachPropertyAlone = false;
    bool operator==(const LandTaxScale&) const = default;
};

// Investment::LandTaxState: 0 no land tax, then the States in this order.
enum LandTaxState : int {
    kNoLandTax = 0,
    kLandTaxNSW,
    kLandTaxVic,
    kLandTaxQld,
    kLandTaxSA,
    kLandTaxWA,
    kLandTaxTas,
    kLandTaxACT,
    kLandTaxNT,
};
inline constexpr int kLandTaxStateCount = 9;
inline constexpr std::array<std::string_view, kLandTaxStateCount> kLandTaxStateNames = {
    "None", "NSW", "Vic", "Qld", "SA", "WA", "Tas", "ACT", "NT"};

// The built-in scale of a State for the 2025-26 land tax year (no rows: no land tax).
const LandTaxScale& BuiltInLandTaxScale(int state);
// The scale the record is taxed under: its State's, with the record's own rows
// (Investment::LandTaxRows) in place of the built-in ones when it has any.
LandTaxScale LandTaxScaleInForce(const Investment& doc);

// The tax on a total taxable land value under a scale.
double ComputeLandTax(double value, const LandTaxScale& scale);

// Whether the record charges land tax: a State that has one and a land value.
bool UsesLandTax(const Investment& doc);

// The land tax of every projection year: the tax on this land and the other land held, less
// the tax on the other land alone (each property alone in the Territory). Both values start
// at purchase and grow each year by the capital growth, or by the land's own rate; year 1
// pays on the values at purchase. With LandThresholdsGrow every amount of the scale grows
// with inflation from year 2 on. All 0 without land tax.
Investment::YearArray WorkOutLandTax(const Investment& doc, const YearRates& rates);
