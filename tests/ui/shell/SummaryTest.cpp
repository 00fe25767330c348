// The summary: layout of the cells, texts and colours made from the investment, the hit
// test, and the view's routing of taps and commands.
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QKeyEvent>
#include <QAccessible>
#include <gtest/gtest.h>

#include "format/Format.h"
#include "model/Investment.h"
#include "export/SummaryText.h"
#include "model/Scales.h"
#include "model/Law.h"
#include "persist/Defaults.h"
#include "ui/charts/ChartKind.h"
#include "ui/shell/RecordingSurface.h"
#include "ui/shell/SummaryLayout.h"
#include "ui/shell/SummaryView.h"

#include "ShellTestSupport.h"

namespace {

constexpr int kW = 240, kH = 16, kC = 6;
constexpr ColourValue kBg = 0x00FFFFDC;

class SummaryTest : public ::testing::Test {
protected:
    Scales scales;
    SummaryTest() { summary.Layout(kW, kH, kC, kBg); }

    // The texts that drawing shows, row by row.
    std::string Label(int row) const { return summary.labels[row].text; }
    std::string Value(int row) const { return summary.values[row].text; }

    ColoursGuard guard;
    SummaryLayout summary;
    Investment doc;
};

ColourValue DrawnColour(const RecordingSurface& surface, const std::string& text) {
    for (const auto& call : surface.calls)
        if (call.kind == RecordingSurface::Kind::Text && call.text == text) return call.colour;
    ADD_FAILURE() << "not drawn: " << text;
    return 0xFFFFFFFF;
}

} // namespace

TEST_F(SummaryTest, LayoutPlacesLabelsAndValuesSideBySide) {
    for (int i : {1, 5, 18}) {
        EXPECT_EQ(summary.labels[i].rect, (Rect{kC, i * kH, 2 * kC + kW / 2, (i + 1) * kH}));
        EXPECT_EQ(summary.values[i].rect, (Rect{3 * kC + kW / 2, i * kH, kW - kC - 16, (i + 1) * kH}));
        EXPECT_EQ(summary.labels[i].alignment, 0u);
        EXPECT_EQ(summary.values[i].alignment, 2u);
        EXPECT_EQ(summary.values[i].backgroundColour, kBg);
        EXPECT_EQ(summary.labels[i].backgroundColour, kBg);
    }
    // Headings stand out by half a character.
    for (int i : {0, 7, 10}) EXPECT_EQ(summary.labels[i].rect.left, kC - kC / 2);
    // Titles span the row, centred, without value.
    for (int i : {11, 15}) {
        EXPECT_EQ(summary.labels[i].rect.right, kW - kC - 16);
        EXPECT_EQ(summary.labels[i].alignment, 1u);
        EXPECT_EQ(summary.values[i].hidden, 1);
    }
    // The address starts ten characters inside its label, left-aligned.
    EXPECT_EQ(summary.values[0].rect.left, 3 * kC + kW / 2 - 10 * kC);
    EXPECT_EQ(summary.values[0].alignment, 0u);
    // Headings, titles and the weekly results are bold.
    EXPECT_EQ(summary.labels[10].fontIndex, 1);
    EXPECT_EQ(summary.labels[9].fontIndex, 0);
    EXPECT_EQ(summary.values[18].fontIndex, 1);
    EXPECT_EQ(summary.values[17].fontIndex, 0);
}

