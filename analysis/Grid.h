// The sensitivity grid: one result of the investment over two inputs, each stepped either
// side of its present value, the investment as it stands at the centre.
#pragma once

#include <string>
#include <vector>

#include "analysis/WhatIf.h"

inline constexpr int kMaxGridSteps = 10; // steps either side: at most 21 x 21 cells

struct GridAxis {
    WhatIfInput input = WhatIfInput::InterestRate;
    double step = 0.5;
    int steps = 4; // either side of the present value, 0..kMaxGridSteps
};

struct GridSetup {
    GridAxis rows{WhatIfInput::InterestRate, 0.5, 4};
    GridAxis columns{WhatIfInput::CapitalGrowth, 0.5, 4};
    WhatIfResult result = WhatIfResult::IRR;
};

struct SensitivityGrid {
    GridSetup setup;
    std::vector<double> rowValues;    // the input's value of every row, top to bottom
    std::vector<double> columnValues; // and of every column, left to right
    std::vector<double> cells;        // row by row; NoValue where there is no result
    int centreRow = 0, centreColumn = 0;

    int Rows() const { return static_cast<int>(rowValues.size()); }
    int Columns() const { return static_cast<int>(columnValues.size()); }
    double At(int r, int c) const { return cells[static_cast<std::size_t>(r * Columns() + c)]; }
    double Centre() const { return At(centreRow, centreColumn); }
};

// A step that suits the input's present value: half a point for rates, one point for the
// vacancy rate, five for the deposit, and about 5 % of an amount rounded to 1, 2 or 5 times a
// power of ten.
double DefaultStep(WhatIfInput input, double presentValue);

// The value of step k (-steps..steps) of an axis: present + k x step.
inline double AxisValue(double present, const GridAxis& axis, int k) {
    return present + k * axis.step;
}

// Works out every cell. Steps outside 0..kMaxGridSteps are limited; a cell whose input value
// lies outside its range has no value.
SensitivityGrid WorkOutGrid(WhatIf& whatIf, GridSetup setup);

// The cells are shaded by how far they lie from a reference: the investment as it stands, or
// 0 for a cash flow (and where the centre has no value). Above it green, below it red, the
// deeper the further, the furthest cell deepest; grey where there is no value.
struct Shade {
    int red, green, blue;
};
double ShadeReference(const SensitivityGrid& grid);
// The shade of every cell, row by row as the cells.
std::vector<Shade> CellShades(const SensitivityGrid& grid);

// An input's value and a result as the summary shows them ("8.50%", "$300,000", "($5,394)").
std::string InputText(WhatIfInput input, double value);
std::string ResultText(WhatIfResult result, double value);
// What the grid shows and what its shades mean, in a sentence.
std::string GridCaption(const SensitivityGrid& grid);

// The grid as tab-separated text, numbers in full (C locale), "?????" where there is none:
// a first line with the result's and the columns' names and values, then one line per row.
std::string GridText(const SensitivityGrid& grid);
