#include "ui/shell/SummaryLayout.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "model/Investment.h"
#include "persist/Settings.h"

namespace {

constexpr int kNormal = 0;
constexpr int kBold = 1;

int WidthIn(Surface& surface, const FontSpec& font, std::string_view text) {
    if (text.empty()) return 0;
    surface.SetFont(font);
    return surface.TextWidth(text);
}

// The longest start of `text` that fits `width` with "…" after it, or empty when not even
// "…" fits; `text` itself when it fits whole.
std::string Elided(Surface& surface, const FontSpec& font, const std::string& text, int width) {
    if (WidthIn(surface, font, text) <= width) return text;
    static constexpr std::string_view kEllipsis = "\u2026";
    // Cut only between characters, never inside one's UTF-8 bytes.
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
    auto shortened = [&](std::size_t k) {
        std::string start = text.substr(0, cuts[k]);
        while (!start.empty() && start.back() == ' ') start.pop_back();
        return start + std::string(kEllipsis);
    };
    if (cuts.empty() || WidthIn(surface, font, shortened(0)) > width) return {};
    std::size_t fits = 0, tooWide = cuts.size();
    while (tooWide - fits > 1) {
        const std::size_t k = (fits + tooWide) / 2;
        if (WidthIn(surface, font, shortened(k)) <= width) fits = k;
        else tooWide = k;
    }
    return shortened(fits);
}

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
    ShowFullTexts();
}

void SummaryLayout::ShowFullTexts() {
    for (int row = 0; row < kSummaryRows; ++row) {
        shownLabels_[row] = labels[row];
        shownValues_[row] = values[row];
        cut_[row] = false;
    }
}

void SummaryLayout::Fit(Surface& surface) {
    ShowFullTexts();
    const FontSpec before = surface.Font();
    const int gap = std::max(charWidth_ / 2, 1);
    auto hasValue = [this](int row) {
        return row != ItemProperty && !values[row].hidden && !values[row].text.empty();
    };
    auto valueWidth = [&](int row, const FontSpec* table) {
        return WidthIn(surface, table[values[row].fontIndex], values[row].text);
    };
    // The widest room a value has is its whole row.
    auto allFit = [&](const FontSpec* table) {
        for (int row = 0; row < kSummaryRows; ++row)
            if (hasValue(row) &&
                valueWidth(row, table) > values[row].rect.right - labels[row].rect.left)
                return false;
        return true;
    };
    valueFonts_[kNormal] = fonts[kNormal];
    valueFonts_[kBold] = fonts[kBold];
    if (!allFit(valueFonts_)) {
        // The largest share of the size at which every value fits.
        auto at = [this](int percent) {
            for (int i : {kNormal, kBold})
                valueFonts_[i].height = std::max(fonts[i].height * percent / 100, 1);
            return valueFonts_;
        };
        int fits = 1, tooBig = 100;
        while (tooBig - fits > 1) {
            const int percent = (fits + tooBig) / 2;
            if (allFit(at(percent))) fits = percent;
            else tooBig = percent;
        }
        at(fits);
    }

    for (int row = 0; row < kSummaryRows; ++row) {
        GridCell& label = shownLabels_[row];
        GridCell& value = shownValues_[row];
        if (row == ItemProperty) {
            // The address starts after its caption, and is shortened to what is left.
            const int caption = WidthIn(surface, fonts[label.fontIndex], label.text);
            value.rect.left = std::max(value.rect.left, label.rect.left + caption + gap);
            const std::string address = value.text;
            value.text = Elided(surface, fonts[value.fontIndex], address, value.rect.width());
            cut_[row] = value.text != address;
        } else if (!values[row].hidden) {
            const bool valued = hasValue(row);
            if (valued) value.fontTable = valueFonts_;
            const int width = valued ? valueWidth(row, valueFonts_) : 0;
            if (width > value.rect.width()) {
                value.rect.left = std::max(value.rect.right - width, label.rect.left);
                label.rect.right = std::min(label.rect.right, value.rect.left - gap);
            } else {
                // A long caption takes what its value leaves of the row.
                const int caption = WidthIn(surface, fonts[label.fontIndex], label.text);
                const int right = std::min(label.rect.left + caption, value.rect.right - width - gap);
                if (right > label.rect.right) {
                    label.rect.right = right;
                    value.rect.left = std::max(value.rect.left, right + gap);
                }
            }
        }
        const int room = std::max(label.rect.width(), 0);
        label.text = Elided(surface, fonts[label.fontIndex], labels[row].text, room);
        if (label.text != labels[row].text) cut_[row] = true;
    }
    surface.SetFont(before);
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
    ShowFullTexts();
}

void SummaryLayout::Draw(Surface& surface, int scrollX, int scrollY) const {
    DrawCells(shownLabels_, kSummaryRows, surface, -scrollX, -scrollY);
    DrawCells(shownValues_, kSummaryRows, surface, -scrollX, -scrollY);
}

void SummaryLayout::Paint(Surface& surface, const Rect& client, ColourValue background,
                          const Investment& doc, int scrollX, int scrollY) {
    surface.FillRect(client, background == kAutomaticColour
                                 ? surface.System(SystemColour::Window)
                                 : background);
    Refresh(doc);
    Fit(surface);
    Draw(surface, scrollX, scrollY);
}

int SummaryLayout::HitTest(int x, int y) const {
    for (int row = 0; row < kSummaryRows; ++row)
        if (!labels[row].hidden && labels[row].rect.contains(x, y)) return row;
    for (int row = 0; row < kSummaryRows; ++row)
        if (!values[row].hidden && values[row].rect.contains(x, y)) return row;
    return -1;
}