TEST_F(SummaryTest, NewInvestmentShowsClickHereInBlueAndNothingElse) {
    MemorySettingsStore store;
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    RecordingSurface surface;
    summary.Paint(surface, {0, 0, kW, 320}, kBg, doc, 0, 0);

    EXPECT_EQ(Value(0), "");
    EXPECT_EQ(Value(1), "Click here");
    EXPECT_EQ(Value(4), "Click here");
    for (int row : {2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 14, 16, 17, 18}) EXPECT_EQ(Value(row), "") << row;
    EXPECT_EQ(Label(4), "Rent:");
    EXPECT_EQ(Label(5), "Expenses:");
    EXPECT_EQ(Label(8), "Loan type:");
    EXPECT_EQ(Label(9), "Loan costs:");
    EXPECT_EQ(Label(11), "Results");
    EXPECT_EQ(Label(15), "Projections");
    EXPECT_EQ(summary.values[1].textColour, kColourBlue);
    EXPECT_EQ(DrawnColour(surface, "Click here"), kColourBlue);
    EXPECT_EQ(DrawnColour(surface, "Property:"), kColourBlack);
    // The background first, then 19 labels, then 17 values (two are hidden): each cell fills
    // its rectangle and draws its text, if any, clipped to it.
    using K = RecordingSurface::Kind;
    ASSERT_FALSE(surface.calls.empty());
    EXPECT_EQ(surface.calls[0].kind, K::Fill);
    EXPECT_EQ(surface.calls[0].rect, (Rect{0, 0, kW, 320}));
    EXPECT_EQ(surface.calls[0].colour, kBg);
    std::size_t at = 1;
    int labels = 0, values = 0;
    auto expectCell = [&](const GridCell& cell) {
        ASSERT_LT(at, surface.calls.size());
        EXPECT_EQ(surface.calls[at].kind, K::Fill);
        EXPECT_EQ(surface.calls[at].rect, cell.rect);
        EXPECT_EQ(surface.calls[at].colour, kBg);
        ++at;
        if (cell.text.empty()) return;
        ASSERT_LT(at, surface.calls.size());
        EXPECT_EQ(surface.calls[at].kind, K::Text);
        EXPECT_EQ(surface.calls[at].text, cell.text);
        EXPECT_EQ(surface.calls[at].rect, cell.rect);
        EXPECT_EQ(surface.calls[at].clip, std::optional<Rect>(cell.rect));
        ++at;
    };
    // As fitted to the width: a caption with no value beside it may take the value's room.
    for (int row = 0; row < kSummaryRows; ++row) {
        expectCell(summary.ShownLabel(row));
        ++labels;
    }
    for (int row = 0; row < kSummaryRows; ++row) {
        if (summary.ShownValue(row).hidden) continue;
        expectCell(summary.ShownValue(row));
        ++values;
    }
    EXPECT_EQ(labels, 19);
    EXPECT_EQ(values, 17);
    EXPECT_EQ(at, surface.calls.size());
}

// A long address is drawn inside its cell, never over the value column's right edge.
TEST_F(SummaryTest, LongTextsAreClippedToTheirCell) {
    SetUpWorkedExample(doc);
    doc.Address = std::u16string(200, u'W');
    RecordingSurface surface;
    summary.Paint(surface, {0, 0, kW, 320}, kBg, doc, 0, 0);
    for (const auto& call : surface.calls) {
        if (call.kind != RecordingSurface::Kind::Text) continue;
        ASSERT_TRUE(call.clip.has_value()) << call.text;
        EXPECT_LE(call.clip->right, kW - kC - 16) << call.text;
    }
}

TEST_F(SummaryTest, WorkedExampleTextsAndColours) {
    SetUpWorkedExample(doc);
    RecordingSurface surface;
    summary.Paint(surface, {0, 0, kW, 320}, kBg, doc, 0, 0);

    EXPECT_EQ(Value(1), "$300,000");
    EXPECT_EQ(Value(2), "$9,925");
    EXPECT_EQ(Value(3), "$15,496");
    EXPECT_EQ(Label(4), "Rent ($350 / wk):");
    EXPECT_EQ(Value(4), "$17,836");
    EXPECT_EQ(Label(5), "Expenses (22.50%):");
    EXPECT_EQ(Value(5), "$4,095");
    EXPECT_EQ(Value(6), "$7,350");
    EXPECT_EQ(Value(7), "$298,845");
    EXPECT_EQ(Label(8), "Loan type (I/O)");
    EXPECT_EQ(Value(8), "8.50%");
    EXPECT_EQ(Label(9), "Loan costs (w/o 5yrs):");
    EXPECT_EQ(Value(9), "$4,416");
    EXPECT_EQ(Value(10), "Single name");
    EXPECT_EQ(Label(11), "Results for year 1");
    EXPECT_EQ(Value(12), "$6,267");
    EXPECT_EQ(Value(13), "($5,394)");
    EXPECT_EQ(Value(14), "($104)");
    EXPECT_EQ(Label(15), "Projections over 10 years");
    // The returns worked out by hand: the ten years' after-tax cash flows average -101.29 a
    // week.
    EXPECT_EQ(Value(16), "13.86%");
    EXPECT_EQ(Value(17), "$75,030");
    EXPECT_EQ(Value(18), "($101)");

    EXPECT_EQ(DrawnColour(surface, "$300,000"), kColourBlack);
    EXPECT_EQ(DrawnColour(surface, "$17,836"), kColourBlack);
    EXPECT_EQ(DrawnColour(surface, "($5,394)"), kColourRed);
    EXPECT_EQ(DrawnColour(surface, "$6,267"), kColourBlack);
}

