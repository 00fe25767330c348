// What the chart puts on a surface: frame, tick labels, titles, legends, zero line and bars,
// checked call by call on a recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "format/Format.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/shell/RecordingSurface.h"

namespace {

using Kind = RecordingSurface::Kind;
using Call = RecordingSurface::Call;

constexpr int W = 480, H = 400;
// For 480 x 400: T = 40, Y = 240, X0 = 108, a = Y - T - 2.
constexpr int T = 40, Y = 240, X0 = 108, A = 198;
constexpr ColourValue kBlack = 0;
constexpr ColourValue kBg = RGBColour(250, 250, 200);
constexpr ColourValue kSolid = RGBColour(200, 0, 0);
constexpr ColourValue kC1 = RGBColour(0, 0, 201), kC2 = RGBColour(0, 202, 0),
                      kC3 = RGBColour(203, 0, 203);

struct Chart {
    std::array<std::vector<double>, 3> values;
    ChartRequest request;
    RecordingSurface surface;
    int axis = Y;

    explicit Chart(std::vector<double> s1, std::vector<double> s2 = {},
                   std::vector<double> s3 = {}) {
        values = {std::move(s1), std::move(s2), std::move(s3)};
        request.count = static_cast<int>(values[0].size());
        for (int k = 0; k < 3; ++k)
            request.series[k] = values[k].empty() ? nullptr : values[k].data();
        request.caption = "Caption";
        request.labels = {"One", "Two", "Three"};
        request.colours = {kC1, kC2, kC3};
    }
    ChartScale Draw(int width = W, int height = H, ChartColours colours = {kBg, kSolid}) {
        const ChartScale scale = ComputeChartScale(request);
        axis = (height * 6) / 10;
        DrawChart(surface, request, scale, width, height, colours);
        return scale;
    }
    std::vector<Call> Of(Kind kind) const {
        std::vector<Call> out;
        for (const auto& c : surface.calls)
            if (c.kind == kind) out.push_back(c);
        return out;
    }
    // Boxes inside the plot, in drawing order (the legend swatches lie below the labels).
    std::vector<Rect> Bars() const {
        std::vector<Rect> out;
        for (const auto& c : surface.calls)
            if (c.kind == Kind::Outline && c.rect.bottom <= axis) out.push_back(c.rect);
        return out;
    }
    // The call that fills the box outlined as r.
    const Call* FillOf(const Rect& r) const {
        for (std::size_t i = 1; i < surface.calls.size(); ++i)
            if (surface.calls[i].kind == Kind::Outline && surface.calls[i].rect == r)
                return &surface.calls[i - 1];
        return nullptr;
    }
    const Call* Text(const std::string& text) const {
        for (const auto& c : surface.calls)
            if (c.kind == Kind::Text && c.text == text) return &c;
        return nullptr;
    }
    // A time-axis label: the value axis may carry the same text.
    const Call* CentredText(const std::string& text) const {
        for (const auto& c : surface.calls)
            if (c.kind == Kind::Text && c.text == text && c.align == TextAlign::Centre) return &c;
        return nullptr;
    }
};

bool HasLine(const Chart& chart, Rect line) {
    for (const auto& c : chart.Of(Kind::Line))
        if (c.rect == line && c.colour == kBlack) return true;
    return false;
}

std::vector<double> Years(int count, double value) { return std::vector<double>(count, value); }

} // namespace

TEST(ChartDrawing, NothingWithoutSeriesOneOrPoints) {
    Chart noFirst({1, 2, 3}, {4, 5, 6});
    noFirst.request.series[0] = nullptr;
    noFirst.Draw();
    EXPECT_TRUE(noFirst.surface.calls.empty());

    Chart noPoints({1, 2, 3});
    noPoints.request.count = 0;
    noPoints.Draw();
    EXPECT_TRUE(noPoints.surface.calls.empty());
}

