#include "model/LandTax.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/YearRates.h"

namespace {

constexpr LandTaxScale MakeScale(std::initializer_list<LandTaxRow> rows, bool alone = false) {
    LandTaxScale s;
    for (const LandTaxRow& r : rows) s.rows[static_cast<std::size_t>(s.count++)] = r;
    s.eachPropertyAlone = alone;
    return s;
}

constexpr bool kAt = true;
constexpr bool kOver = false;

// General rates for an individual owner, land tax year 2025-26 (README: "Land tax" gives the
// source of each and which could not be confirmed from the revenue office's own page).
constexpr std::array<LandTaxScale, kLandTaxStateCount> kScales = {{
    MakeScale({}),
    // NSW: thresholds frozen since the 2025 land tax year; the premium rate above 6,571,000.
    MakeScale({{1075000, 1.6, 100, kOver}, {6571000, 2.0, 88036, kOver}}),
    // Vic: fixed amounts from 50,000 and 100,000, marginal rates from 300,000 (the COVID debt
    // levy included).
    MakeScale({{50000, 0, 500, kAt},
               {100000, 0, 975, kAt},
               {300000, 0.3, 1350, kAt},
               {600000, 0.6, 2250, kAt},
               {1000000, 0.9, 4650, kAt},
               {1800000, 1.65, 11850, kAt},
               {3000000, 2.65, 31650, kAt}}),
    // Qld: individuals, 600,000 and more.
    MakeScale({{600000, 1.0, 500, kAt},
               {1000000, 1.65, 4500, kAt},
               {3000000, 1.25, 37500, kAt},
               {5000000, 1.75, 62500, kAt},
               {10000000, 2.25, 150000, kAt}}),
    // SA: $0.50, $1, $2 and $2.40 per $100 over the thresholds (charged here on the exact
    // excess, not per $100 or part).
    MakeScale({{833000, 0.5, 0, kOver},
               {1338000, 1.0, 2525, kOver},
               {1947000, 2.0, 8615, kOver},
               {3116000, 2.4, 31995, kOver}}),
    // WA: a flat 300 from 300,001; MRIT not included.
    MakeScale({{300000, 0, 300, kOver},
               {420000, 0.25, 300, kOver},
               {1000000, 0.9, 1750, kOver},
               {1800000, 1.8, 8950, kOver},
               {5000000, 2.0, 66550, kOver},
               {11000000, 2.67, 186550, kOver}}),
    // Tas: from 125,000.
    MakeScale({{125000, 0.45, 50, kAt}, {500000, 1.5, 1737.5, kAt}}),
    // ACT: a fixed charge and marginal rates on each property's (average unimproved) value.
    MakeScale({{0, 0.56, 1706, kOver},
               {150000, 0.64, 2546, kOver},
               {275000, 1.12, 3346, kOver},
               {2000000, 1.14, 22666, kOver}},
              true),
    // NT: no land tax.
    MakeScale({}),
}};

} // namespace

const LandTaxScale& BuiltInLandTaxScale(int state) {
    return kScales[static_cast<std::size_t>(state >= 0 && state < kLandTaxStateCount ? state : 0)];
}

// The last row the value reaches sets the tax: looked for from the end.
double ComputeLandTax(double value, const LandTaxScale& scale) {
    for (int i = std::min(scale.count, kLandTaxRows) - 1; i >= 0; --i) {
        const LandTaxRow& r = scale.rows[static_cast<std::size_t>(i)];
        if (value > r.above || (r.atStart && value == r.above))
            return r.flat + (value - r.above) * r.rate * 0.01;
    }
    return 0;
}

LandTaxScale LandTaxScaleInForce(const Investment& doc) {
    LandTaxScale scale = BuiltInLandTaxScale(doc.LandTaxState);
    if (doc.LandTaxRows.empty()) return scale;
    scale.count = 0;
    for (const LandTaxRow& r : doc.LandTaxRows)
        if (scale.count < kLandTaxRows) scale.rows[static_cast<std::size_t>(scale.count++)] = r;
    return scale;
}

bool UsesLandTax(const Investment& doc) {
    return doc.LandTaxState != kNoLandTax && doc.LandValue > 0 &&
           (BuiltInLandTaxScale(doc.LandTaxState).count > 0 || !doc.LandTaxRows.empty());
}

void LimitLandTaxRows(std::vector<LandTaxRow>& rows) {
    std::erase_if(rows, [](const LandTaxRow& r) {
        return std::isnan(r.above) || std::isnan(r.rate) || std::isnan(r.flat);
    });
    for (LandTaxRow& r : rows) {
        r.above = std::clamp(r.above, 0.0, 1e12);
        r.rate = std::clamp(r.rate, 0.0, 100.0);
        r.flat = std::clamp(r.flat, 0.0, 1e12);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LandTaxRow& a, const LandTaxRow& b) { return a.above < b.above; });
    if (rows.size() > static_cast<std::size_t>(kLandTaxRows)) rows.resize(kLandTaxRows);
}

Investment::YearArray WorkOutLandTax(const Investment& doc, const YearRates& rates) {
    Investment::YearArray tax{};
    if (!UsesLandTax(doc)) return tax;
    const LandTaxScale scale = LandTaxScaleInForce(doc);
    double own = doc.LandValue, other = doc.OtherLandValue, index = 1;
    // Every amount of the scale times `index`: the tax on v is index times the tax on
    // v / index under the scale as legislated.
    auto taxOn = [&](double v) { return index * ComputeLandTax(v / index, scale); };
    for (int c = 0; c < kTableColumns; ++c) {
        if (c > 0) {
            const double growth =
                1 + (doc.LandFollowsGrowth != 0 ? rates.growth[c - 1] : doc.RateLandGrowth) * 0.01;
            own *= growth;
            other *= growth;
            if (doc.LandThresholdsGrow != 0) index *= 1 + rates.inflation[c] * 0.01;
        }
        tax[static_cast<std::size_t>(c)] =
            scale.eachPropertyAlone ? taxOn(own) : taxOn(own + other) - taxOn(other);
    }
    return tax;
}
