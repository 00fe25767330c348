// Break-even figures: the value of one input at which a result crosses a line, found over
// whole recalculations by bracketing within a sensible range and then narrowing the bracket
// (Brent's method: bisection with secant and inverse quadratic steps).
#pragma once

#include <array>
#include <string>

#include "analysis/WhatIf.h"

struct BreakEvenFigure {
    bool found = false;
    double value = 0;    // the input's value at the crossing, when found
    double residual = 0; // how far the result is from the line there
    double low = 0, high = 0; // the range searched
};

// The rent (per rent period, as the record holds it) at which the results year's after-tax
// cash flow is 0, searched from 0 to the larger of ten times the rent and a gross yield of
// 50 % of the total cost. Found means within a cent.
BreakEvenFigure BreakEvenRent(WhatIf& whatIf);
// The capital growth at which the IRR equals the rate of inflation, searched from -20 % to
// 30 % a year. Found means within a millionth of a point.
BreakEvenFigure BreakEvenGrowth(WhatIf& whatIf);
// The interest rate at which the NPV is 0, searched from 0 % to 30 % a year. Found means
// within a cent.
BreakEvenFigure BreakEvenInterest(WhatIf& whatIf);

struct BreakEvens {
    BreakEvenFigure rent, growth, interest;
    double weeklyRent = 0; // rent's value as a weekly rent, when found
};
BreakEvens WorkOutBreakEvens(WhatIf& whatIf);

// The three figures as the program and the report show them: what each is, and its value or
// the range searched without finding one.
struct BreakEvenLine {
    std::string label, value;
};
std::array<BreakEvenLine, 3> BreakEvenLines(const BreakEvens& figures, const Investment& base);
