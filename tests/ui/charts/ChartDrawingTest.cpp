// What the chart puts on a surface: frame, tick labels, titles, legends, zero line and bars,
// checked call by call on a recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "format/Format.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/shell/RecordingSurface.h"

namespace {

using Kind = RecordingSurface::Kind;
using Call = RecordingSurface::Call;

// For 480 x 400: T = 40, Y = 240, X0 = 108, a = Y - T - 2; the recording surface's line is 15.
constexpr int W = 480, H = 400, T = 40, Y = 240, X0 = 108, A = 198, LineH = 15;
constexpr ColourValue kBlack = 0, kWhite = 0xFFFFFF;
constexpr ColourValue kBg = RGBColour(250, 250, 200), kSolid = RGBColour(200, 0, 0);
constexpr ColourValue kC1 = RGBColour(0, 0, 201), kC2 = RGBColour(0, 202, 0),
                      kC3 = RGBColour(203, 0, 203);

struct Chart {
    std::vector<double> values[3];
    ChartRequest request;
    RecordingSurface surface;

    explicit Chart(std::vector<double> s1, std::vector<double> s2 = {},
                   std::vector<double> s3 = {})
        : values{std::move(s1), std::move(s2), std::move(s3)} {
        request.count = static_cast<int>(values[0].size());
        for (int k = 0; k < 3; ++k)
            request.series[k] = values[k].empty() ? nullptr : values[k].data();
        request.caption = "Caption";
        request.labels = {"One", "Two", "Three"};
        request.colours = {kC1, kC2, kC3};
    }
    Chart& Draw(ChartColours colours = {kBg, kSolid}) {
        DrawChart(surface, request, ComputeChartScale(request), W, H, colours);
        return *this;
    }
    // Boxes standing on or hanging from the plot's zero line, in drawing order.
    std::vector<Rect> Bars() const {
        std::vector<Rect> out;
        for (const auto& c : surface.calls)
            if (c.kind == Kind::Outline && c.rect.bottom <= Y) out.push_back(c.rect);
        return out;
    }
    // The call that fills the box outlined as r.
    const Call* FillOf(const Rect& r) const {
        for (std::size_t i = 1; i < surface.calls.size(); ++i)
            if (surface.calls[i].kind == Kind::Outline && surface.calls[i].rect == r)
                return &surface.calls[i - 1];
        return nullptr;
    }
    const Call* Text(const std::string& text, TextAlign align) const {
        for (const auto& c : surface.calls)
            if (c.kind == Kind::Text && c.text == text && c.align == align) return &c;
        return nullptr;
    }
    bool HasLine(Rect line) const {
        return std::any_of(surface.calls.begin(), surface.calls.end(), [&](const Call& c) {
            return c.kind == Kind::Line && c.rect == line && c.colour == kBlack;
        });
    }
};

std::vector<double> Years(int count, double value) { return std::vector<double>(count, value); }

} // namespace

TEST(ChartDrawing, NothingWithoutSeriesOneOrPoints) {
    Chart noFirst({1, 2, 3}, {4, 5, 6});
    noFirst.request.series[0] = nullptr;
    EXPECT_TRUE(noFirst.Draw().surface.calls.empty());
    Chart noPoints({1, 2, 3});
    noPoints.request.count = 0;
    EXPECT_TRUE(noPoints.Draw().surface.calls.empty());
}

TEST(ChartDrawing, Geometry) {
    ChartGeometry g = ComputeChartGeometry(25, false, W, H);
    EXPECT_EQ((std::vector{g.top, g.axis, g.left, g.right}), (std::vector{T, Y, X0, X0 + 175}));
    EXPECT_EQ((std::vector{g.barWidth, g.gap, g.offset, g.pitch}), (std::vector{5, 2, 3, 7}));
    EXPECT_EQ(ComputeChartGeometry(25, true, W, H).offset, 0);
    // Above 25 points the bars share the width: (480 - 108) / 35 - 1 = 9, gap 1.
    g = ComputeChartGeometry(35, false, W, H);
    EXPECT_EQ((std::vector{g.barWidth, g.gap, g.offset, g.pitch}), (std::vector{9, 1, 2, 10}));
    // Whole-number divisions.
    g = ComputeChartGeometry(25, false, 239, 199);
    EXPECT_EQ((std::vector{g.top, g.axis, g.left}), (std::vector{19, 119, 53}));
    // A window squeezed to almost nothing still gets bars of positive width.
    EXPECT_GE(ComputeChartGeometry(35, false, 40, 30).barWidth, 1);
}