TEST_F(SummaryTest, RowLabelsFollowTheRecord) {
    SetUpWorkedExample(doc, 1);
    doc.PeriodsPerYear = 26;
    doc.LCYears = 3;
    doc.CalcExpenses = 0;
    doc.NamesOnTitle = 2;
    doc.ShowYear = 3;
    doc.ProjectionYear = 25;
    doc.Recalculate(scales);
    summary.Refresh(doc);
    EXPECT_EQ(Label(4), "Rent ($350/fortnight):");
    EXPECT_EQ(Label(5), "Expenses:");
    EXPECT_EQ(Label(8), "Loan type (P&I - 25yr):");
    EXPECT_EQ(Label(9), "Loan costs (w/o 3yrs):");
    EXPECT_EQ(Value(10), "Joint names");
    EXPECT_EQ(Label(11), "Results for year 3");
    EXPECT_EQ(Label(15), "Projections over 25 years");
    EXPECT_EQ(Value(12), FormatValue(doc.At(Row::TaxSaving, 2), "$0,m("));
    EXPECT_EQ(Value(13), FormatValue(doc.At(Row::AfterTaxCash, 2), "$0,m("));
    EXPECT_EQ(Value(14), FormatValue(doc.At(Row::AfterTaxCash, 2) * (1.0 / 52.0), "$0,m("));

    doc.PeriodsPerYear = 12;
    summary.Refresh(doc);
    EXPECT_EQ(Label(4), "Rent ($350 / mth):");
    doc.PeriodsPerYear = 1;
    summary.Refresh(doc);
    EXPECT_EQ(Label(4), "Rent ($350 / yr):");
    doc.PeriodsPerYear = 7;
    summary.Refresh(doc);
    EXPECT_EQ(Label(4), "Rent ($350");
}

TEST_F(SummaryTest, NoLoanAndNoRent) {
    SetUpWorkedExample(doc);
    doc.CalcDeposit = 0;
    doc.CashDeposit = 1e7;
    doc.Rent = 0;
    doc.Recalculate(scales);
    ASSERT_LT(doc.LoanAmount, 0.0001);
    summary.Refresh(doc);
    EXPECT_EQ(Label(8), "Loan type (none)");
    EXPECT_EQ(Label(9), "Loan costs (none)");
    EXPECT_EQ(Value(8), "");
    EXPECT_EQ(Value(9), "");
    EXPECT_EQ(Value(4), "Click here");
    EXPECT_EQ(summary.values[4].textColour, kColourBlue);
    EXPECT_EQ(Value(5), FormatValue(0, "$#,m")); // a zero under "$#,m" is blank
    EXPECT_EQ(Value(5).find_first_not_of(" "), std::string::npos);

    doc.Rent = 350;
    doc.Recalculate(scales);
    summary.Refresh(doc);
    EXPECT_EQ(Value(4), "$17,836");
    EXPECT_EQ(summary.values[4].textColour, kColourBlack);
}

TEST_F(SummaryTest, AddressAndAnUnknownLoanTypeKeepTheirLabel) {
    SetUpWorkedExample(doc);
    doc.Address = u"12 Smith St, Toowong";
    summary.Refresh(doc);
    EXPECT_EQ(Value(0), "12 Smith St, Toowong");
    doc.LoanType = 7; // never set by the editors; it runs interest only
    summary.Refresh(doc);
    EXPECT_EQ(Label(8), "Loan type (I/O)");
}

