// The drawing surface that cells, charts and the colour picker draw on. A QPainter stands
// behind it on screen and in PNG files; tests record the calls instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// 0x00BBGGRR, as the settings store keeps colours.
using ColourValue = std::uint32_t;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

enum class TextAlign { Left = 0, Centre = 1, Right = 2 };

struct FontSpec {
    std::string face = "Arial";
    int height = 15;   // cell height in pixels
    int weight = 400;  // 400 normal, 700 bold
    bool operator==(const FontSpec&) const = default;
};

struct FontMetrics {
    int height = 0;           // ascent + descent
    int externalLeading = 0;
    int averageCharWidth = 0;
};

// 3-D edges of the platform's buttons and boxes.
enum class Edge { Raised, Sunken, Etched, FlatSunken };

// Colours of the platform that drawing code asks for by role.
enum class SystemColour { Face, Highlight, Shadow, ButtonText, Window, WindowText, HighlightText };

class Surface {
public:
    virtual ~Surface() = default;

    virtual void FillRect(const Rect& r, ColourValue colour) = 0;
    // A 4 x 4 two-colour checkerboard anchored at the surface's origin: pixel (x, y) takes
    // `colour` when x + y is odd and `background` when it is even.
    virtual void FillPattern(const Rect& r, ColourValue colour, ColourValue background) = 0;
    // A 1-pixel line from (x0, y0) to (x1, y1), end point excluded.
    virtual void Line(int x0, int y0, int x1, int y1, ColourValue colour) = 0;
    // A 1-pixel outline just inside r, without fill.
    virtual void OutlineRect(const Rect& r, ColourValue colour) = 0;
    virtual void DrawEdge(const Rect& r, Edge edge) = 0;

    // Text in one line inside r, from its top; no prefix processing ("&" is drawn as "&").
    // Opaque text fills the text's own box with `background` first. Not clipped to r.
    virtual void DrawText(const Rect& r, std::string_view utf8, TextAlign align,
                          ColourValue colour, bool opaque, ColourValue background) = 0;
    // Centred horizontally and vertically in r, transparent.
    virtual void DrawTextCentred(const Rect& r, std::string_view utf8, ColourValue colour) = 0;
    // Drawing after this is limited to r (within whatever limit the surface came with); a null
    // r lifts the limit again.
    virtual void SetClip(const Rect* r) = 0;

    virtual void SetFont(const FontSpec& font) = 0;
    virtual FontSpec Font() const = 0;
    virtual FontMetrics Metrics() const = 0;
    virtual int TextWidth(std::string_view utf8) const = 0;

    virtual ColourValue System(SystemColour role) const = 0;
};