TEST(ChartDrawing, Geometry) {
    ChartGeometry g = ComputeChartGeometry(25, false, W, H);
    EXPECT_EQ(g.top, T);
    EXPECT_EQ(g.axis, Y);
    EXPECT_EQ(g.left, X0);
    EXPECT_EQ(g.barWidth, 5);
    EXPECT_EQ(g.gap, 2);
    EXPECT_EQ(g.offset, 3);
    EXPECT_EQ(g.right, X0 + 25 * 7);

    g = ComputeChartGeometry(25, true, W, H);
    EXPECT_EQ(g.offset, 0);

    // Above 25 points the bars share the width: (480 - 108) / 35 - 1 = 9, gap 1.
    g = ComputeChartGeometry(35, false, W, H);
    EXPECT_EQ(g.barWidth, 9);
    EXPECT_EQ(g.gap, 1);
    EXPECT_EQ(g.offset, 2);
    EXPECT_EQ(g.pitch, 10);
    EXPECT_EQ(g.right, X0 + 350);

    // Whole-number divisions: 239 x 199 gives T 19, Y 119, X0 53.
    g = ComputeChartGeometry(25, false, 239, 199);
    EXPECT_EQ(g.top, 19);
    EXPECT_EQ(g.axis, 119);
    EXPECT_EQ(g.left, 53);

    // A window squeezed to almost nothing still gets bars of positive width.
    g = ComputeChartGeometry(35, false, 40, 30);
    EXPECT_GE(g.barWidth, 1);
}

TEST(ChartDrawing, BackgroundAndFrame) {
    Chart chart(Years(25, 1000));
    chart.Draw();
    ASSERT_FALSE(chart.surface.calls.empty());
    const Call& first = chart.surface.calls.front();
    EXPECT_EQ(first.kind, Kind::Fill);
    EXPECT_EQ(first.rect, (Rect{0, 0, W, H}));
    EXPECT_EQ(first.colour, kBg);

    const int X1 = X0 + 25 * 7;
    const std::vector<Call> lines = chart.Of(Kind::Line);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].rect, (Rect{X0, T, X0, Y}));
    EXPECT_EQ(lines[1].rect, (Rect{X0, Y, X1, Y}));
    EXPECT_EQ(lines[2].rect, (Rect{X1, Y, X1, T}));
    EXPECT_EQ(lines[3].rect, (Rect{X1, T, X0, T}));
}

TEST(ChartDrawing, ValueAxisTicksAndLabels) {
    std::vector<double> values = Years(25, 1000);
    values[7] = 7300;
    Chart chart(values);
    chart.Draw();
    // 0 to 8,000 in four steps of 50 pixels.
    const char* labels[] = {"0", "2,000", "4,000", "6,000", "8,000"};
    for (int i = 0; i <= 4; ++i) {
        const int y = Y - i * 50;
        SCOPED_TRACE(labels[i]);
        EXPECT_TRUE(HasLine(chart, {X0, y, X0 - 4, y}));
        const Call* text = chart.Text(labels[i]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->rect, (Rect{0, y - 10, X0 - 6, y + 10}));
        EXPECT_EQ(text->align, TextAlign::Right);
        EXPECT_EQ(text->colour, kBlack);
        EXPECT_TRUE(text->opaque);
        EXPECT_EQ(text->background, kBg);
        EXPECT_EQ(text->font.weight, 400);
    }
    EXPECT_EQ(chart.Text("10,000"), nullptr);
}

TEST(ChartDrawing, AllZeroAxisRunsFromZeroToHundred) {
    Chart chart(Years(25, 0));
    chart.Draw();
    ASSERT_NE(chart.Text("0"), nullptr);
    ASSERT_NE(chart.Text("100"), nullptr);
    EXPECT_EQ(chart.Text("100")->rect.top, T - 10);
    // No value, no bar.
    EXPECT_TRUE(chart.Bars().empty());
}

