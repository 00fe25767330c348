// The chart window's automatic value axis: bounds and tick step chosen once when it opens.
#pragma once

#include "ui/charts/ChartRequest.h"

struct ChartScale {
    double upper = 100.0;  // U
    double lower = 0.0;    // L
    double range = 100.0;  // R = U - L, always above 0.00001
    int intervals = 1;     // n, 1 to 9
    double step = 100.0;   // R / n
};

// Power of ten of x: 7300 gives 3, 0.042 gives -2; 0 (and anything that 20 steps cannot bring
// into [1, 10)) gives 0.
int DecimalExponent(double x);
// The smallest of 1, 2, 3, 4, 5, 6, 8, 10 times a power of ten at or above x > 0.
double NiceCeiling(double x);
// How many times x must be multiplied by 10 to become whole (within 0.00001).
int DecimalPlaces(double x);
// Intervals of the value axis for a range R: 8000 gives 4, 350 gives 7, 340 gives 2.
int ChooseTickCount(double range);

ChartScale ComputeChartScale(const ChartRequest& request);

// A rate below zero (the first year's loss of a short holding) drawn below the zero line: the
// axis of a chart of rates (a unit with "%") reaches down to the lowest rate, which
// ComputeChartScale does not show. Other charts keep `scale`.
ChartScale WithLossesShown(const ChartRequest& request, ChartScale scale);
