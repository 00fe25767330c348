#include "analysis/BreakEven.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

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

struct Bracket {
    double a, b, fa, fb;
};

// Looks for a change of sign outwards from `centre`, a step of a twentieth of the range first
// and doubling, on both sides by turns: the nearest one, usually in a few steps. Where there
// is no result the step is halved instead, so that a search never crosses a gap.
std::optional<Bracket> SearchOutwards(const Function& f, double low, double high, double centre) {
    const double first = (high - low) / kScanIntervals;
    const double y0 = f(centre);
    if (IsNoValue(y0)) return std::nullopt;
    if (y0 == 0) return Bracket{centre, centre, 0, 0};
    struct Side {
        double direction, x, y, step;
        bool done;
    } sides[2] = {{1, centre, y0, first, centre >= high}, {-1, centre, y0, first, centre <= low}};
    while (!(sides[0].done && sides[1].done)) {
        for (Side& side : sides) {
            if (side.done) continue;
            const double x = std::clamp(side.x + side.direction * side.step, low, high);
            const double y = f(x);
            if (IsNoValue(y)) {
                side.step *= 0.5;
                side.done = side.step < first * 1e-6;
                continue;
            }
            if ((y > 0) != (side.y > 0) || y == 0) return Bracket{side.x, x, side.y, y};
            side.x = x;
            side.y = y;
            side.step *= 2;
            side.done = x <= low || x >= high;
        }
    }
    return std::nullopt;
}

// The whole range in even steps: the change of sign nearest `centre` between two results.
std::optional<Bracket> Scan(const Function& f, double low, double high, double centre) {
    constexpr int n = 2 * kScanIntervals;
    std::optional<Bracket> best;
    double px = low, py = f(low);
    for (int i = 1; i <= n; ++i) {
        const double x = i == n ? high : low + (high - low) * i / n;
        const double y = f(x);
        if (!IsNoValue(y) && !IsNoValue(py) && ((y > 0) != (py > 0) || y == 0) &&
            (!best || std::fabs(0.5 * (px + x) - centre) < std::fabs(0.5 * (best->a + best->b) - centre)))
            best = Bracket{px, x, py, y};
        px = x;
        py = y;
    }
    return best;
}

// The crossing nearest `present` in [low, high], narrowed to `tolerance`; found only where
// the result is within `accepted` of the line.
BreakEvenFigure Solve(const Function& f, double low, double high, double present,
                      double tolerance, double accepted) {
    BreakEvenFigure figure;
    figure.low = low;
    figure.high = high;
    if (!(high > low)) return figure;
    const double centre = std::clamp(present, low, high);
    std::optional<Bracket> bracket = SearchOutwards(f, low, high, centre);
    // No result at the present value, or a gap on the way: look over the whole range.
    if (!bracket) bracket = Scan(f, low, high, centre);
    if (!bracket) return figure;
    const double root = bracket->fb == 0   ? bracket->b
                        : bracket->fa == 0 ? bracket->a
                                           : Narrow(f, bracket->a, bracket->b, bracket->fa,
                                                    bracket->fb, tolerance);
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
    const Investment& base = whatIf.Base();
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

std::array<BreakEvenLine, 3> BreakEvenLines(const BreakEvens& figures, const Investment& base) {
    auto none = [](const BreakEvenFigure& f, const char* format, double scale) {
        // Nothing bought: nothing was searched.
        if (!(f.high > f.low)) return std::string("none");
        return "none from " + FormatValue(f.low * scale, format) + " to " +
               FormatValue(f.high * scale, format);
    };
    const char* const rate = "%0.00";
    std::string rent;
    if (figures.rent.found) {
        rent = FormatValue(figures.weeklyRent, "$0.00") + " a week";
        if (base.PeriodsPerYear != 52)
            rent += " (" + FormatValue(figures.rent.value, "$0.00") + " a rent period)";
    } else {
        rent = none(figures.rent, "$0,m", base.PeriodsPerYear / 52.0);
        if (figures.rent.high > figures.rent.low) rent += " a week";
    }
    return {{
        {"Rent for a cash flow of $0 in year " +
             FormatValue(std::clamp(base.ShowYear, 1, kTableColumns), "0") + ":",
         rent},
        {"Capital growth for an IRR equal to inflation (" + FormatValue(base.RateInfl, rate) + "):",
         figures.growth.found ? FormatValue(figures.growth.value, rate) : none(figures.growth, rate, 1)},
        {"Interest rate for an NPV of $0:",
         figures.interest.found ? FormatValue(figures.interest.value, rate)
                                : none(figures.interest, rate, 1)},
    }};
}