TEST(ChartDrawing, TimeAxisEveryFiveYears) {
    Chart chart(Years(25, 1000));
    chart.Draw();
    for (int i = 0; i <= 5; ++i) {
        const int x = X0 + 5 * i * 7;
        const std::string label = FormatValue(5.0 * i, "0");
        SCOPED_TRACE(label);
        EXPECT_TRUE(HasLine(chart, {x, Y, x, Y + 4}));
        const Call* text = chart.CentredText(label);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->rect, (Rect{x - 20, Y + 6, x + 20, Y + 21}));
        EXPECT_TRUE(text->opaque);
    }
    EXPECT_EQ(chart.CentredText("30"), nullptr);
}

TEST(ChartDrawing, TitlesInBold) {
    Chart chart(Years(25, 1000));
    chart.request.unit = "($)";
    chart.request.axisTitle = "Years from purchase";
    chart.Draw();
    const int h = 15; // the recording surface's line height for a 15 pixel font
    const Call* unit = chart.Text("($)");
    const Call* title = chart.Text("Years from purchase");
    const Call* caption = chart.Text("Caption");
    ASSERT_TRUE(unit && title && caption);
    EXPECT_EQ(unit->rect, (Rect{0, 0, X0, h}));
    EXPECT_EQ(title->rect, (Rect{X0, Y + 22, W, Y + 22 + h}));
    EXPECT_EQ(caption->rect, (Rect{X0, 0, W, h}));
    for (const Call* c : {unit, title, caption}) {
        EXPECT_EQ(c->align, TextAlign::Centre);
        EXPECT_EQ(c->font.weight, 700);
        EXPECT_EQ(c->font.face, "Arial");
        EXPECT_TRUE(c->opaque);
    }
}

TEST(ChartDrawing, FontsComeFromTheRequest) {
    const FontSpec fonts[2] = {{"Tahoma", 11, 400}, {"Tahoma", 13, 700}};
    Chart chart(Years(25, 1000));
    chart.request.fonts = fonts;
    chart.Draw();
    EXPECT_EQ(chart.Text("0")->font, fonts[0]);
    EXPECT_EQ(chart.Text("Caption")->font, fonts[1]);
    EXPECT_EQ(chart.Text("One")->font, fonts[0]);
    // The legend rows follow the bold font's line height.
    EXPECT_EQ(chart.Text("One")->rect.top, Y + 3 * 13);
}

TEST(ChartDrawing, LegendsAndZeroLine) {
    Chart chart(Years(25, 1000), Years(25, 500));
    chart.Draw();
    const int h = 15;
    const Rect swatch1{X0 / 2, Y + 3 * h, X0, Y + 4 * h};
    const Rect swatch2{W / 2, Y + 3 * h, W / 2 + X0 / 2, Y + 4 * h};
    const Call* fill1 = chart.FillOf(swatch1);
    const Call* fill2 = chart.FillOf(swatch2);
    ASSERT_TRUE(fill1 && fill2);
    EXPECT_EQ(fill1->kind, Kind::Pattern);
    EXPECT_EQ(fill1->colour, kC1);
    EXPECT_EQ(fill1->background, kBg);
    // Without a third series, series 2 is a solid fill of the solid colour.
    EXPECT_EQ(fill2->kind, Kind::Fill);
    EXPECT_EQ(fill2->colour, kSolid);

    const Call* label1 = chart.Text("One");
    const Call* label2 = chart.Text("Two");
    ASSERT_TRUE(label1 && label2);
    EXPECT_EQ(label1->rect, (Rect{X0 + 2, swatch1.top, W, swatch1.bottom}));
    EXPECT_EQ(label2->rect, (Rect{swatch2.right + 2, swatch2.top, W, swatch2.bottom}));
    EXPECT_EQ(label1->align, TextAlign::Left);
    EXPECT_EQ(chart.Text("Three"), nullptr);

    // With no negative value the zero line lies on the time axis, after the first legend.
    const int X1 = X0 + 25 * 7;
    auto& calls = chart.surface.calls;
    auto label = std::find_if(calls.begin(), calls.end(),
                              [](const Call& c) { return c.text == "One"; });
    ASSERT_NE(label + 1, calls.end());
    EXPECT_EQ((label + 1)->kind, Kind::Line);
    EXPECT_EQ((label + 1)->rect, (Rect{X0, Y, X1, Y}));
}

