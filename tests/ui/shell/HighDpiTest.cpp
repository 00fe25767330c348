// The drawing surface on a screen of two device pixels per logical pixel: every shape lands
// on the same logical pixels as on a plain screen, each logical pixel a solid 2 x 2 block
// (no blur, no half-pixel shift), and text keeps its logical size while drawn at full
// resolution.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

#include "ui/shell/QPainterSurface.h"

namespace {

constexpr ColourValue kRed = 0x0000FF;
constexpr ColourValue kBlue = 0xFF0000;
constexpr ColourValue kGreen = 0x00FF00;

// The same drawing on a w x h logical canvas at a device pixel ratio of `ratio`, with the
// painter moved by (dx, dy) first, as it is for a widget inside a window.
QImage Render(int ratio, int w, int h, int dx, int dy, const std::function<void(Surface&)>& draw) {
    QImage image(w * ratio, h * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(dx, dy);
    QPainterSurface surface(painter);
    draw(surface);
    return image;
}

// Where `sharp` (ratio 2) differs from `plain` (ratio 1) enlarged pixel by pixel, or "".
std::string Difference(const QImage& plain, const QImage& sharp) {
    for (int y = 0; y < sharp.height(); ++y)
        for (int x = 0; x < sharp.width(); ++x)
            if (sharp.pixel(x, y) != plain.pixel(x / 2, y / 2))
                return "device pixel " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

} // namespace

TEST(HighDpi, ShapesCoverWholeLogicalPixelsInTheirPlaces) {
    const std::function<void(Surface&)> drawings[] = {
        [](Surface& s) { s.FillRect({1, 2, 7, 5}, kRed); },
        [](Surface& s) { s.FillPattern({1, 2, 11, 9}, kRed, kBlue); },
        [](Surface& s) { s.FillPattern({0, 0, 1, 12}, kGreen, kBlue); }, // a dotted border
        [](Surface& s) { s.OutlineRect({2, 2, 9, 7}, kBlue); },
        [](Surface& s) {
            s.Line(1, 1, 9, 1, kRed);
            s.Line(10, 10, 10, 2, kRed);
        },
        // Lines of any other slope are drawn point by point.
        [](Surface& s) {
            s.Line(0, 0, 9, 4, kRed);
            s.Line(11, 1, 3, 11, kBlue);
            s.Line(1, 11, 4, 2, kGreen);
        },
        [](Surface& s) {
            s.DrawEdge({1, 1, 11, 6}, Edge::Raised);
            s.DrawEdge({1, 6, 11, 11}, Edge::Etched);
        },
    };
    int index = 0;
    for (const auto& draw : drawings) {
        for (const auto& [dx, dy] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{3, 2}}) {
            const QImage plain = Render(1, 14, 14, dx, dy, draw);
            const QImage sharp = Render(2, 14, 14, dx, dy, draw);
            EXPECT_EQ(Difference(plain, sharp), "")
                << "drawing " << index << " moved by " << dx << "," << dy;
        }
        ++index;
    }
}

TEST(HighDpi, TextKeepsItsLogicalSizeAndUsesEveryDevicePixel) {
    FontMetrics plainMetrics, sharpMetrics;
    int plainWidth = 0, sharpWidth = 0;
    const auto measure = [](FontMetrics& metrics, int& width) {
        return [&metrics, &width](Surface& s) {
            s.SetFont({"Arial", 15, 700});
            metrics = s.Metrics();
            width = s.TextWidth("Net present value:");
            s.DrawText({2, 2, 150, 20}, "Net present value:", TextAlign::Left, 0, false, 0);
        };
    };
    const QImage plain = Render(1, 160, 24, 0, 0, measure(plainMetrics, plainWidth));
    const QImage sharp = Render(2, 160, 24, 0, 0, measure(sharpMetrics, sharpWidth));
    EXPECT_EQ(sharpMetrics.height, plainMetrics.height);
    EXPECT_EQ(sharpMetrics.averageCharWidth, plainMetrics.averageCharWidth);
    EXPECT_NEAR(sharpWidth, plainWidth, 2);

    // Glyphs drawn at full resolution: blocks of 2 x 2 device pixels that are not all alike.
    int mixed = 0;
    for (int y = 0; y + 1 < sharp.height(); y += 2)
        for (int x = 0; x + 1 < sharp.width(); x += 2) {
            const QRgb p = sharp.pixel(x, y);
            mixed += sharp.pixel(x + 1, y) != p || sharp.pixel(x, y + 1) != p ||
                     sharp.pixel(x + 1, y + 1) != p;
        }
    EXPECT_GT(mixed, 20);
}
