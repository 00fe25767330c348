// The drawing of a chart onto a surface of a given client size: frame, axes, titles, legends,
// zero line and bars. The chart window paints through it, and so do the tests and screenshots.
#pragma once

#include <optional>

#include "ui/charts/ChartRequest.h"
#include "ui/charts/ChartScale.h"
#include "ui/shell/Surface.h"

// Where the plot lies in a client area of width x height; all in pixels.
struct ChartGeometry {
    int top = 0;        // T, top of the plot
    int axis = 0;       // Y, the time axis
    int left = 0;       // X0, the value axis
    int right = 0;      // X1, right edge of the plot
    int barWidth = 5;   // w
    int gap = 2;        // g, between the bars of one series
    int offset = 3;     // o, shift of series 2 and 3 against series 1
    int pitch = 7;      // p = w + g
};

// With `fillWidth` the bars of any count share the plot's width (a tab of the workspace); without
// it up to 25 points keep bars 5 pixels wide and more share the width (the chart window).
ChartGeometry ComputeChartGeometry(int count, bool hasSeries3, int width, int height,
                                   bool fillWidth = false);

// The two colour settings a chart paints with besides its request's own: the background
// (BG2Color) and the solid fill (GR2Color). Either may be the automatic marker.
struct ChartColours {
    ColourValue background = RGBColour(255, 255, 255);
    ColourValue solid = RGBColour(255, 0, 0);
};

// The settings as they are now.
ChartColours CurrentChartColours();

// Draws the whole chart for a client area of width x height. Without series 1 or with no
// points it draws nothing.
void DrawChart(Surface& surface, const ChartRequest& request, const ChartScale& scale, int width,
               int height, const ChartColours& colours);

// A bar of a drawn chart: its series (0 to 2) and its point (the year from point to point + 1).
struct ChartBar {
    int series = 0;
    int point = 0;
    bool operator==(const ChartBar&) const = default;
};
// The bar that DrawChart draws at (x, y) and shows on top there, or none.
std::optional<ChartBar> ChartBarAt(const ChartRequest& request, const ChartScale& scale,
                                   int width, int height, int x, int y);
