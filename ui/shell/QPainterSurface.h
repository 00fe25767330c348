// The drawing surface on screen and in PNG files: every Surface call becomes QPainter work.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QRegion>

#include "ui/shell/Surface.h"

class QPainter;

// 0x00BBGGRR to a QColor; the top byte is ignored.
QColor ToQColor(ColourValue colour);
// A QColor to 0x00BBGGRR.
ColourValue FromQColor(const QColor& colour);

// The QFont for a face, a cell height (ascent + descent) in pixels and a weight (100..900):
// the largest pixel size whose line height does not exceed the cell height.
QFont ToQFont(const FontSpec& font);

// The line metrics Qt's QFontMetrics gives a font at other pixel sizes, for searches through
// sizes. Qt loads a font at a new size with a font match of its own (1.4 million
// instructions); these come from copies of the face already loaded at the font's own size.
class FontSizes {
public:
    explicit FontSizes(const QFont& font);
    // QFontMetrics::height(), leading() and averageCharWidth() of the font at `pixels`.
    int Height(int pixels);
    int Leading(int pixels);
    int AverageCharWidth(int pixels);

private:
    // Whether the copy is at `pixels` now; false for a face Qt cannot copy.
    bool At(int pixels);
    // The font loaded at `pixels`, as Qt measures it otherwise.
    QFontMetrics Loaded(int pixels) const;

    QFont font_;
    QRawFont raw_;
};

class QPainterSurface : public Surface {
public:
    explicit QPainterSurface(QPainter& painter);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    void FillRect(const Rect& r, ColourValue colour) override;
    void FillPattern(const Rect& r, ColourValue colour, ColourValue background) override;
    void Line(int x0, int y0, int x1, int y1, ColourValue colour) override;
    void OutlineRect(const Rect& r, ColourValue colour) override;
    void DrawEdge(const Rect& r, Edge edge) override;
    void DrawText(const Rect& r, std::string_view utf8, TextAlign align, ColourValue colour,
                  bool opaque, ColourValue background) override;
    void DrawTextCentred(const Rect& r, std::string_view utf8, ColourValue colour) override;
    void SetClip(const Rect* r) override;
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override;
    FontMetrics Metrics() const override;
    int TextWidth(std::string_view utf8) const override;
    ColourValue System(SystemColour role) const override;

private:
    QPainter& painter_;
    // The painter's own limit when the surface was made; SetClip narrows it and gives it back.
    bool hadClip_ = false;
    QRegion clip_;
    FontSpec font_;
    QFont qfont_;
};
