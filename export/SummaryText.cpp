#include "export/SummaryText.h"

#include <algorithm>
#include <string>

#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "model/Law.h"
#include "model/Scales.h"

const std::array<SummaryRowStyle, kSummaryRows> kSummaryRowStyles = {{
    {"Property:", true, "a", false},
    {"Property value:", false, "$0,m", false},
    {"Purchase costs:", false, "$0,m", false},
    {"Cash deposit:", false, "$0,m", false},
    {"Rent/year:", false, "$#,m", false},
    {"Expenses:", false, "$#,m", false},
    {"Depreciation:", false, "$0,m", false},
    {"Loan details:", true, "$0,m", false},
    {"Interest rate:", false, "%0.00", false},
    {"Loan costs:", false, "$0,m", false},
    {"Investor details:", true, "a", false},
    {"Results", true, "a", false},
    {"Tax savings:", false, "$0,m(", false},
    {"Cash flow / yr:", false, "$0,m(", false},
    {"Cash flow / wk:", false, "$0,m(", true},
    {"Projections", true, "a", false},
    {"Internal rate of return:", false, "%0.00", true},
    {"Net present value:", false, "$0,m(", false},
    {"Average cash flow /wk:", false, "$0,m(", true},
}};

std::string ScalesInForce(const Investment& doc, const Scales& scales) {
    auto trimmed = [](std::string_view name) {
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        return std::string(name);
    };
    std::string duty;
    switch (scales.duty.Location) {
    case kDutyLocationNone: duty = "no stamp duty"; break;
    case kDutyLocationCustom: duty = "custom stamp duty"; break;
    default: duty = trimmed(DutyLocationName(scales.duty.Location)) + " duty";
    }
    const int law = std::clamp(doc.TaxLaw, 0, 2);
    if (law != kOneScaleForEveryYear)
        return duty + ", " + std::string(kTaxLawNames[static_cast<std::size_t>(law)]) + " from " +
               MonthText(PurchaseDate(doc));
    switch (scales.tax.Location) {
    case kTaxLocationNone: return duty + ", no income tax";
    case kTaxLocationCustom: return duty + ", custom income tax";
    default: return duty + ", " + trimmed(TaxLocationName(scales.tax.Location)) + " income tax";
    }
}

bool IsTitleRow(int row) { return row == ItemResults || row == ItemProjections; }

