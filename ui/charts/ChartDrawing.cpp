#include "ui/charts/ChartDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "format/Format.h"

namespace {

constexpr ColourValue kBlack = 0x000000;

// The automatic marker means "the platform's colour": a white window behind the chart, black
// for anything drawn on it. Other values keep only their red, green and blue.
ColourValue ResolveBackground(const Surface& surface, ColourValue c) {
    return c == kAutomaticColour ? surface.System(SystemColour::Window) : (c & 0xFFFFFFu);
}
ColourValue ResolveInk(ColourValue c) { return c == kAutomaticColour ? kBlack : (c & 0xFFFFFFu); }

struct Fill {
    bool pattern = false;
    ColourValue colour = kBlack;
};

void FillBox(Surface& surface, const Rect& r, const Fill& fill, ColourValue background) {
    if (fill.pattern)
        surface.FillPattern(r, fill.colour, background);
    else
        surface.FillRect(r, fill.colour);
    surface.OutlineRect(r, kBlack);
}

int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
}

// Where the bars stand: the geometry, the zero line and the pixels per unit of the scale.
struct BarPlace {
    ChartGeometry g;
    int a = 0; // the tallest bar
    int zero = 0;
    double lower = 0;
    double pixelsPerUnit = 0;
};

BarPlace PlaceBars(const ChartRequest& request, const ChartScale& scale, int width, int height) {
    BarPlace p;
    p.g = ComputeChartGeometry(request.count, request.series[2] != nullptr, width, height,
                               request.fillWidth);
    p.a = p.g.axis - p.g.top - 2;
    const double range = scale.range > 0.00001 ? scale.range : 100.0;
    p.zero = p.g.axis - SaturateToInt32(-p.a * scale.lower / range);
    p.lower = scale.lower;
    p.pixelsPerUnit = p.a / range;
    return p;
}

// The bar of value v at point j of series k, or none where there is no bar to draw.
std::optional<Rect> BarRect(const BarPlace& p, int k, int j, double v, int height) {
    // A point without a number has no bar (it would hang through the legend).
    if (!std::isfinite(v) || IsNoValue(v)) return std::nullopt;
    const int Y = p.g.axis, Z = p.zero;
    int barHeight = SaturateToInt32((v - p.lower) * p.pixelsPerUnit);
    if (barHeight > p.a) barHeight = p.a;
    // Below the window nothing shows; stopping just past its bottom keeps the coordinates
    // sane without changing a pixel.
    if (barHeight < Y - height - 1) barHeight = Y - height - 1;
    const int barTop = Y - barHeight;
    if (barTop == Z) return std::nullopt; // no height, nothing to draw
    const int shift = k == 0 ? 0 : p.g.offset;
    const int x = ClampToInt(p.g.left + shift + static_cast<long long>(j) * p.g.pitch);
    return Rect{x, std::min(barTop, Z), x + p.g.barWidth, std::max(barTop, Z)};
}

} // namespace

std::optional<ChartBar> ChartBarAt(const ChartRequest& request, const ChartScale& scale,
                                   int width, int height, int x, int y) {
    if (!request.series[0] || request.count <= 0) return std::nullopt;
    const BarPlace p = PlaceBars(request, scale, width, height);
    // The series drawn last lies on top.
    for (int k = 2; k >= 0; --k) {
        const double* values = request.series[k];
        if (!values) continue;
        for (int j = 0; j < request.count; ++j) {
            const std::optional<Rect> bar = BarRect(p, k, j, values[j], height);
            if (bar && bar->contains(x, y)) return ChartBar{k, j};
        }
    }
    return std::nullopt;
}

ChartColours CurrentChartColours() { return {CurrentColours.BG2Color, CurrentColours.GR2Color}; }

ChartGeometry ComputeChartGeometry(int count, bool hasSeries3, int width, int height,
                                   bool fillWidth) {
    ChartGeometry g;
    g.top = height / 10;
    g.axis = (height * 6) / 10;
    g.left = (width * 9) / 40;
    if (fillWidth && count > 0) {
        // The plot reaches to a fortieth of the width from the right edge; bar, gap and the
        // shift of the other series keep the proportions 5 : 2 : 3 of the fixed layout.
        const int pitch = std::max((width - g.left - width / 40) / count, 2);
        g.gap = std::max((2 * pitch + 3) / 7, 1);
        g.barWidth = pitch - g.gap;
        g.offset = std::max((3 * pitch + 3) / 7, 1);
    } else if (count > 25) {
        g.gap = 1;
        g.barWidth = (width - g.left) / count - 1;
        g.offset = 2;
    }
    // A window narrowed far below its working size would otherwise give bars of no or
    // negative width.
    if (g.barWidth < 1) g.barWidth = 1;
    if (hasSeries3) g.offset = 0;
    g.pitch = g.barWidth + g.gap;
    g.right = ClampToInt(g.left + static_cast<long long>(std::max(count, 0)) * g.pitch);
    return g;
}

