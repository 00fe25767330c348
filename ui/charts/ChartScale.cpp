#include "ui/charts/ChartScale.h"

#include <algorithm>
#include <cmath>

#include "format/Format.h"

namespace {

constexpr double kWholeTolerance = 0.00001;

bool IsWhole(double v) { return std::fabs(v - std::trunc(v)) <= kWholeTolerance; }

} // namespace

int DecimalExponent(double x) {
    double r = std::fabs(x);
    if (r > 0.0 && r < 0.0000001) return 0;
    int count = 0;
    for (int i = 0; i < 20; ++i) {
        if (r >= 1.0 && r < 10.0) return count;
        if (r >= 10.0) {
            r /= 10.0;
            ++count;
        } else if (r < 1.0) {
            r *= 10.0;
            --count;
        } else {
            break; // NaN
        }
    }
    return 0;
}

double NiceCeiling(double x) {
    const int k = DecimalExponent(x);
    const double power = std::pow(10.0, k);
    const double m = x / power;
    const double whole = std::trunc(m);
    double n = (m - whole >= kWholeTolerance) ? whole + 1.0 : m;
    // Seven and nine make awkward tick steps: go one further.
    const double nearest = Nearest(n);
    if (nearest == 7.0 || nearest == 9.0) n = Nearest(n + 1.0);
    return n * power;
}

int DecimalPlaces(double x) {
    // Twenty places is far beyond what a double carries; the bound only keeps a freak
    // value from looping.
    int places = 0;
    while (places < 20 && std::isfinite(x) && !IsWhole(x)) {
        x *= 10.0;
        ++places;
    }
    return places;
}

int ChooseTickCount(double range) {
    const double q = range * std::pow(10.0, DecimalPlaces(range));
    const double t = q / std::pow(10.0, DecimalExponent(q));
    if (t >= 1.0 && t < 10.0 && IsWhole(t)) {
        const int d = static_cast<int>(t);
        if (d == 1) return 5;
        if (d == 2 || d == 8) return 4;
        return d;
    }
    // A leading part that is not a single digit: prefer the count whose step is a whole
    // number, then one that is also a multiple of 5, then of 10.
    int best = 1, bestScore = 0;
    for (int n : {7, 6, 5, 4, 3, 2}) {
        const double part = q / n;
        if (!IsWhole(part)) continue;
        int score = 1;
        if (IsWhole(part * 0.2)) ++score;
        if (IsWhole(part * 0.1)) ++score;
        if (score > bestScore) {
            best = n;
            bestScore = score;
        }
    }
    return best;
}

ChartScale ComputeChartScale(const ChartRequest& request) {
    double hi = 0.0, lo = 0.0;
    for (const double* values : request.series) {
        if (!values) continue;
        for (int j = 0; j < request.count; ++j) {
            const double v = values[j];
            // No-value markers and non-numbers must not stretch the axis.
            if (!std::isfinite(v) || IsNoValue(v)) continue;
            if (v > hi) hi = v;
            if (v < lo) lo = v;
        }
    }

    ChartScale s;
    s.upper = hi > 0.0 ? NiceCeiling(hi) : 0.0;
    s.lower = lo >= 0.0 ? 0.0 : -NiceCeiling(-lo);
    // The axis reaches at least as far above zero as below it.
    if (s.lower < 0.0 && -s.lower > s.upper) s.upper = -s.lower;

    if (request.unit.find('%') != std::string::npos) {
        s.lower = 0.0;
        if (s.upper < 20.0) s.upper = 20.0;
        if (s.upper >= 100.0) s.upper = 100.0;
    }

    s.range = s.upper - s.lower;
    if (s.range <= 0.00001) {
        s.range = 100.0;
        s.upper = s.lower + 100.0;
        s.intervals = 1;
    } else {
        s.intervals = ChooseTickCount(s.range);
    }
    s.step = s.range / s.intervals;
    return s;
}

ChartScale WithLossesShown(const ChartRequest& request, ChartScale scale) {
    if (request.unit.find('%') == std::string::npos || !request.series[0]) return scale;
    double lowest = 0, highest = 0;
    for (const double* values : request.series)
        for (int j = 0; values && j < request.count; ++j)
            if (std::isfinite(values[j]) && !IsNoValue(values[j])) {
                lowest = std::min(lowest, values[j]);
                highest = std::max(highest, values[j]);
            }
    if (lowest >= 0) return scale;
    // Above zero the rates' own reach (at least 20 %), not the losses' mirror.
    scale.upper = std::clamp(highest > 0 ? NiceCeiling(highest) : 0.0, 20.0, 100.0);
    scale.lower = -NiceCeiling(-lowest);
    scale.range = scale.upper - scale.lower;
    scale.intervals = ChooseTickCount(scale.range);
    scale.step = scale.range / scale.intervals;
    return scale;
}