std::array<SummaryLine, kSummaryRows> SummaryLines(const Investment& doc) {
    std::array<SummaryLine, kSummaryRows> lines;
    for (int row = 0; row < kSummaryRows; ++row) lines[row].label = kSummaryRowStyles[row].caption;
    auto number = [&lines](int row, double value) {
        lines[row].value = FormatValue(value, ParseFormat(kSummaryRowStyles[row].format));
    };
    auto clickHere = [&lines](int row) {
        lines[row].value = "Click here";
        lines[row].clickHere = true;
    };
    lines[ItemProperty].value = ToUtf8(doc.Address);

    if (doc.TotalCost == 0.0) {
        // Nothing entered yet: point the user at the first thing to fill in.
        lines[ItemRent].label = "Rent:";
        lines[ItemLoanType].label = "Loan type:";
        clickHere(ItemPropertyValue);
        if (doc.AnnualRent == 0.0) clickHere(ItemRent);
        return lines;
    }

    std::string rent = "Rent (" + FormatValue(doc.Rent, "$0,m");
    switch (doc.PeriodsPerYear) {
    case 52: rent += " / wk):"; break;
    case 26: rent += "/fortnight):"; break;
    case 12: rent += " / mth):"; break;
    case 1: rent += " / yr):"; break;
    default: break;
    }
    lines[ItemRent].label = rent;

    number(ItemPropertyValue, doc.MarketValue);
    number(ItemPurchaseCosts, doc.PurchaseCosts);
    number(ItemCashDeposit, doc.CashDeposit);
    if (doc.AnnualRent == 0.0) clickHere(ItemRent);
    else number(ItemRent, doc.At(Row::RentReceived, 0));

    number(ItemExpenses, doc.At(Row::ExpensesPaid, 0));
    if (doc.CalcExpenses) lines[ItemExpenses].label = "Expenses (" + FormatValue(doc.ExpensesPC, "0.00%") + "):";

    number(ItemDepreciation, doc.Depreciation);
    number(ItemLoanDetails, doc.LoanAmount);
    if (doc.LoanAmount < 0.0001) {
        lines[ItemLoanType].label = "Loan type (none)";
        lines[ItemLoanCosts].label = "Loan costs (none)";
    } else {
        number(ItemLoanType, doc.RateInterest);
        // Any type but principal and interest runs interest only, as the projection does.
        const int io = std::clamp(doc.InterestOnlyYears, 0, kTableColumns);
        if (doc.LoanType != 1)
            lines[ItemLoanType].label = "Loan type (I/O)";
        else if (io > 0 && io < doc.LoanTerm)
            // Interest only first, then principal and interest over the rest of the term.
            lines[ItemLoanType].label = "Loan (IO " + std::to_string(io) + " yrs, then P&I " +
                                        std::to_string(doc.LoanTerm - io) + " yrs):";
        else
            lines[ItemLoanType].label = "Loan type (P&I - " + FormatValue(doc.LoanTerm, "0y") + "):";
        lines[ItemLoanCosts].label = "Loan costs (w/o " + FormatValue(doc.LCYears, "0y") + "s):";
        number(ItemLoanCosts, doc.LoanCosts);
    }

    lines[ItemInvestor].value = doc.NamesOnTitle == 2 ? "Joint names" : "Single name";
    lines[ItemResults].label = "Results for year " + FormatValue(doc.ShowYear, "0");
    lines[ItemProjections].label = "Projections over " + FormatValue(doc.ProjectionYear, "0") + " years";

    // The record keeps ShowYear in 1..40; a column outside the table is never read.
    const int column = std::clamp(doc.ShowYear, 1, kTableColumns) - 1;
    number(ItemIRR, doc.IRR);
    number(ItemNPV, doc.NPV);
    number(ItemTaxSavings, doc.At(Row::TaxSaving, column));
    number(ItemCashFlowYear, doc.At(Row::AfterTaxCash, column));
    number(ItemCashFlowWeek, ScaledValue(doc.At(Row::AfterTaxCash, column), 1.0 / 52.0));
    number(ItemAverageCashFlow, doc.AvgCashFlowWeek);
    return lines;
}

std::string PlainLabel(const Investment& doc, int row, const std::string& label) {
    // Before the first entry the lines carry their plain captions.
    if (doc.TotalCost == 0.0) return label;
    switch (row) {
    case ItemRent:
        switch (doc.PeriodsPerYear) {
        case 52: return "Rent (" + FormatValue(doc.Rent, "$0,") + " a week), first year:";
        case 26: return "Rent (" + FormatValue(doc.Rent, "$0,") + " a fortnight), first year:";
        case 12: return "Rent (" + FormatValue(doc.Rent, "$0,") + " a month), first year:";
        case 1: return "Rent (" + FormatValue(doc.Rent, "$0,") + " a year), first year:";
        default: return label;
        }
    case ItemExpenses:
        return doc.CalcExpenses ? "Expenses (" + FormatValue(doc.ExpensesPC, "0.00%") + " of the rent):"
                                : label;
    case ItemLoanType: {
        if (doc.LoanAmount < 0.0001) return label;
        if (doc.LoanType != 1) return "Interest rate, interest only:";
        const std::string term = FormatValue(doc.LoanTerm, "0") + "-year term";
        if (doc.InterestOnlyYears > 0)
            return "Interest rate, interest only for " + FormatValue(doc.InterestOnlyYears, "0") +
                   " years, then principal and interest (" + term + "):";
        return "Interest rate, principal and interest (" + term + "):";
    }
    case ItemLoanCosts:
        return doc.LoanAmount < 0.0001
                   ? label
                   : "Loan costs, written off over " + FormatValue(doc.LCYears, "0") + " years:";
    case ItemCashFlowYear: return "Cash flow after tax for the year:";
    case ItemCashFlowWeek: return "Cash flow after tax a week:";
    case ItemNPV: return "Net present value, discounted at " + FormatValue(doc.RateInfl, "0.00%") + " a year:";
    case ItemAverageCashFlow: return "Average cash flow after tax a week:";
    default: return label;
    }
}
