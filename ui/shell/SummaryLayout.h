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
    // Fits every row to its width as `surface` measures texts; a value is never cut. A label
    // too long for its cell takes what room its value leaves; a value too wide for its cell
    // takes room from its label, which is shortened with "…"; when a value is wider than its
    // whole row, every value's font shrinks until the widest fits. The address and the titles
    // are shortened with "…". The cells keep their full texts; Draw shows the fitted ones.
    void Fit(Surface& surface);
    // Draws the label cells, then the value cells, as fitted, scrolled by (scrollX, scrollY).
    void Draw(Surface& surface, int scrollX, int scrollY) const;
    // Erases `client` with `background`, refreshes from the investment, fits and draws the cells.
    void Paint(Surface& surface, const Rect& client, ColourValue background,
               const Investment& doc, int scrollX, int scrollY);
    // The row under a point of the unscrolled grid, or -1.
    int HitTest(int x, int y) const;

    // A row's cells as Draw shows them: their full texts until Fit shortens them.
    const GridCell& ShownLabel(int row) const { return shownLabels_[row]; }
    const GridCell& ShownValue(int row) const { return shownValues_[row]; }
    // Whether Fit shortened a text of the row, so that its full text needs a tool tip.
    bool IsCut(int row) const { return row >= 0 && row < kSummaryRows && cut_[row]; }

    int RowHeight() const { return rowHeight_; }
    int CharWidth() const { return charWidth_; }
    bool IsLaidOut() const { return laidOut_; }

    GridCell values[kSummaryRows];
    GridCell labels[kSummaryRows];
    // Font 0 normal, font 1 bold; the charts borrow them.
    FontSpec fonts[2];

private:
    // The cells as they are before fitting.
    void ShowFullTexts();

    GridCell shownLabels_[kSummaryRows];
    GridCell shownValues_[kSummaryRows];
    bool cut_[kSummaryRows] = {};
    // The values' fonts once Fit has shrunk them.
    FontSpec valueFonts_[2];
    int rowHeight_ = 0;
    int charWidth_ = 0;
    bool laidOut_ = false;
};