void DrawChart(Surface& surface, const ChartRequest& request, const ChartScale& scale, int width,
               int height, const ChartColours& colours) {
    if (!request.series[0] || request.count <= 0) return;

    const ColourValue bg = ResolveBackground(surface, colours.background);
    const ColourValue solid = ResolveInk(colours.solid);
    const FontSpec normal = request.fonts ? request.fonts[0] : FontSpec{};
    const FontSpec bold = request.fonts ? request.fonts[1] : FontSpec{"Arial", 15, 700};
    const int count = request.count;
    const bool hasSeries3 = request.series[2] != nullptr;
    const ChartGeometry g = ComputeChartGeometry(count, hasSeries3, width, height, request.fillWidth);
    const int T = g.top, Y = g.axis, X0 = g.left, X1 = g.right;

    surface.FillRect({0, 0, width, height}, bg);

    // Frame.
    surface.Line(X0, T, X0, Y, kBlack);
    surface.Line(X0, Y, X1, Y, kBlack);
    surface.Line(X1, Y, X1, T, kBlack);
    surface.Line(X1, T, X0, T, kBlack);

    // Value axis: n intervals, labels right-aligned against the ticks.
    surface.SetFont(normal);
    const int n = std::max(scale.intervals, 1);
    const int spacing = (Y - T) / n;
    for (int i = 0; i <= n; ++i) {
        const int y = Y - i * spacing;
        surface.Line(X0, y, X0 - 4, y, kBlack);
        surface.DrawText({0, y - 10, X0 - 6, y + 10}, FormatValue(scale.lower + i * scale.step, "0,m"),
                         TextAlign::Right, kBlack, true, bg);
    }

    // Time axis: a tick every five years at the left edge of the bar that begins that year.
    for (int i = 0; i <= count / 5; ++i) {
        const int x = ClampToInt(X0 + 5LL * i * g.pitch);
        surface.Line(x, Y, x, Y + 4, kBlack);
        surface.DrawText({x - 20, Y + 6, x + 20, Y + 21}, FormatValue(5.0 * i, "0"),
                         TextAlign::Centre, kBlack, true, bg);
    }

    // Titles, in bold.
    surface.SetFont(bold);
    const int h = surface.Metrics().height;
    surface.DrawText({0, 0, X0, h}, request.unit, TextAlign::Centre, kBlack, true, bg);
    const int titleTop = Y + (3 * h) / 2;
    surface.DrawText({X0, titleTop, width, titleTop + h}, request.axisTitle, TextAlign::Centre,
                     kBlack, true, bg);
    surface.DrawText({X0, 0, width, h}, request.caption, TextAlign::Centre, kBlack, true, bg);

    // Legends and bars.
    surface.SetFont(normal);
    const BarPlace place = PlaceBars(request, scale, width, height);
    const int Z = place.zero;
    const int legendTop = Y + 3 * h;
    const std::array<Rect, 3> swatches = {
        Rect{X0 / 2, legendTop, X0, legendTop + h},
        Rect{width / 2, legendTop, width / 2 + X0 / 2, legendTop + h},
        Rect{X0 / 2, legendTop + static_cast<int>(1.3 * h), X0,
             legendTop + static_cast<int>(1.3 * h) + h},
    };
    // Series 1 and a series 2 under a series 3 are checkerboards of their own colour; any
    // other series is a solid fill of the solid colour.
    const std::array<Fill, 3> fills = {
        Fill{true, ResolveInk(request.colours[0])},
        hasSeries3 ? Fill{true, ResolveInk(request.colours[1])} : Fill{false, solid},
        Fill{false, solid},
    };

    for (int k = 0; k < 3; ++k) {
        const double* values = request.series[k];
        if (!values) continue;
        const Rect& swatch = swatches[k];
        FillBox(surface, swatch, fills[k], bg);
        surface.DrawText({swatch.right + g.gap, swatch.top, width, swatch.bottom},
                         request.labels[k], TextAlign::Left, kBlack, true, bg);
        if (k == 0) surface.Line(X0, Z, X1, Z, kBlack);

        for (int j = 0; j < count; ++j)
            if (const std::optional<Rect> bar = BarRect(place, k, j, values[j], height))
                FillBox(surface, *bar, fills[k], bg);
    }
}
