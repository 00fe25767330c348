// One label or value cell of the summary screen. The owner keeps the cells in arrays, sets
// their rectangles, fills and draws them, and finds the cell under a tap itself.
#pragma once

#include <string>
#include <string_view>

#include "ui/shell/Surface.h"

inline constexpr ColourValue kColourBlack = 0x000000;
inline constexpr ColourValue kColourRed = 0x0000FF;
inline constexpr ColourValue kColourBlue = 0xFF0000;
inline constexpr ColourValue kColourWhite = 0xFFFFFF;

struct GridCell {
    Rect rect;                 // relative to the unscrolled grid
    std::string text;          // UTF-8
    unsigned flags = 0;        // format flags; 0 = text only
    unsigned alignment = 0;    // 0 left, 1 centred, 2 right
    int fontIndex = 0;
    // Fonts owned by the cell's owner; when null the surface's current font is used.
    const FontSpec* fontTable = nullptr;
    int fontCount = 0;
    ColourValue textColour = kColourBlack;
    ColourValue negativeColour = kColourRed;
    // The automatic colour marker stands for the platform's window background.
    ColourValue backgroundColour = kColourWhite;
    int hidden = 1;
};

// Makes the cell visible with the format's flags, a font index and a caption.
void SetupCell(GridCell& cell, std::string_view format, int fontIndex,
               std::string_view caption = {});
// Shows a number under the cell's format; caption cells and hidden cells keep their text.
void SetCellValue(GridCell& cell, double value);
// Draws the cell with its rectangle moved by (dx, dy).
void DrawCell(const GridCell& cell, Surface& surface, int dx, int dy);
// Draws every visible cell in index order.
void DrawCells(const GridCell* cells, int count, Surface& surface, int dx, int dy);
