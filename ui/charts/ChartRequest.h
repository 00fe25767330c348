// What a chart command hands the chart window: up to three series of yearly values, the texts
// around them, their colours and the fonts to draw with.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "persist/Settings.h"
#include "ui/shell/Surface.h"

struct ChartRequest {
    // Bars per series; point j is the year from j to j + 1 after purchase.
    std::int32_t count = 0;
    // Series 1, 2, 3, point 0 first; each given array holds at least `count` values. Nothing
    // is drawn without series 1. The arrays belong to the caller.
    std::array<const double*, 3> series{};
    std::string caption = "Histogram";
    std::string axisTitle = "Years from purchase";
    // A unit that contains "%" puts the chart on the percentage scale.
    std::string unit = "($)";
    std::array<std::string, 3> labels;
    // Checkerboard colours, as the chart colours are when the request is made.
    std::array<ColourValue, 3> colours = {CurrentColours.GR1Color, CurrentColours.GR2Color,
                                          CurrentColours.GR3Color};
    // The summary view's font table: [0] normal, [1] bold. Owned by the caller; when none is
    // given the chart uses the same "Arial" 15 pixel pair.
    const FontSpec* fonts = nullptr;
    // The bars share the whole width whatever their count (ComputeChartGeometry).
    bool fillWidth = false;
};
