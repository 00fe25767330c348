// The cells of the summary screen: 19 rows of a label and a value, their layout, the texts
// (export/SummaryText.h) put in before every drawing, and the hit test of a tap. Plain C++ over a
// Surface, so that what the summary shows can be checked without a window.
#pragma once

#include "export/SummaryText.h"
#include "ui/shell/GridCell.h"

class Investment;

// Room the layout leaves at the right for the vertical scroll bar.
inline constexpr int kScrollBarRoom = 16;

class SummaryLayout {
public:
    SummaryLayout();

    // Lays the cells out for a client area whose right edge is `clientRight`, with the row
    // height and character width of the window's font; every cell gets `background`.
    void Layout(int clientRight, int rowHeight, int charWidth, ColourValue background);
    // Makes the texts and colours of the cells from the investment.
    void Refresh(const Investment& doc);
    // Draws the label cells, then the value cells, scrolled by (scrollX, scrollY).
    void Draw(Surface& surface, int scrollX, int scrollY) const;
    // Erases `client` with `background`, refreshes from the investment and draws the cells.
    void Paint(Surface& surface, const Rect& client, ColourValue background,
               const Investment& doc, int scrollX, int scrollY);
    // The row under a point of the unscrolled grid, or -1.
    int HitTest(int x, int y) const;

    int RowHeight() const { return rowHeight_; }
    int CharWidth() const { return charWidth_; }
    bool IsLaidOut() const { return laidOut_; }

    GridCell values[kSummaryRows];
    GridCell labels[kSummaryRows];
    // Font 0 normal, font 1 bold; the charts borrow them.
    FontSpec fonts[2];

private:
    int rowHeight_ = 0;
    int charWidth_ = 0;
    bool laidOut_ = false;
};
