#include "ui/shell/SummaryLayout.h"

#include <algorithm>

#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "persist/Settings.h"

namespace {

constexpr int kNormal = 0;
constexpr int kBold = 1;

struct RowSetup {
    const char* caption;
    int labelFont;
    const char* format;
    int valueFont;
};

// Label captions, value formats and fonts of the 19 rows (row number = item type).
constexpr RowSetup kRowSetup[kSummaryRows] = {
    {"Property:", kBold, "a", kNormal},
    {"Property value:", kNormal, "$0,m", kNormal},
    {"Purchase costs:", kNormal, "$0,m", kNormal},
    {"Cash deposit:", kNormal, "$0,m", kNormal},
    {"Rent/year:", kNormal, "$#,m", kNormal},
    {"Expenses:", kNormal, "$#,m", kNormal},
    {"Depreciation:", kNormal, "$0,m", kNormal},
    {"Loan details:", kBold, "$0,m", kNormal},
    {"Interest rate:", kNormal, "%0.00", kNormal},
    {"Loan costs:", kNormal, "$0,m", kNormal},
    {"Investor details:", kBold, "a", kNormal},
    {"Results", kBold, "a", kNormal},
    {"Tax savings:", kNormal, "$0,m(", kNormal},
    {"Cash flow / yr:", kNormal, "$0,m(", kNormal},
    {"Cash flow / wk:", kNormal, "$0,m(", kBold},
    {"Projections", kBold, "a", kNormal},
    {"Internal rate of return:", kNormal, "%0.00", kBold},
    {"Net present value:", kNormal, "$0,m(", kNormal},
    {"Average cash flow /wk:", kNormal, "$0,m(", kBold},
};

constexpr const char* kClickHere = "Click here";

void ShowClickHere(GridCell& cell) {
    cell.text = kClickHere;
    cell.textColour = kColourBlue;
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
        SetupCell(label, "a", kRowSetup[i].labelFont, kRowSetup[i].caption);
        SetupCell(value, kRowSetup[i].format, kRowSetup[i].valueFont);
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

void SummaryLayout::Refresh(const CVELPPCDoc& doc) {
    values[ItemProperty].text = ToUtf8(doc.Address);

    if (doc.TotalCost == 0.0) {
        // Nothing entered yet: point the user at the first thing to fill in.
        labels[ItemRent].text = "Rent:";
        labels[ItemExpenses].text = "Expenses:";
        labels[ItemLoanType].text = "Loan type:";
        labels[ItemLoanCosts].text = "Loan costs:";
        labels[ItemResults].text = "Results";
        labels[ItemProjections].text = "Projections";
        ShowClickHere(values[ItemPropertyValue]);
        for (int row = ItemPurchaseCosts; row < kSummaryRows; ++row) values[row].text.clear();
        if (doc.AnnualRent == 0.0) ShowClickHere(values[ItemRent]);
        return;
    }

    std::string rent = "Rent (" + FormatValue(doc.Rent, "$0,m");
    switch (doc.PeriodsPerYear) {
    case 52: rent += " / wk):"; break;
    case 26: rent += "/fortnight):"; break;
    case 12: rent += " / mth):"; break;
    case 1: rent += " / yr):"; break;
    default: break;
    }
    labels[ItemRent].text = rent;

    SetCellValue(values[ItemPropertyValue], doc.MarketValue);
    values[ItemPropertyValue].textColour = kColourBlack;
    SetCellValue(values[ItemPurchaseCosts], doc.PurchaseCosts);
    SetCellValue(values[ItemCashDeposit], doc.CashDeposit);

    if (doc.AnnualRent == 0.0) {
        ShowClickHere(values[ItemRent]);
    } else {
        SetCellValue(values[ItemRent], doc.At(Row::RentReceived, 0));
        values[ItemRent].textColour = kColourBlack;
    }

    SetCellValue(values[ItemExpenses], doc.At(Row::ExpensesPaid, 0));
    labels[ItemExpenses].text =
        doc.CalcExpenses ? "Expenses (" + FormatValue(doc.ExpensesPC, "0.00%") + "):"
                         : std::string("Expenses:");

    SetCellValue(values[ItemDepreciation], doc.Depreciation);
    SetCellValue(values[ItemLoanDetails], doc.LoanAmount);
    SetCellValue(values[ItemLoanType], doc.RateInterest);

    if (doc.LoanAmount < 0.0001) {
        labels[ItemLoanType].text = "Loan type (none)";
        labels[ItemLoanCosts].text = "Loan costs (none)";
        values[ItemLoanType].text.clear();
        values[ItemLoanCosts].text.clear();
    } else {
        if (doc.LoanType == 0)
            labels[ItemLoanType].text = "Loan type (I/O)";
        else if (doc.LoanType == 1)
            labels[ItemLoanType].text = "Loan type (P&I - " + FormatValue(doc.LoanTerm, "0y") + "):";
        labels[ItemLoanCosts].text = "Loan costs (w/o " + FormatValue(doc.LCYears, "0y") + "s):";
        SetCellValue(values[ItemLoanCosts], doc.LoanCosts);
    }

    if (doc.NamesOnTitle == 1) values[ItemInvestor].text = "Single name";
    else if (doc.NamesOnTitle == 2) values[ItemInvestor].text = "Joint names";

    labels[ItemResults].text = "Results for year " + FormatValue(doc.ShowYear, "0");
    labels[ItemProjections].text =
        "Projections over " + FormatValue(doc.ProjectionYear, "0") + " years";

    // The record keeps ShowYear in 1..40; a column outside the table is never read.
    const int column = std::clamp(doc.ShowYear, 1, kTableColumns) - 1;
    SetCellValue(values[ItemIRR], doc.IRR);
    SetCellValue(values[ItemNPV], doc.NPV);
    SetCellValue(values[ItemTaxSavings], doc.At(Row::TaxSaving, column));
    SetCellValue(values[ItemCashFlowYear], doc.At(Row::AfterTaxCash, column));
    SetCellValue(values[ItemCashFlowWeek], ScaledValue(doc.At(Row::AfterTaxCash, column), 1.0 / 52.0));
    SetCellValue(values[ItemAverageCashFlow], doc.AvgCashFlowWeek);
}

void SummaryLayout::Draw(Surface& surface, int scrollX, int scrollY) const {
    DrawCells(labels, kSummaryRows, surface, -scrollX, -scrollY);
    DrawCells(values, kSummaryRows, surface, -scrollX, -scrollY);
}

void SummaryLayout::Paint(Surface& surface, const Rect& client, ColourValue background,
                          const CVELPPCDoc& doc, int scrollX, int scrollY) {
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