TEST(ChartDrawing, BarRectangles) {
    std::vector<double> first = Years(25, 1000), second = Years(25, 500);
    first[2] = 7300;
    second[0] = 4000;
    Chart chart(first, second);
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 50u);
    // Series 1 first: 7,300 on 0..8,000 is trunc(7300 * 198 / 8000) = 180 pixels high.
    EXPECT_EQ(bars[2], (Rect{X0 + 2 * 7, Y - 180, X0 + 2 * 7 + 5, Y}));
    // 1,000 is trunc(24.75) = 24 pixels.
    EXPECT_EQ(bars[0], (Rect{X0, Y - 24, X0 + 5, Y}));
    // Series 2 is shifted right by 3: 4,000 gives 99 pixels.
    EXPECT_EQ(bars[25], (Rect{X0 + 3, Y - 99, X0 + 8, Y}));
    EXPECT_EQ(bars[26], (Rect{X0 + 3 + 7, Y - 12, X0 + 8 + 7, Y}));
    EXPECT_EQ(chart.FillOf(bars[2])->kind, Kind::Pattern);
    EXPECT_EQ(chart.FillOf(bars[2])->colour, kC1);
    EXPECT_EQ(chart.FillOf(bars[25])->kind, Kind::Fill);
    EXPECT_EQ(chart.FillOf(bars[25])->colour, kSolid);
    for (const Rect& r : bars) EXPECT_EQ(r.width(), 5);
}

TEST(ChartDrawing, ZeroLineAndHangingBarsWithNegativeValues) {
    std::vector<double> values = Years(25, 60000);
    values[0] = -4500;
    values[1] = 120000;
    Chart chart(values);
    const ChartScale scale = chart.Draw();
    ASSERT_EQ(scale.lower, -5000);
    ASSERT_EQ(scale.range, 205000);

    // The zero line is trunc(198 * 5000 / 205000) = 4 pixels above the time axis.
    const int Z = Y - 4;
    const int X1 = X0 + 25 * 7;
    EXPECT_TRUE(HasLine(chart, {X0, Z, X1, Z}));
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 25u);
    // -4,500 hangs from the zero line down to trunc(500 * 198 / 205000) = 0 above the axis.
    EXPECT_EQ(bars[0], (Rect{X0, Z, X0 + 5, Y}));
    // 120,000 stands trunc(125000 * 198 / 205000) = 120 above the axis, down to the zero line.
    EXPECT_EQ(bars[1], (Rect{X0 + 7, Y - 120, X0 + 12, Z}));

    for (const char* label : {"-5,000", "36,000", "77,000", "118,000", "159,000", "200,000"})
        EXPECT_NE(chart.Text(label), nullptr) << label;
}

TEST(ChartDrawing, NarrowBarsAboveTwentyFivePoints) {
    Chart chart(Years(35, 1000), Years(35, 500));
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 70u);
    // Width 9, pitch 10, series 2 shifted by 2.
    EXPECT_EQ(bars[34].left, X0 + 340);
    EXPECT_EQ(bars[34].width(), 9);
    EXPECT_EQ(bars[35 + 34].left, X0 + 342);
    EXPECT_EQ(bars[35 + 34].width(), 9);
    // Labels 0 to 35, the last at the right end of the plot.
    ASSERT_NE(chart.CentredText("35"), nullptr);
    EXPECT_EQ(chart.CentredText("35")->rect.left, X0 + 350 - 20);
    EXPECT_EQ(chart.CentredText("40"), nullptr);
    // The legend label keeps the narrow gap.
    EXPECT_EQ(chart.Text("One")->rect.left, X0 + 1);
}

