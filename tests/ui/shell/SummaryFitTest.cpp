// The summary fitted to its width: a value is never cut, at any zoom and any width down to the
// summary's minimum; labels give way first, then the values' font; what was shortened reads
// whole in a tool tip.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "export/SummaryText.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "ui/shell/QPainterSurface.h"
#include "ui/shell/RecordingSurface.h"
#include "ui/shell/SummaryLayout.h"
#include "ui/shell/SummaryView.h"

#include "ShellTestSupport.h"

namespace {

// Records the drawing, and measures texts as the screen's fonts do.
class MeasuredRecording : public RecordingSurface {
public:
    FontMetrics Metrics() const override {
        const QFontMetrics m(ToQFont(font));
        return {m.height(), m.leading(), m.averageCharWidth()};
    }
    int TextWidth(std::string_view text) const override { return Width(font, text); }
    static int Width(const FontSpec& font, std::string_view text) {
        return QFontMetrics(ToQFont(font))
            .horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
};

// A first purchase: a $750,000 house, $600 a week, 6.2 %, joint names.
void SetUpPurchase(Investment& doc, const Scales& scales) {
    SetUpWorkedExample(doc);
    doc.Price = doc.MarketValue = 750000;
    doc.Rent = 600;
    doc.RateInterest = 6.2;
    doc.NamesOnTitle = 2;
    doc.Address = u"12 Wattle Grove Road, North Parramatta NSW 2151";
    doc.Recalculate(scales);
}

struct Drawn {
    std::string text;
    Rect rect;
    Rect clip;
    FontSpec font;
    TextAlign align;
};

// The call that drew `text`, if any.
std::optional<Drawn> DrawnText(const RecordingSurface& surface, const std::string& text) {
    for (const auto& call : surface.calls)
        if (call.kind == RecordingSurface::Kind::Text && call.text == text)
            return Drawn{call.text, call.rect, call.clip.value_or(call.rect), call.font, call.align};
    return std::nullopt;
}

// The summary at its default width with that purchase.
class PurchaseView : public ::testing::Test {
protected:
    PurchaseView() : view(doc, scales, store) {
        SetUpPurchase(doc, scales);
        view.resize(340, 500);
        view.show();
        QCoreApplication::processEvents();
    }
    ColoursGuard guard;
    MemorySettingsStore store;
    Investment doc;
    Scales scales;
    SummaryView view;
};

} // namespace

TEST_F(PurchaseView, EveryValueShowsWholeAtEveryZoomAndWidth) {
    const auto lines = SummaryLines(doc);
    ASSERT_EQ(lines[ItemPropertyValue].value, "$750,000");
    ASSERT_EQ(lines[ItemLoanType].value, "6.20%");
    const int minimum = view.minimumSizeHint().width();
    ASSERT_GT(minimum, 100);
    ASSERT_LT(minimum, 340);

    for (int zoom : {50, 67, 80, 100, 125, 150, 175, 200, 250, 300}) {
        view.SetZoom(zoom);
        for (int width : {340 * zoom / 100, 600, 340, 280, 220, 180, minimum}) {
            view.resize(std::max(width, minimum), 500);
            QCoreApplication::processEvents();
            const int right = view.viewport()->width();
            MeasuredRecording surface;
            view.Summary().Paint(surface, {0, 0, right, 500}, 0xFFFFFF, doc, 0, 0);
            for (int row = ItemPropertyValue; row < kSummaryRows; ++row) {
                const std::string& full = lines[static_cast<std::size_t>(row)].value;
                if (IsTitleRow(row) || full.find_first_not_of(' ') == std::string::npos) continue;
                const std::optional<Drawn> drawn = DrawnText(surface, full);
                ASSERT_TRUE(drawn) << "zoom " << zoom << " width " << width << ": " << full;
                // Right-aligned: the text starts its own width left of the cell's right edge,
                // and all of it lies inside the limit the drawing had and the window.
                ASSERT_EQ(drawn->align, TextAlign::Right);
                const int start = drawn->rect.right - MeasuredRecording::Width(drawn->font, full);
                EXPECT_GE(start, drawn->clip.left) << "zoom " << zoom << " width " << width << ": " << full;
                EXPECT_GE(start, 0) << full;
                EXPECT_LE(drawn->rect.right, std::min(drawn->clip.right, right)) << full;
            }
        }
    }
}

// At actual size and the default width nothing is shortened and the fonts are the cells' own.
TEST_F(PurchaseView, TheDefaultWidthShowsEveryLabelWhole) {
    MeasuredRecording surface;
    view.Summary().Paint(surface, {0, 0, view.viewport()->width(), 500}, 0xFFFFFF, doc, 0, 0);
    const auto lines = SummaryLines(doc);
    for (int row = ItemPropertyValue; row < kSummaryRows; ++row) {
        EXPECT_TRUE(DrawnText(surface, lines[static_cast<std::size_t>(row)].label)) << row;
        EXPECT_FALSE(view.Summary().IsCut(row)) << row;
        EXPECT_EQ(view.Summary().ShownValue(row).fontTable[0].height, 15) << row;
    }
}

// Worked by hand on the recording surface, whose characters are half the font's 15 pixels (7)
// wide; a summary 240 wide has labels from 6 to 132 and values from 138 to 218 (6 from the
// edge and 16 for the scroll bar).
TEST(SummaryFit, LabelsGiveWayThenTheValuesFontShrinks) {
    ColoursGuard guard;
    Investment doc;
    Scales scales;
    SetUpWorkedExample(doc);
    SummaryLayout summary;
    struct Case {
        int width;
        int row;
        Rect label, value;
        std::string shownLabel;
        int valueFont;
    } cases[] = {
        // "Loan costs (w/o 5yrs):" is 154 wide: it takes room its value "$4,416" (42) leaves.
        {240, ItemLoanCosts, {6, 144, 160, 160}, {163, 144, 218, 160}, "Loan costs (w/o 5yrs):", 15},
        {240, ItemPropertyValue, {6, 16, 132, 32}, {138, 16, 218, 32}, "Property value:", 15},
        // At 120 the values' cells are 20 wide: "$300,000" (56) takes 42 to 98, its label
        // keeps 6 to 39 (33): one character and "…" (3 bytes, 21).
        {120, ItemPropertyValue, {6, 16, 39, 32}, {42, 16, 98, 32}, "P\u2026", 15},
        // At 60 a row is 32 wide (6 to 38; 35 for the investor's heading from 3): "Single
        // name" (11 characters) fits only at 7 pixels (11 x 3 = 33), the largest size under
        // 8 that a share of 15 gives; the labels keep no room for even "…" (gap 3).
        {60, ItemInvestor, {3, 160, 2, 176}, {5, 160, 38, 176}, "", 7},
        {60, ItemPropertyValue, {6, 16, 11, 32}, {14, 16, 38, 32}, "", 7},
    };
    for (const Case& c : cases) {
        summary.Layout(c.width, 16, 6, kColourWhite);
        summary.Refresh(doc);
        RecordingSurface surface;
        summary.Fit(surface);
        const GridCell& label = summary.ShownLabel(c.row);
        const GridCell& value = summary.ShownValue(c.row);
        EXPECT_EQ(label.rect, c.label) << c.width << " row " << c.row;
        EXPECT_EQ(value.rect, c.value) << c.width << " row " << c.row;
        EXPECT_EQ(label.text, c.shownLabel) << c.width << " row " << c.row;
        EXPECT_EQ(value.text, summary.values[c.row].text) << c.width << " row " << c.row;
        EXPECT_EQ(value.fontTable[value.fontIndex].height, c.valueFont) << c.width << " row " << c.row;
        // The cells keep the full texts; a shortened label is a tool tip's.
        EXPECT_EQ(summary.IsCut(c.row), c.shownLabel != summary.labels[c.row].text);
    }
}

TEST(SummaryFit, TheAddressIsShortenedAfterItsCaption) {
    ColoursGuard guard;
    Investment doc;
    Scales scales;
    SetUpWorkedExample(doc);
    doc.Address = u"12 Smith Street, Toowong";
    SummaryLayout summary;
    summary.Layout(240, 16, 6, kColourWhite);
    summary.Refresh(doc);
    RecordingSurface surface;
    summary.Fit(surface);
    // The address starts ten characters (60) inside the label's cell, at 78, after "Property:"
    // (63 wide from 3); to 218 it holds 140: "…" (21) and 16 characters (112), as the
    // seventeenth is the space before "Toowong", dropped.
    EXPECT_EQ(summary.ShownValue(ItemProperty).rect.left, 78);
    EXPECT_EQ(summary.ShownValue(ItemProperty).text, "12 Smith Street,\u2026");
    // Narrower, the address moves right to clear its caption: at 120 it would start at 18.
    summary.Layout(120, 16, 6, kColourWhite);
    summary.Refresh(doc);
    summary.Fit(surface);
    EXPECT_EQ(summary.ShownValue(ItemProperty).rect.left, 69);
    EXPECT_TRUE(summary.IsCut(ItemProperty));
    EXPECT_EQ(summary.values[ItemProperty].text, "12 Smith Street, Toowong");
}

TEST_F(PurchaseView, ANewWidthLaysTheLinesOutAgain) {
    const int c = view.Summary().CharWidth();
    for (int width : {400, 300, 500}) {
        view.resize(width, 400);
        QCoreApplication::processEvents();
        const int right = view.viewport()->width();
        EXPECT_EQ(view.Summary().values[ItemCashDeposit].rect.right, right - c - kScrollBarRoom);
        EXPECT_EQ(view.Summary().labels[ItemCashDeposit].rect.right, 2 * c + right / 2);
    }
}

TEST_F(PurchaseView, TheLineUnderTheMouseIsMarked) {
    const Rect& r = view.Summary().labels[ItemCashDeposit].rect;
    const QPointF at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    EXPECT_EQ(view.HoveredLine(), ItemCashDeposit);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(view.viewport(), &leave);
    EXPECT_EQ(view.HoveredLine(), -1);
}