// A tab's chart: the bars of any count share the width up to a fortieth from the right edge,
// bar, gap and shift in the proportions 5 : 2 : 3. By hand for 750 x 400: the plot from
// 168 (9/40 of 750) to at most 750 - 18, so 564 for the bars.
TEST(ChartDrawing, GeometryThatFillsTheWidth) {
    struct Case {
        int count, width;
        std::vector<int> leftRight, barGapOffsetPitch;
    } cases[] = {
        {10, 750, {168, 728}, {40, 16, 24, 56}}, // 564 / 10 = 56; 112 / 7 = 16; 168 / 7 = 24
        {25, 750, {168, 718}, {16, 6, 9, 22}},   // 564 / 25 = 22 (fixed: 175 wide)
        {40, 750, {168, 728}, {10, 4, 6, 14}},   // 564 / 40 = 14
        {25, 480, {108, 458}, {10, 4, 6, 14}},   // (480 - 108 - 12) / 25 = 14
        {40, 40, {9, 89}, {1, 1, 1, 2}},         // squeezed: never below a pitch of 2
    };
    for (const Case& c : cases) {
        const ChartGeometry g = ComputeChartGeometry(c.count, false, c.width, H, true);
        EXPECT_EQ((std::vector{g.left, g.right}), c.leftRight) << c.count << " in " << c.width;
        EXPECT_EQ((std::vector{g.barWidth, g.gap, g.offset, g.pitch}), c.barGapOffsetPitch)
            << c.count << " in " << c.width;
    }
    // Under a third series the bars stand on one another.
    EXPECT_EQ(ComputeChartGeometry(10, true, 750, H, true).offset, 0);
}

TEST(ChartDrawing, BackgroundFrameAndAxes) {
    std::vector<double> values = Years(25, 1000);
    values[7] = 7300;
    Chart chart(values);
    chart.Draw();
    const Call& first = chart.surface.calls.front();
    EXPECT_EQ(first.kind, Kind::Fill);
    EXPECT_EQ(first.rect, (Rect{0, 0, W, H}));
    EXPECT_EQ(first.colour, kBg);

    const int X1 = X0 + 175;
    for (Rect side : {Rect{X0, T, X0, Y}, {X0, Y, X1, Y}, {X1, Y, X1, T}, {X1, T, X0, T}})
        EXPECT_TRUE(chart.HasLine(side));

    // Value axis: 0 to 8,000 in four steps of 50 pixels, labels right-aligned at the ticks.
    const char* values_[] = {"0", "2,000", "4,000", "6,000", "8,000"};
    for (int i = 0; i <= 4; ++i) {
        const int y = Y - i * 50;
        EXPECT_TRUE(chart.HasLine({X0, y, X0 - 4, y}));
        const Call* text = chart.Text(values_[i], TextAlign::Right);
        ASSERT_NE(text, nullptr) << values_[i];
        EXPECT_EQ(text->rect, (Rect{0, y - 10, X0 - 6, y + 10}));
        EXPECT_TRUE(text->opaque && text->background == kBg && text->colour == kBlack);
        EXPECT_EQ(text->font.weight, 400);
    }
    // Time axis: a tick every five years at the left edge of that year's bar.
    for (int i = 0; i <= 5; ++i) {
        const int x = X0 + 35 * i;
        EXPECT_TRUE(chart.HasLine({x, Y, x, Y + 4}));
        const Call* text = chart.Text(FormatValue(5.0 * i, "0"), TextAlign::Centre);
        ASSERT_NE(text, nullptr) << i;
        EXPECT_EQ(text->rect, (Rect{x - 20, Y + 6, x + 20, Y + 21}));
    }
    EXPECT_EQ(chart.Text("30", TextAlign::Centre), nullptr);
}