// The line above the summary names the scales and the law; the loan's line its interest-only
// years and the principal-and-interest years after them.
TEST_F(SummaryTest, ScalesLawAndLoanYearsAreNamed) {
    SetUpWorkedExample(doc);
    Scales in;
    EXPECT_EQ(ScalesInForce(doc, in), "Qld duty, Australia (06/07) income tax");
    in.duty = ShippedDutyScale(FindDutyLocation("NSW 2025"));
    doc.TaxLaw = kAustraliaByIncomeYear;
    doc.PurchaseYear = 2026;
    doc.PurchaseMonth = 12;
    EXPECT_EQ(ScalesInForce(doc, in), "NSW 2025 duty, Australia by income year from Dec 2026");
    doc.LoanType = 1;
    doc.LoanTerm = 30;
    doc.InterestOnlyYears = 5;
    doc.Recalculate(in);
    summary.Refresh(doc);
    EXPECT_EQ(Label(ItemLoanType), "Loan (IO 5 yrs, then P&I 25 yrs):");
}

TEST_F(SummaryTest, OutOfRangeShowYearReadsNoColumnOutsideTheTable) {
    SetUpWorkedExample(doc);
    doc.ShowYear = 1000;
    summary.Refresh(doc);
    EXPECT_EQ(Value(12), FormatValue(doc.At(Row::TaxSaving, 39), "$0,m("));
    doc.ShowYear = -5;
    summary.Refresh(doc);
    EXPECT_EQ(Value(12), FormatValue(doc.At(Row::TaxSaving, 0), "$0,m("));
}

TEST_F(SummaryTest, DrawingScrollsTheGridLabelsFirst) {
    SetUpWorkedExample(doc);
    summary.Refresh(doc);
    RecordingSurface surface;
    summary.Draw(surface, 5, 2 * kH);
    const auto texts = surface.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Property:");
    EXPECT_EQ(texts.back(), Value(18));
    EXPECT_EQ(surface.calls[0].rect, summary.labels[0].rect.moved(-5, -2 * kH));
}

TEST_F(SummaryTest, HitTestFindsTheRowOfLabelOrValue) {
    EXPECT_EQ(summary.HitTest(kC + 1, 0), 0);
    EXPECT_EQ(summary.HitTest(kC, 3 * kH), 3);              // left and top edges belong
    EXPECT_EQ(summary.HitTest(2 * kC + kW / 2, 3 * kH), -1); // right edge does not
    EXPECT_EQ(summary.HitTest(kW - kC - 17, 5 * kH + kH - 1), 5);
    EXPECT_EQ(summary.HitTest(kW - 10, 11 * kH + 1), -1);    // the scroll bar's room
    EXPECT_EQ(summary.HitTest(kW / 2 + 40, 11 * kH + 1), 11); // the title spans the row
    EXPECT_EQ(summary.HitTest(kC + 1, 19 * kH), -1);
    EXPECT_EQ(summary.HitTest(kC - 2, 7 * kH), 7);            // heading stands out
    EXPECT_EQ(summary.HitTest(kC - 2, 6 * kH), -1);
    summary.labels[2].hidden = 1;
    summary.values[2].hidden = 1;
    EXPECT_EQ(summary.HitTest(kC + 1, 2 * kH), -1);
}

// --- the widget ---

namespace {

class ViewTest : public ::testing::Test {
protected:
    ViewTest() : view(doc, scales, store) {
        NewInvestment(doc, scales, store);
        view.resize(240, 120);
        view.show();
    }

    void Press(QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), view.viewport()->mapToGlobal(QPointF(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &press);
    }
    QPoint CentreOf(const Rect& r) const {
        return {(r.left + r.right) / 2 - view.horizontalScrollBar()->value(),
                (r.top + r.bottom) / 2 - view.verticalScrollBar()->value()};
    }

    ColoursGuard guard;
    MemorySettingsStore store;
    Investment doc;
    Scales scales;
    SummaryView view;
    std::vector<unsigned> opened;
};

} // namespace

