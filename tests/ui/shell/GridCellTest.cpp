// What a cell holds after set-up and a value, and what it draws.
#include <gtest/gtest.h>

#include "format/Format.h"
#include "persist/Settings.h"
#include "ui/shell/GridCell.h"
#include "ui/shell/RecordingSurface.h"

namespace {

using Kind = RecordingSurface::Kind;

const FontSpec kFonts[2] = {{"Arial", 15, 400}, {"Arial", 15, 700}};

GridCell ValueCell(std::string_view format) {
    GridCell cell;
    cell.rect = {10, 20, 110, 35};
    cell.backgroundColour = 0x00FFFFDC;
    cell.fontTable = kFonts;
    cell.fontCount = 2;
    SetupCell(cell, format, 1);
    return cell;
}

} // namespace

TEST(GridCell, SetupShowsTheCellAndKeepsRectangleAndColours) {
    GridCell cell;
    cell.rect = {1, 2, 3, 4};
    cell.textColour = kColourBlue;
    SetupCell(cell, "$0,m", 1, "caption");
    EXPECT_EQ(cell.hidden, 0);
    EXPECT_EQ(cell.flags, ParseFormat("$0,m"));
    EXPECT_EQ(cell.fontIndex, 1);
    EXPECT_EQ(cell.text, "caption");
    EXPECT_EQ(cell.rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(cell.textColour, kColourBlue);
    SetupCell(cell, "a", 0);
    EXPECT_EQ(cell.flags, 0u);
    EXPECT_EQ(cell.text, "");
}

TEST(GridCell, ValuesReachOnlyVisibleNumericCells) {
    GridCell caption = ValueCell("a");
    caption.text = "Single name";
    SetCellValue(caption, 5);
    EXPECT_EQ(caption.text, "Single name");

    GridCell hidden = ValueCell("$0,m");
    hidden.text = "old";
    hidden.hidden = 1;
    SetCellValue(hidden, 5);
    EXPECT_EQ(hidden.text, "old");

    GridCell number = ValueCell("$0,m");
    SetCellValue(number, 1234.6);
    EXPECT_EQ(number.text, FormatValue(1234.6, "$0,m"));
}

TEST(GridCell, DrawFillsThenWritesWithItsFontAndRestoresTheSurfaceFont) {
    GridCell cell = ValueCell("$0,m");
    cell.alignment = 2;
    SetCellValue(cell, 300000);
    RecordingSurface surface;
    surface.font = {"Tahoma", 11, 400};
    DrawCell(cell, surface, -3, -7);

    ASSERT_EQ(surface.calls.size(), 2u);
    const auto& fill = surface.calls[0];
    EXPECT_EQ(fill.kind, Kind::Fill);
    EXPECT_EQ(fill.rect, (Rect{7, 13, 107, 28}));
    EXPECT_EQ(fill.colour, 0x00FFFFDCu);
    const auto& text = surface.calls[1];
    EXPECT_EQ(text.kind, Kind::Text);
    EXPECT_EQ(text.rect, (Rect{7, 13, 107, 28}));
    EXPECT_EQ(text.text, "$300,000");
    EXPECT_EQ(text.align, TextAlign::Right);
    EXPECT_EQ(text.colour, kColourBlack);
    EXPECT_TRUE(text.opaque);
    EXPECT_EQ(text.background, 0x00FFFFDCu);
    EXPECT_EQ(text.font, kFonts[1]);
    EXPECT_EQ(surface.font, (FontSpec{"Tahoma", 11, 400}));
}

TEST(GridCell, NegativeNumbersTakeTheNegativeColourCaptionsNever) {
    RecordingSurface surface;
    GridCell minus = ValueCell("$0,m");
    SetCellValue(minus, -1234.6);
    GridCell parens = ValueCell("$0,m(");
    SetCellValue(parens, -1234.6);
    GridCell caption = ValueCell("a");
    caption.text = "Loan type (P&I - 25yr):";
    GridCell none = ValueCell("$0,m");
    SetCellValue(none, NoValue);
    for (const GridCell* cell : {&minus, &parens, &caption, &none}) DrawCell(*cell, surface, 0, 0);

    const auto texts = surface.Texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "$-1,235");
    EXPECT_EQ(texts[1], "($1,235)");
    EXPECT_EQ(texts[3], "?????");
    std::vector<ColourValue> colours;
    for (const auto& call : surface.calls)
        if (call.kind == Kind::Text) colours.push_back(call.colour);
    EXPECT_EQ(colours, (std::vector<ColourValue>{kColourRed, kColourRed, kColourBlack, kColourBlack}));
}

TEST(GridCell, EmptyCellIsStillFilledAndHiddenCellDrawsNothing) {
    RecordingSurface surface;
    GridCell empty = ValueCell("$#,m");
    DrawCell(empty, surface, 0, 0);
    ASSERT_EQ(surface.calls.size(), 1u);
    EXPECT_EQ(surface.calls[0].kind, Kind::Fill);

    surface.calls.clear();
    GridCell hidden = ValueCell("$0,m");
    hidden.text = "x";
    hidden.hidden = 1;
    DrawCell(hidden, surface, 0, 0);
    EXPECT_TRUE(surface.calls.empty());
}

TEST(GridCell, DrawCellsGoesInIndexOrderSkippingHiddenCells) {
    GridCell cells[3] = {ValueCell("a"), ValueCell("a"), ValueCell("a")};
    cells[0].text = "first";
    cells[1].text = "second";
    cells[1].hidden = 1;
    cells[2].text = "third";
    RecordingSurface surface;
    DrawCells(cells, 3, surface, 0, 0);
    EXPECT_EQ(surface.Texts(), (std::vector<std::string>{"first", "third"}));
}

TEST(GridCell, AutomaticBackgroundIsThePlatformWindowColour) {
    GridCell cell = ValueCell("a");
    cell.backgroundColour = kAutomaticColour;
    cell.text = "x";
    RecordingSurface surface;
    DrawCell(cell, surface, 0, 0);
    EXPECT_EQ(surface.calls[0].colour, surface.System(SystemColour::Window));
    EXPECT_EQ(surface.calls[1].background, surface.System(SystemColour::Window));
}

TEST(GridCell, FontIndexOutsideTheTableKeepsTheSurfaceFont) {
    GridCell cell = ValueCell("a");
    cell.fontIndex = 5;
    cell.text = "x";
    RecordingSurface surface;
    surface.font = {"Tahoma", 11, 400};
    DrawCell(cell, surface, 0, 0);
    EXPECT_EQ(surface.calls[1].font, (FontSpec{"Tahoma", 11, 400}));
}