TEST(ChartDrawing, TitlesLegendsAndFonts) {
    const FontSpec fonts[2] = {{"Arial", 15, 400}, {"Arial", 15, 700}};
    Chart chart(Years(25, 1000), Years(25, 500));
    chart.request.fonts = fonts;
    chart.Draw();
    const Call* unit = chart.Text("($)", TextAlign::Centre);
    const Call* title = chart.Text("Years from purchase", TextAlign::Centre);
    const Call* caption = chart.Text("Caption", TextAlign::Centre);
    ASSERT_TRUE(unit && title && caption);
    EXPECT_EQ(unit->rect, (Rect{0, 0, X0, LineH}));
    EXPECT_EQ(title->rect, (Rect{X0, Y + 22, W, Y + 22 + LineH}));
    EXPECT_EQ(caption->rect, (Rect{X0, 0, W, LineH}));
    EXPECT_EQ(caption->font, fonts[1]);

    // Swatches on the line three lines below the axis: series 1 a checkerboard of its colour,
    // series 2 (no third series) a solid fill.
    const Rect swatch1{X0 / 2, Y + 45, X0, Y + 60}, swatch2{W / 2, Y + 45, W / 2 + X0 / 2, Y + 60};
    ASSERT_TRUE(chart.FillOf(swatch1) && chart.FillOf(swatch2));
    EXPECT_EQ(chart.FillOf(swatch1)->kind, Kind::Pattern);
    EXPECT_EQ(chart.FillOf(swatch1)->colour, kC1);
    EXPECT_EQ(chart.FillOf(swatch1)->background, kBg);
    EXPECT_EQ(chart.FillOf(swatch2)->kind, Kind::Fill);
    EXPECT_EQ(chart.FillOf(swatch2)->colour, kSolid);
    const Call* label1 = chart.Text("One", TextAlign::Left);
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->rect, (Rect{X0 + 2, Y + 45, W, Y + 60}));
    EXPECT_EQ(label1->font, fonts[0]);
    EXPECT_EQ(chart.Text("Two", TextAlign::Left)->rect.left, swatch2.right + 2);
    EXPECT_EQ(chart.Text("Three", TextAlign::Left), nullptr);

    // With no negative value the zero line lies on the axis, drawn right after legend 1.
    const auto& calls = chart.surface.calls;
    const auto after = std::find_if(calls.begin(), calls.end(),
                                    [](const Call& c) { return c.text == "One"; }) + 1;
    ASSERT_NE(after, calls.end());
    EXPECT_EQ(after->rect, (Rect{X0, Y, X0 + 175, Y}));
}

TEST(ChartDrawing, BarRectangles) {
    std::vector<double> first = Years(25, 1000), second = Years(25, 500);
    first[2] = 7300;
    second[0] = 4000;
    second[1] = 0;
    Chart chart(first, second);
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 49u); // a value of 0 has no bar
    // On 0..8,000: 7,300 is trunc(7300 * 198 / 8000) = 180 pixels, 1,000 is 24.
    EXPECT_EQ(bars[0], (Rect{X0, Y - 24, X0 + 5, Y}));
    EXPECT_EQ(bars[2], (Rect{X0 + 14, Y - 180, X0 + 19, Y}));
    // Series 2 is shifted right by 3: 4,000 gives 99 pixels, 500 gives 12.
    EXPECT_EQ(bars[25], (Rect{X0 + 3, Y - 99, X0 + 8, Y}));
    EXPECT_EQ(bars[26], (Rect{X0 + 3 + 14, Y - 12, X0 + 8 + 14, Y}));
    EXPECT_EQ(chart.FillOf(bars[2])->kind, Kind::Pattern);
    EXPECT_EQ(chart.FillOf(bars[25])->kind, Kind::Fill);
}