TEST_F(ViewTest, TapsOpenTheRowOfTheCellUnderTheStylus) {
    QObject::connect(&view, &SummaryView::itemActivated,
                     [this](unsigned item) { opened.push_back(item); });
    SummaryLayout& summary = view.Summary();
    ASSERT_TRUE(summary.IsLaidOut());
    Press(CentreOf(summary.values[1].rect)); // "Click here" of a new investment
    Press(CentreOf(summary.labels[3].rect));
    EXPECT_EQ(opened, (std::vector<unsigned>{ItemPropertyValue, ItemCashDeposit}));

    // Scrolled down, the point is taken in the scrolled grid.
    ASSERT_GT(view.verticalScrollBar()->maximum(), 0);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    opened.clear();
    Press(CentreOf(summary.labels[18].rect));
    Press(CentreOf(summary.labels[11].rect));
    EXPECT_EQ(opened, (std::vector<unsigned>{ItemAverageCashFlow, ItemResults}));

    opened.clear();
    Press({view.viewport()->width() - 2, 2}); // beside every cell
    EXPECT_TRUE(opened.empty());
}

namespace {
void Key(QWidget& widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}
} // namespace

// The keyboard drives the summary as a click does: Down and Up move between the lines, Enter
// and Space open the line's editor, and each line reads as label and value.
TEST_F(ViewTest, KeyboardMovesBetweenLinesAndOpensThem) {
    QObject::connect(&view, &SummaryView::itemActivated,
                     [this](unsigned item) { opened.push_back(item); });
    SetUpWorkedExample(doc);
    view.setFocus();
    Key(view, Qt::Key_Down);
    EXPECT_EQ(view.CurrentLine(), ItemPropertyValue);
    EXPECT_EQ(view.LineText(ItemPropertyValue), "Property value, $300,000");
    EXPECT_EQ(view.accessibleDescription(), "Property value, $300,000");
    // To assistive technology the summary is a list whose focused item is the keyboard's line.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->childCount(), kSummaryRows);
    QAccessibleInterface* line = list->focusChild();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->role(), QAccessible::ListItem);
    EXPECT_EQ(line->text(QAccessible::Name), "Property value");
    EXPECT_EQ(line->text(QAccessible::Value), "$300,000");
    EXPECT_EQ(list->indexOfChild(line), ItemPropertyValue);
    EXPECT_EQ(list->childAt(line->rect().center().x(), line->rect().center().y()), line);
    Key(view, Qt::Key_Return);
    Key(view, Qt::Key_Down);
    Key(view, Qt::Key_Down);
    Key(view, Qt::Key_Up);
    Key(view, Qt::Key_Space);
    Key(view, Qt::Key_End);
    EXPECT_EQ(view.LineText(ItemAverageCashFlow).left(24), "Average cash flow /wk, (");
    Key(view, Qt::Key_Down); // stays on the last line
    Key(view, Qt::Key_Enter);
    EXPECT_EQ(opened, (std::vector<unsigned>{ItemPropertyValue, ItemPurchaseCosts, ItemAverageCashFlow}));
    EXPECT_EQ(view.LineText(ItemResults), "Results for year 1"); // a title has no value
}

TEST_F(ViewTest, ScrollSizesAreTheRowsAndAPageGoesToTheEnd) {
    const int h = view.Summary().RowHeight();
    EXPECT_EQ(view.verticalScrollBar()->singleStep(), h);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), kSummaryRows * h - view.viewport()->height());
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(ViewTest, AcceptedPreferencesLayTheCellsOutInTheNewColour) {
    constexpr ColourValue kPink = 0x00CCCCFF;
    CurrentColours.BG1Color = kPink;
    EXPECT_NE(view.Summary().values[1].backgroundColour, kPink);
    view.ColoursChanged();
    EXPECT_EQ(view.Summary().values[1].backgroundColour, kPink);
}

TEST_F(ViewTest, BackgroundIsTheInterfaceColourOrThePlatformsForAutomatic) {
    CurrentColours.BG1Color = RGBColour(220, 255, 255);
    view.LayOut();
    QImage image = view.viewport()->grab().toImage();
    const QPoint beside(view.viewport()->width() - 3, 3);
    EXPECT_EQ(image.pixelColor(beside), QColor(220, 255, 255));
    EXPECT_EQ(image.pixelColor(1, 1 + view.Summary().RowHeight()), QColor(220, 255, 255));

    CurrentColours.BG1Color = kAutomaticColour;
    view.LayOut();
    image = view.viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(beside), view.palette().color(QPalette::Base));
    EXPECT_EQ(image.pixelColor(1, 1 + view.Summary().RowHeight()), view.palette().color(QPalette::Base));
}
