#include "ui/shell/SummaryLayout.h"

#include <algorithm>

#include "model/Investment.h"
#include "persist/Settings.h"

namespace {

constexpr int kNormal = 0;
constexpr int kBold = 1;

} // namespace

SummaryLayout::SummaryLayout() {
    fonts[kNormal] = FontSpec{"Arial", 15, 400};
    fonts[kBold] = FontSpec{"Arial", 15, 700};
}

void SummaryLayout::Layout(int clientRight, int rowHeight, int charWidth,
                           ColourValue background) {
    const int w = clientRight, h = std::max(rowHeight, 1), c = std::max(charWidth, 0);
    rowHeight_ = h;
    charWidth_ = c;
    for (int i = 0; i < kSummaryRows; ++i) {
        GridCell& label = labels[i];
        GridCell& value = values[i];
        label.rect = {c, i * h, 2 * c + w / 2, (i + 1) * h};
        label.alignment = 0;
        value.rect = {label.rect.right + c, i * h, w - c - kScrollBarRoom, (i + 1) * h};
        value.alignment = 2;
        for (GridCell* cell : {&label, &value}) {
            cell->fontTable = fonts;
            cell->fontCount = 2;
            cell->backgroundColour = background;
        }
        const SummaryRowStyle& style = kSummaryRowStyles[static_cast<std::size_t>(i)];
        SetupCell(label, "a", style.labelBold ? kBold : kNormal, style.caption);
        SetupCell(value, style.format, style.valueBold ? kBold : kNormal);
    }
    values[ItemInvestor].text = "Single name";

    // Headings stand out to the left.
    for (int row : {ItemProperty, ItemLoanDetails, ItemInvestor}) labels[row].rect.left -= c / 2;
    // Titles span the row and have no value.
    for (int row : {ItemResults, ItemProjections}) {
        labels[row].rect.right = values[row].rect.right;
        labels[row].alignment = 1;
        values[row].hidden = 1;
    }
    // A long address needs room: it starts well inside its label cell and is drawn over it.
    values[ItemProperty].alignment = 0;
    values[ItemProperty].rect.left -= 10 * c;
    laidOut_ = true;
}

void SummaryLayout::Refresh(const Investment& doc) {
    const auto lines = SummaryLines(doc);
    for (int row = 0; row < kSummaryRows; ++row) {
        const SummaryLine& line = lines[static_cast<std::size_t>(row)];
        labels[row].text = line.label;
        if (values[row].hidden) continue;
        values[row].text = line.value;
        values[row].textColour = line.clickHere ? kColourBlue : kColourBlack;
    }
}

void SummaryLayout::Draw(Surface& surface, int scrollX, int scrollY) const {
    DrawCells(labels, kSummaryRows, surface, -scrollX, -scrollY);
    DrawCells(values, kSummaryRows, surface, -scrollX, -scrollY);
}

void SummaryLayout::Paint(Surface& surface, const Rect& client, ColourValue background,
                          const Investment& doc, int scrollX, int scrollY) {
    surface.FillRect(client, background == kAutomaticColour
                                 ? surface.System(SystemColour::Window)
                                 : background);
    Refresh(doc);
    Draw(surface, scrollX, scrollY);
}

int SummaryLayout::HitTest(int x, int y) const {
    for (int row = 0; row < kSummaryRows; ++row)
        if (!labels[row].hidden && labels[row].rect.contains(x, y)) return row;
    for (int row = 0; row < kSummaryRows; ++row)
        if (!values[row].hidden && values[row].rect.contains(x, y)) return row;
    return -1;
}
