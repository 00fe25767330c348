#include "ui/shell/GridCell.h"

#include "format/Format.h"
#include "persist/Settings.h"

void SetupCell(GridCell& cell, std::string_view format, int fontIndex, std::string_view caption) {
    cell.flags = ParseFormat(format);
    cell.fontIndex = fontIndex;
    cell.hidden = 0;
    cell.text = std::string(caption);
}

void SetCellValue(GridCell& cell, double value) {
    if (cell.hidden || cell.flags == 0) return;
    cell.text = FormatValue(value, cell.flags);
}

void DrawCell(const GridCell& cell, Surface& surface, int dx, int dy) {
    if (cell.hidden) return;
    // A caption may hold a hyphen; only numbers are shown as negative.
    const bool negative = (cell.flags & FmtNumeric) &&
                          cell.text.find_first_of("-(") != std::string::npos;
    const ColourValue colour = negative ? cell.negativeColour : cell.textColour;
    const ColourValue background = cell.backgroundColour == kAutomaticColour
                                       ? surface.System(SystemColour::Window)
                                       : cell.backgroundColour;
    const Rect r = cell.rect.moved(dx, dy);
    surface.FillRect(r, background);

    const bool ownFont = cell.fontTable != nullptr && cell.fontIndex >= 0 &&
                         cell.fontIndex < cell.fontCount;
    FontSpec previous;
    if (ownFont) {
        previous = surface.Font();
        surface.SetFont(cell.fontTable[cell.fontIndex]);
    }
    if (!cell.text.empty()) {
        TextAlign align = TextAlign::Left;
        if (cell.alignment == 1) align = TextAlign::Centre;
        else if (cell.alignment == 2) align = TextAlign::Right;
        // A long text (an address, say) stays inside its cell.
        surface.SetClip(&r);
        surface.DrawText(r, cell.text, align, colour, true, background);
        surface.SetClip(nullptr);
    }
    if (ownFont) surface.SetFont(previous);
}

void DrawCells(const GridCell* cells, int count, Surface& surface, int dx, int dy) {
    if (cells == nullptr) return;
    for (int i = 0; i < count; ++i)
        if (!cells[i].hidden) DrawCell(cells[i], surface, dx, dy);
}
