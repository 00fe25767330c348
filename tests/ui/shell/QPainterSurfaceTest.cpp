// What the QPainter surface puts on the pixels: the pattern's anchoring, line ends, outlines,
// text placement and fonts.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "ui/shell/QPainterSurface.h"

namespace {

constexpr ColourValue kWhite = 0xFFFFFF;
constexpr ColourValue kRed = 0x0000FF;
constexpr ColourValue kBlue = 0xFF0000;

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

ColourValue Pixel(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

int CountNotWhite(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += Pixel(image, x, y) != kWhite;
    return n;
}

} // namespace

TEST(QPainterSurface, ColourValuesAreBgr) {
    EXPECT_EQ(ToQColor(0x00123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(FromQColor(QColor(220, 255, 255)), 16777180u);
    EXPECT_EQ(ToQColor(0xFF0000FF), QColor(255, 0, 0)); // top byte ignored
}

TEST(QPainterSurface, PatternIsAnchoredAtTheDeviceOrigin) {
    for (int shift : {0, 1, 3}) {
        QImage image = Canvas(16, 16);
        {
            QPainter p(&image);
            p.translate(shift, 0);
            QPainterSurface s(p);
            s.FillPattern({1, 2, 9, 10}, kRed, kBlue);
        }
        for (int y = 2; y < 10; ++y)
            for (int x = 1 + shift; x < 9 + shift; ++x)
                ASSERT_EQ(Pixel(image, x, y), ((x + y) & 1) ? kRed : kBlue)
                    << "shift " << shift << " at " << x << "," << y;
        EXPECT_EQ(Pixel(image, shift, 2), kWhite);
        EXPECT_EQ(Pixel(image, 9 + shift, 2), kWhite);
    }
}

TEST(QPainterSurface, LinesLeaveOutTheirEndPoint) {
    QImage image = Canvas(12, 12);
    {
        QPainter p(&image);
        QPainterSurface s(p);
        s.Line(1, 1, 6, 1, kRed);   // horizontal, 5 pixels
        s.Line(10, 9, 10, 3, kRed); // vertical upwards, 6 pixels
        s.Line(2, 4, 6, 8, kRed);   // diagonal, 4 pixels
        s.Line(0, 11, 0, 11, kRed); // empty
    }
    EXPECT_EQ(Pixel(image, 1, 1), kRed);
    EXPECT_EQ(Pixel(image, 5, 1), kRed);
    EXPECT_EQ(Pixel(image, 6, 1), kWhite);
    EXPECT_EQ(Pixel(image, 10, 9), kRed);
    EXPECT_EQ(Pixel(image, 10, 4), kRed);
    EXPECT_EQ(Pixel(image, 10, 3), kWhite);
    EXPECT_EQ(Pixel(image, 2, 4), kRed);
    EXPECT_EQ(Pixel(image, 5, 7), kRed);
    EXPECT_EQ(Pixel(image, 6, 8), kWhite);
    EXPECT_EQ(CountNotWhite(image), 5 + 6 + 4);
}

TEST(QPainterSurface, OutlineLiesJustInsideAndLeavesTheInsideAlone) {
    QImage image = Canvas(10, 10);
    {
        QPainter p(&image);
        QPainterSurface s(p);
        s.OutlineRect({2, 2, 7, 6}, kBlue);
    }
    EXPECT_EQ(Pixel(image, 2, 2), kBlue);
    EXPECT_EQ(Pixel(image, 6, 5), kBlue);
    EXPECT_EQ(Pixel(image, 7, 5), kWhite);
    EXPECT_EQ(Pixel(image, 4, 4), kWhite);
    EXPECT_EQ(CountNotWhite(image), 2 * 5 + 2 * 2);
}

TEST(QPainterSurface, FontsAreChosenByCellHeight) {
    QImage image = Canvas(10, 10);
    QPainter p(&image);
    QPainterSurface s(p);
    s.SetFont({"Arial", 15, 400});
    const FontMetrics normal = s.Metrics();
    EXPECT_LE(normal.height, 15);
    EXPECT_GE(normal.height, 12);
    EXPECT_GT(normal.averageCharWidth, 0);
    s.SetFont({"Arial", 15, 700});
    EXPECT_EQ(s.Font().weight, 700);
    EXPECT_TRUE(ToQFont(s.Font()).bold());
    EXPECT_GT(s.TextWidth("Property value:"), 0);
}

// The sizes the searches see are Qt's own metrics of the font loaded at each size, and the
// font chosen for a cell is the largest that fits by them, found by trying every size.
TEST(QPainterSurface, FontSizesAreQtsMetricsAndTheCellsFontIsTheLargestThatFits) {
    for (const char* face : {"Arial", "Tahoma", "DejaVu Sans", "No Such Face", ""}) {
        for (const int weight : {400, 700}) {
            QFont font = face[0] != '\0' ? QFont(QString::fromLatin1(face)) : QFont();
            font.setWeight(static_cast<QFont::Weight>(weight));
            font.setPixelSize(12);
            FontSizes sizes(font);
            for (int pixels = 1; pixels <= 72; ++pixels) {
                QFont at = font;
                at.setPixelSize(pixels);
                const QFontMetrics metrics(at);
                ASSERT_EQ(sizes.Height(pixels), metrics.height()) << face << weight << " " << pixels;
                ASSERT_EQ(sizes.Leading(pixels), metrics.leading()) << face << weight << " " << pixels;
                ASSERT_EQ(sizes.AverageCharWidth(pixels), metrics.averageCharWidth())
                    << face << weight << " " << pixels;
            }
            if (face[0] == '\0') continue;
            for (int cell = 1; cell <= 60; ++cell) {
                int largest = 1;
                QFont at(QString::fromLatin1(face));
                at.setWeight(static_cast<QFont::Weight>(weight));
                for (int pixels = 1; pixels <= cell; ++pixels) {
                    at.setPixelSize(pixels);
                    if (QFontMetrics(at).height() <= cell) largest = pixels;
                }
                EXPECT_EQ(ToQFont(FontSpec{face, cell, weight}).pixelSize(), largest)
                    << face << weight << " " << cell;
            }
        }
    }
}

TEST(QPainterSurface, TextIsAlignedOpaqueAndNotPrefixProcessed) {
    QImage image = Canvas(200, 20);
    int width = 0;
    {
        QPainter p(&image);
        QPainterSurface s(p);
        s.SetFont({"Arial", 15, 400});
        width = s.TextWidth("Value && Debt");
        EXPECT_GT(width, s.TextWidth("Value & Debt")); // both ampersands are drawn
        s.DrawText({0, 0, 200, 20}, "Value && Debt", TextAlign::Right, kRed, true, kBlue);
    }
    // The opaque box is the text's own, at the right edge, from the top.
    EXPECT_EQ(Pixel(image, 199, 0), kBlue);
    EXPECT_EQ(Pixel(image, 200 - width, 0), kBlue);
    EXPECT_EQ(Pixel(image, 199 - width, 0), kWhite);
    EXPECT_EQ(Pixel(image, 199, 19), kWhite);
}