TEST(ChartDrawing, ZeroLineAndHangingBarsWithNegativeValues) {
    std::vector<double> values = Years(25, 60000);
    values[0] = -4500;
    values[1] = 120000;
    Chart chart(values);
    chart.Draw();
    // -5,000 to 200,000: the zero line is trunc(198 * 5000 / 205000) = 4 above the axis.
    const int Z = Y - 4;
    EXPECT_TRUE(chart.HasLine({X0, Z, X0 + 175, Z}));
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 25u);
    // -4,500 hangs from the zero line to trunc(500 * 198 / 205000) = 0 above the axis.
    EXPECT_EQ(bars[0], (Rect{X0, Z, X0 + 5, Y}));
    // 120,000 stands trunc(125000 * 198 / 205000) = 120 above the axis, down to the zero line.
    EXPECT_EQ(bars[1], (Rect{X0 + 7, Y - 120, X0 + 12, Z}));
    for (const char* label : {"-5,000", "36,000", "77,000", "118,000", "159,000", "200,000"})
        EXPECT_NE(chart.Text(label, TextAlign::Right), nullptr) << label;
}

TEST(ChartDrawing, NarrowBarsAboveTwentyFivePoints) {
    Chart chart(Years(35, 1000), Years(35, 500));
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 70u);
    EXPECT_EQ(bars[34].left, X0 + 340);
    EXPECT_EQ(bars[34].width(), 9);
    EXPECT_EQ(bars[35 + 34].left, X0 + 342);
    // Labels 0 to 35, the last at the right end of the plot; the legend keeps the narrow gap.
    ASSERT_NE(chart.Text("35", TextAlign::Centre), nullptr);
    EXPECT_EQ(chart.Text("35", TextAlign::Centre)->rect.left, X0 + 350 - 20);
    EXPECT_EQ(chart.Text("One", TextAlign::Left)->rect.left, X0 + 1);
}

TEST(ChartDrawing, ThreeSeriesStackOnAPercentageScale) {
    std::vector<double> whole = Years(25, 100);
    whole[3] = 250; // stops at the top of the plot
    Chart chart(whole, Years(25, 60), Years(25, 20));
    chart.request.unit = "(%)";
    chart.Draw();
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 75u);
    EXPECT_EQ(bars[0], (Rect{X0, Y - A, X0 + 5, Y}));
    EXPECT_EQ(bars[3].top, Y - A);
    EXPECT_EQ(bars[25], (Rect{X0, Y - 118, X0 + 5, Y})); // no offset: trunc(60 * 1.98)
    EXPECT_EQ(bars[50], (Rect{X0, Y - 39, X0 + 5, Y}));  // trunc(20 * 1.98)
    // Series 2 is a checkerboard under a third series; series 3 is solid.
    EXPECT_EQ(chart.FillOf(bars[25])->kind, Kind::Pattern);
    EXPECT_EQ(chart.FillOf(bars[25])->colour, kC2);
    EXPECT_EQ(chart.FillOf(bars[50])->kind, Kind::Fill);
    EXPECT_EQ(chart.FillOf(bars[50])->colour, kSolid);
    // Legend 3 a line lower: trunc(1.3 * 15) = 19.
    EXPECT_NE(chart.FillOf({X0 / 2, Y + 45 + 19, X0, Y + 45 + 19 + LineH}), nullptr);
}

TEST(ChartDrawing, AutomaticColoursAndPointsWithoutANumber) {
    std::vector<double> values = Years(25, 1000);
    values[4] = NoValue;
    Chart chart(values, Years(25, 500));
    chart.request.colours[0] = kAutomaticColour;
    chart.Draw({kAutomaticColour, kAutomaticColour});
    EXPECT_EQ(chart.surface.calls.front().colour, kWhite);
    EXPECT_EQ(chart.Text("Caption", TextAlign::Centre)->background, kWhite);
    const std::vector<Rect> bars = chart.Bars();
    ASSERT_EQ(bars.size(), 49u);
    EXPECT_EQ(bars[4].left, X0 + 5 * 7); // year 5 has no bar
    EXPECT_EQ(chart.FillOf(bars[0])->colour, kBlack);
    EXPECT_EQ(chart.FillOf(bars[0])->background, kWhite);
    EXPECT_EQ(chart.FillOf(bars[24])->colour, kBlack);
    for (const auto& c : chart.surface.calls) EXPECT_LE(c.rect.bottom, H);
}
