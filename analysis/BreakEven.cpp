#include "analysis/BreakEven.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "format/Format.h"

namespace {

constexpr int kScanIntervals = 20;
constexpr int kMaxIterations = 100;

using Function = std::function<double(double)>; // NoValue where there is no result

// The root of f in [a, b], where f(a) and f(b) differ in sign: Brent's method to an interval
// of `tolerance`.
double Narrow(const Function& f, double a, double b, double fa, double fb, double tolerance) {
    double c = a, fc = fa, d = b - a, e = d;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * 1e-16 * std::fabs(b) + 0.5 * tolerance;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double r = fb / fc;
                const double t = fa / fc;
                p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
                q = (t - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            else p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = m;
            }
        } else {
            d = m;
            e = m;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
        // A value without a result inside a bracket: stop rather than guess.
        if (IsNoValue(fb)) return NoValue;
    }
    return b;
}

// Scans [low, high] for a change of sign, takes the one nearest `present`, and narrows it.
BreakEvenFigure Solve(const Function& f, double low, double high, double present,
                      double tolerance, double accepted) {
    BreakEvenFigure figure;
    figure.low = low;
    figure.high = high;
    if (!(high > low)) return figure;
    std::array<double, kScanIntervals + 1> x{}, y{};
    for (int i = 0; i <= kScanIntervals; ++i) {
        x[i] = i == kScanIntervals ? high : low + (high - low) * i / kScanIntervals;
        y[i] = f(x[i]);
    }
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < kScanIntervals; ++i) {
        if (IsNoValue(y[i]) || IsNoValue(y[i + 1])) continue;
        if ((y[i] > 0) == (y[i + 1] > 0) && y[i] != 0) continue;
        const double distance = std::fabs(0.5 * (x[i] + x[i + 1]) - present);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best < 0) return figure;
    double root;
    if (y[best] == 0) root = x[best];
    else root = Narrow(f, x[best], x[best + 1], y[best], y[best + 1], tolerance);
    if (IsNoValue(root)) return figure;
    const double residual = f(root);
    // A result that jumps across the line (a tax threshold, say) has no value on it.
    if (IsNoValue(residual) || std::fabs(residual) > accepted) return figure;
    figure.found = true;
    figure.value = root;
    figure.residual = residual;
    return figure;
}

} // namespace

BreakEvenFigure BreakEvenRent(WhatIf& whatIf) {
    const CVELPPCDoc& base = whatIf.Base();
    if (base.TotalCost < 0.00001 || base.PeriodsPerYear <= 0) return {};
    const double high =
        std::max(10 * base.Rent, 0.5 * base.TotalCost / static_cast<double>(base.PeriodsPerYear));
    const Function cashFlow = [&](double rent) {
        const InputChange change{WhatIfInput::Rent, rent};
        return whatIf.Result({&change, 1}, WhatIfResult::CashFlowYear);
    };
    return Solve(cashFlow, 0.0, high, base.Rent, 1e-7, 0.01);
}

BreakEvenFigure BreakEvenGrowth(WhatIf& whatIf) {
    const double inflation = whatIf.Base().RateInfl;
    const Function gap = [&](double growth) {
        const InputChange change{WhatIfInput::CapitalGrowth, growth};
        const double irr = whatIf.Result({&change, 1}, WhatIfResult::IRR);
        return IsNoValue(irr) ? NoValue : irr - inflation;
    };
    return Solve(gap, -20.0, 30.0, whatIf.Base().RateGrowth, 1e-10, 1e-6);
}

BreakEvenFigure BreakEvenInterest(WhatIf& whatIf) {
    const Function npv = [&](double rate) {
        const InputChange change{WhatIfInput::InterestRate, rate};
        return whatIf.Result({&change, 1}, WhatIfResult::NPV);
    };
    return Solve(npv, 0.0, 30.0, whatIf.Base().RateInterest, 1e-10, 0.01);
}

BreakEvens WorkOutBreakEvens(WhatIf& whatIf) {
    BreakEvens figures;
    figures.rent = BreakEvenRent(whatIf);
    figures.growth = BreakEvenGrowth(whatIf);
    figures.interest = BreakEvenInterest(whatIf);
    if (figures.rent.found)
        figures.weeklyRent = figures.rent.value * whatIf.Base().PeriodsPerYear / 52.0;
    return figures;
}
