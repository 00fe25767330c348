#include "ui/shell/QPainterSurface.h"

#include <QApplication>
#include <QBrush>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

QColor ToQColor(ColourValue colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

ColourValue FromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<ColourValue>(rgb.red() & 0xFF) |
           (static_cast<ColourValue>(rgb.green() & 0xFF) << 8) |
           (static_cast<ColourValue>(rgb.blue() & 0xFF) << 16);
}

QFont ToQFont(const FontSpec& wanted) {
    // Finding the pixel size takes a few metric look-ups; the summary and the charts ask for
    // the same two or three fonts on every paint.
    static std::map<std::tuple<std::string, int, int>, QFont> cache;
    const auto key = std::make_tuple(wanted.face, wanted.height, wanted.weight);
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    QFont font(QString::fromStdString(wanted.face));
    font.setStyleStrategy(QFont::PreferMatch);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 1, 1000)));
    const int cell = std::clamp(wanted.height, 1, 1000);
    // The largest pixel size whose cell fits (the face's cell is taller than its em), or 1.
    // The face is loaded at the size the search starts from, and kept when that is the one
    // found: it starts where the cell of a common face (1.15 times its em) puts it.
    int size = std::clamp(cell * 100 / 115, 1, cell);
    font.setPixelSize(size);
    FontSizes sizes(font);
    auto fits = [&](int pixels) { return sizes.Height(pixels) <= cell; };
    if (fits(size)) {
        while (size < cell && fits(size + 1)) ++size;
    } else {
        while (size > 1 && !fits(size - 1)) --size;
        size = std::max(size - 1, 1);
    }
    font.setPixelSize(size);
    cache.emplace(key, font);
    return font;
}

FontSizes::FontSizes(const QFont& font) : font_(font), raw_(QRawFont::fromFont(font)) {}

bool FontSizes::At(int pixels) {
    if (raw_.isValid() && raw_.pixelSize() != pixels) raw_.setPixelSize(pixels);
    // A face Qt cannot copy (not one of FreeType's) is measured as Qt measures it.
    return raw_.isValid();
}

QFontMetrics FontSizes::Loaded(int pixels) const {
    QFont font = font_;
    font.setPixelSize(pixels);
    return QFontMetrics(font);
}

int FontSizes::Height(int pixels) {
    return At(pixels) ? qRound(raw_.ascent()) + qRound(raw_.descent()) : Loaded(pixels).height();
}

int FontSizes::Leading(int pixels) {
    return At(pixels) ? qRound(raw_.leading()) : Loaded(pixels).leading();
}

int FontSizes::AverageCharWidth(int pixels) {
    return At(pixels) ? qRound(raw_.averageCharWidth()) : Loaded(pixels).averageCharWidth();
}

QPainterSurface::QPainterSurface(QPainter& painter) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    hadClip_ = painter_.hasClipping();
    if (hadClip_) clip_ = painter_.clipRegion();
    SetFont(font_);
}

void QPainterSurface::SetClip(const Rect* r) {
    if (hadClip_) painter_.setClipRegion(clip_);
    else painter_.setClipping(false);
    if (r) {
        const QRect rect(r->left, r->top, r->width(), r->height());
        painter_.setClipRect(rect, hadClip_ ? Qt::IntersectClip : Qt::ReplaceClip);
    }
}

QPainterSurface::~QPainterSurface() { painter_.restore(); }

void QPainterSurface::FillRect(const Rect& r, ColourValue colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), ToQColor(colour));
}

void QPainterSurface::FillPattern(const Rect& r, ColourValue colour, ColourValue background) {
    if (r.width() <= 0 || r.height() <= 0) return;
    QImage tile(4, 4, QImage::Format_RGB32);
    const QRgb fore = ToQColor(colour).rgb();
    const QRgb back = ToQColor(background).rgb();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) tile.setPixel(x, y, ((x + y) & 1) ? fore : back);
    // The checkerboard belongs to the device, not to the painter's coordinates: shift the
    // tile by the painter's translation so that neighbouring fills line up. The translation
    // counts logical pixels; on a high-density screen the device transform also holds the
    // scale, and the tile's pixels grow with it (nearest pixel, so the squares stay sharp).
    const QTransform device = painter_.deviceTransform();
    const double scale = device.m11() > 0 ? device.m11() : 1.0;
    const double scaleY = device.m22() > 0 ? device.m22() : 1.0;
    const int dx = static_cast<int>(std::lround(device.dx() / scale) & 3);
    const int dy = static_cast<int>(std::lround(device.dy() / scaleY) & 3);
    painter_.save();
    painter_.setBrushOrigin(-dx, -dy);
    painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), QBrush(tile));
    painter_.restore();
}