TEST(ChartDrawing, ThreeSeriesStackWithoutOffset) {
    Chart chart(Years(25, 100), Years(25, 60), Years(25, 20));
    chart.request.unit = "(%)";
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 75u);
    EXPECT_EQ(bars[0], (Rect{X0, Y - A, X0 + 5, Y}));
    EXPECT_EQ(bars[25], (Rect{X0, Y - 118, X0 + 5, Y})); // trunc(60 * 1.98)
    EXPECT_EQ(bars[50], (Rect{X0, Y - 39, X0 + 5, Y}));  // trunc(20 * 1.98)
    // Series 2 is a checkerboard of its own colour under a third series; series 3 is solid.
    EXPECT_EQ(chart.FillOf(bars[25])->kind, Kind::Pattern);
    EXPECT_EQ(chart.FillOf(bars[25])->colour, kC2);
    EXPECT_EQ(chart.FillOf(bars[50])->kind, Kind::Fill);
    EXPECT_EQ(chart.FillOf(bars[50])->colour, kSolid);
    // Legend of series 3 on the next line: trunc(1.3 * 15) = 19 below the first.
    const Rect swatch3{X0 / 2, Y + 45 + 19, X0, Y + 45 + 19 + 15};
    ASSERT_NE(chart.FillOf(swatch3), nullptr);
    EXPECT_EQ(chart.FillOf(swatch3)->kind, Kind::Fill);
    EXPECT_EQ(chart.Text("Three")->rect.left, X0 + 2);
}

TEST(ChartDrawing, PercentageBarsStopAtTheTop) {
    std::vector<double> values = Years(25, 50);
    values[3] = 250;
    Chart chart(values);
    chart.request.unit = "(%)";
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 25u);
    EXPECT_EQ(bars[3].top, Y - A);
    EXPECT_EQ(bars[0].top, Y - 99);
    EXPECT_NE(chart.Text("100"), nullptr);
}

TEST(ChartDrawing, PointsWithoutANumberHaveNoBar) {
    std::vector<double> values = Years(25, 1000);
    values[4] = NoValue;
    Chart chart(values);
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    EXPECT_EQ(bars.size(), 24u);
    for (const Rect& r : bars) EXPECT_NE(r.left, X0 + 4 * 7);
    // Nothing is drawn below the window either.
    for (const auto& c : chart.surface.calls) EXPECT_LE(c.rect.bottom, H);
}

TEST(ChartDrawing, AutomaticColours) {
    Chart chart(Years(25, 1000), Years(25, 500));
    chart.request.colours[0] = kAutomaticColour;
    chart.Draw(W, H, {kAutomaticColour, kAutomaticColour});
    const ColourValue white = 0xFFFFFF;
    EXPECT_EQ(chart.surface.calls.front().colour, white);
    EXPECT_EQ(chart.Text("Caption")->background, white);
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 50u);
    EXPECT_EQ(chart.FillOf(bars[0])->colour, kBlack);
    EXPECT_EQ(chart.FillOf(bars[0])->background, white);
    EXPECT_EQ(chart.FillOf(bars[25])->colour, kBlack);
}

TEST(ChartDrawing, DrawsForWhateverSizeItIsGiven) {
    for (auto [w, h] : {std::pair{240, 268}, std::pair{800, 600}, std::pair{30, 20}}) {
        Chart chart(Years(35, 1000), Years(35, -300));
        chart.Draw(w, h);
        const ChartGeometry g = ComputeChartGeometry(35, false, w, h);
        EXPECT_EQ(chart.surface.calls.front().rect, (Rect{0, 0, w, h}));
        for (const Rect& r : chart.Bars()) {
            EXPECT_GT(r.width(), 0);
            EXPECT_GE(r.left, g.left);
        }
    }
}