void QPainterSurface::Line(int x0, int y0, int x1, int y1, ColourValue colour) {
    const QColor c = ToQColor(colour);
    if (x0 == x1 && y0 == y1) return;
    // Axis-aligned lines are by far the most common; the end point is not part of the line.
    if (y0 == y1) {
        const int left = x0 < x1 ? x0 : x1 + 1;
        painter_.fillRect(QRect(left, y0, std::abs(x1 - x0), 1), c);
        return;
    }
    if (x0 == x1) {
        const int top = y0 < y1 ? y0 : y1 + 1;
        painter_.fillRect(QRect(x0, top, 1, std::abs(y1 - y0)), c);
        return;
    }
    // Any other slope: Bresenham, so that the pixels do not depend on the paint engine.
    const int adx = std::abs(x1 - x0), ady = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = adx + ady;
    int x = x0, y = y0;
    // Each point is a filled logical pixel, like the straight lines above: a pen's point is
    // centred on the pixel's corner and lands half a pixel off on a high-density screen.
    QVector<QRect> points;
    while (x != x1 || y != y1) {
        points << QRect(x, y, 1, 1);
        const int e2 = 2 * err;
        if (e2 >= ady) {
            err += ady;
            x += sx;
        }
        if (e2 <= adx) {
            err += adx;
            y += sy;
        }
    }
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(c);
    painter_.drawRects(points);
    painter_.restore();
}

void QPainterSurface::OutlineRect(const Rect& r, ColourValue colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const QColor c = ToQColor(colour);
    const int w = r.width(), h = r.height();
    painter_.fillRect(QRect(r.left, r.top, w, 1), c);
    painter_.fillRect(QRect(r.left, r.bottom - 1, w, 1), c);
    painter_.fillRect(QRect(r.left, r.top, 1, h), c);
    painter_.fillRect(QRect(r.right - 1, r.top, 1, h), c);
}

void QPainterSurface::DrawEdge(const Rect& r, Edge edge) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const QPalette palette = QApplication::palette();
    const ColourValue light = FromQColor(palette.color(QPalette::Light));
    const ColourValue shadow = System(SystemColour::Shadow);
    // One 1-pixel frame: `topLeft` on the top and left, `bottomRight` on the bottom and right.
    auto frame = [this](const Rect& f, ColourValue topLeft, ColourValue bottomRight) {
        if (f.width() <= 0 || f.height() <= 0) return;
        Line(f.left, f.top, f.right - 1, f.top, topLeft);
        Line(f.left, f.top, f.left, f.bottom - 1, topLeft);
        Line(f.left, f.bottom - 1, f.right, f.bottom - 1, bottomRight);
        Line(f.right - 1, f.top, f.right - 1, f.bottom - 1, bottomRight);
    };
    switch (edge) {
    case Edge::Raised: frame(r, light, shadow); break;
    case Edge::Sunken: frame(r, shadow, light); break;
    case Edge::Etched:
        frame(r, shadow, light);
        frame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, light, shadow);
        break;
    case Edge::FlatSunken: OutlineRect(r, shadow); break;
    }
}

void QPainterSurface::DrawText(const Rect& r, std::string_view utf8, TextAlign align,
                               ColourValue colour, bool opaque, ColourValue background) {
    if (utf8.empty()) return;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QFontMetrics metrics(qfont_, painter_.device());
    const int width = metrics.horizontalAdvance(text);
    int x = r.left;
    if (align == TextAlign::Centre) x = r.left + (r.width() - width) / 2;
    else if (align == TextAlign::Right) x = r.right - width;
    if (opaque) painter_.fillRect(QRect(x, r.top, width, metrics.height()), ToQColor(background));
    // Drawing at a base line point: no mnemonic processing, no clipping, one line.
    painter_.setFont(qfont_);
    painter_.setPen(ToQColor(colour));
    painter_.drawText(QPoint(x, r.top + metrics.ascent()), text);
}

void QPainterSurface::DrawTextCentred(const Rect& r, std::string_view utf8, ColourValue colour) {
    if (utf8.empty()) return;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QFontMetrics metrics(qfont_, painter_.device());
    const int x = r.left + (r.width() - metrics.horizontalAdvance(text)) / 2;
    const int top = r.top + (r.height() - metrics.height()) / 2;
    painter_.setFont(qfont_);
    painter_.setPen(ToQColor(colour));
    painter_.drawText(QPoint(x, top + metrics.ascent()), text);
}

void QPainterSurface::SetFont(const FontSpec& font) {
    font_ = font;
    qfont_ = ToQFont(font);
    painter_.setFont(qfont_);
}

FontSpec QPainterSurface::Font() const { return font_; }

FontMetrics QPainterSurface::Metrics() const {
    const QFontMetrics metrics(qfont_, painter_.device());
    return {metrics.height(), metrics.leading(), metrics.averageCharWidth()};
}

int QPainterSurface::TextWidth(std::string_view utf8) const {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return QFontMetrics(qfont_, painter_.device()).horizontalAdvance(text);
}

ColourValue QPainterSurface::System(SystemColour role) const {
    const QPalette palette = QApplication::palette();
    switch (role) {
    case SystemColour::Face: return FromQColor(palette.color(QPalette::Button));
    case SystemColour::Highlight: return FromQColor(palette.color(QPalette::Highlight));
    case SystemColour::Shadow: return FromQColor(palette.color(QPalette::Dark));
    case SystemColour::ButtonText: return FromQColor(palette.color(QPalette::ButtonText));
    case SystemColour::Window: return FromQColor(palette.color(QPalette::Base));
    case SystemColour::WindowText: return FromQColor(palette.color(QPalette::Text));
    case SystemColour::HighlightText: return FromQColor(palette.color(QPalette::HighlightedText));
    }
    return 0;
}
