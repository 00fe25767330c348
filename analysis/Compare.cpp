#include "analysis/Compare.h"

#include <algorithm>
#include <sstream>

#include "format/Format.h"
#include "format/Text.h"
#include "model/Assumptions.h"
#include "model/Law.h"
#include "model/Returns.h"
#include "persist/InvestmentFile.h"

namespace {

constexpr std::string_view kMoney = "$0,m(";
constexpr std::string_view kRate = "%0.00";
constexpr std::string_view kYears = "0";

struct RowDefinition {
    std::string_view key, label, format;
    Better better;
    bool afterSale;
    double (*value)(const Investment&);
};

double ShownYearCell(const Investment& d, Row row) {
    return d.At(row, std::clamp(d.ShowYear, 1, kTableColumns) - 1);
}

// Every row but the address and the loan type, which are texts.
const RowDefinition kRows[] = {
    {"price", "Price", kMoney, Better::None, false, [](const Investment& d) { return d.Price; }},
    {"marketValue", "Property value", kMoney, Better::None, false,
     [](const Investment& d) { return d.MarketValue; }},
    {"purchaseCosts", "Purchase costs", kMoney, Better::None, false,
     [](const Investment& d) { return d.PurchaseCosts; }},
    {"totalCost", "Total cost", kMoney, Better::None, false,
     [](const Investment& d) { return d.TotalCost; }},
    {"cashDeposit", "Cash deposit", kMoney, Better::None, false,
     [](const Investment& d) { return d.CashDeposit; }},
    {"loanAmount", "Loan amount", kMoney, Better::None, false,
     [](const Investment& d) { return d.LoanAmount; }},
    {"interestRate", "Interest rate", kRate, Better::None, false,
     [](const Investment& d) { return d.RateInterest; }},
    {"weeklyRent", "Rent / wk", kMoney, Better::None, false,
     [](const Investment& d) { return d.Rent * d.PeriodsPerYear / 52.0; }},
    {"rentYear", "Rent / yr", kMoney, Better::None, false,
     [](const Investment& d) { return d.At(Row::RentReceived, 0); }},
    {"expensesYear", "Expenses / yr", kMoney, Better::None, false,
     [](const Investment& d) { return d.At(Row::ExpensesPaid, 0); }},
    {"grossYield", "Gross yield", kRate, Better::Higher, false,
     [](const Investment& d) { return d.GrossYield; }},
    {"netYield", "Net yield", kRate, Better::Higher, false,
     [](const Investment& d) { return d.NetYield; }},
    {"capitalGrowth", "Capital growth", kRate, Better::None, false,
     [](const Investment& d) { return d.RateGrowth; }},
    {"inflation", "Inflation", kRate, Better::None, false,
     [](const Investment& d) { return d.RateInfl; }},
    {"resultsYear", "Results for year", kYears, Better::None, false,
     [](const Investment& d) { return static_cast<double>(d.ShowYear); }},
    {"taxSavings", "Tax savings", kMoney, Better::None, false,
     [](const Investment& d) { return ShownYearCell(d, Row::TaxSaving); }},
    {"cashFlowYear", "Cash flow / yr", kMoney, Better::Higher, false,
     [](const Investment& d) { return ShownYearCell(d, Row::AfterTaxCash); }},
    {"cashFlowWeek", "Cash flow / wk", kMoney, Better::Higher, false,
     [](const Investment& d) { return ScaledValue(ShownYearCell(d, Row::AfterTaxCash), 1.0 / 52.0); }},
    {"projectionYears", "Projection years", kYears, Better::None, false,
     [](const Investment& d) { return static_cast<double>(d.ProjectionYear); }},
    {"irr", "Internal rate of return", kRate, Better::Higher, false,
     [](const Investment& d) { return d.IRR; }},
    {"npv", "Net present value", kMoney, Better::Higher, false,
     [](const Investment& d) { return d.NPV; }},
    {"avgCashFlowWeek", "Average cash flow / wk", kMoney, Better::Higher, false,
     [](const Investment& d) { return d.AvgCashFlowWeek; }},
    {"salePrice", "Sale price", kMoney, Better::None, true,
     [](const Investment& d) { return d.SalePrice; }},
    {"saleCosts", "Cost of selling", kMoney, Better::None, true,
     [](const Investment& d) { return d.SaleCosts; }},
    {"capitalGain", "Capital gain", kMoney, Better::None, true,
     [](const Investment& d) { return d.CapitalGain; }},
    {"saleTax", "Capital gains tax", kMoney, Better::None, true,
     [](const Investment& d) { return d.SaleTax; }},
    {"valueAfterSale", "Value after sale", kMoney, Better::Higher, true,
     [](const Investment& d) { return d.ValueAfterSale; }},
    {"irrAfterSale", "IRR after sale", kRate, Better::Higher, true,
     [](const Investment& d) { return d.IRRAfterSale; }},
    {"npvAfterSale", "NPV after sale", kMoney, Better::Higher, true,
     [](const Investment& d) { return d.NPVAfterSale; }},
};

void MarkBest(CompareRow& row) {
    row.best.assign(row.values.size(), 0);
    if (row.better == Better::None) return;
    const bool higher = row.better == Better::Higher;
    int valued = 0;
    double best = 0;
    for (double v : row.values) {
        if (IsNoValue(v)) continue;
        if (valued == 0 || (higher ? v > best : v < best)) best = v;
        ++valued;
    }
    if (valued < 2) return;
    int marked = 0;
    for (std::size_t i = 0; i < row.values.size(); ++i)
        if (!IsNoValue(row.values[i]) && row.values[i] == best) {
            row.best[i] = 1;
            ++marked;
        }
    if (marked == static_cast<int>(row.values.size())) row.best.assign(row.values.size(), 0);
}

} // namespace

ComparedInvestment Compared(std::string name, const Investment& doc, const Scales& scales) {
    ComparedInvestment c;
    c.name = std::move(name);
    c.scales = scales;
    c.doc = std::make_shared<Investment>(doc);
    c.doc->Recalculate(c.scales.duty, c.scales.tax);
    c.ok = true;
    return c;
}

ComparedInvestment ReadCompared(const std::string& path) {
    ComparedInvestment c;
    c.name = path;
    std::string bytes, reason;
    if (!ReadInvestmentFileBytes(path, bytes, reason)) {
        c.error = "The file could not be opened. " + reason;
        return c;
    }
    std::istringstream in(std::move(bytes), std::ios::binary);
    auto doc = std::make_shared<Investment>();
    MessageList sink;
    if (!ReadInvestment(*doc, c.scales.duty, c.scales.tax, in, &sink, path)) {
        c.error = sink.texts.empty() ? std::string("The file is not a complete investment.")
                                     : sink.texts.back();
        return c;
    }
    c.messages = std::move(sink.texts);
    c.doc = std::move(doc);
    c.ok = true;
    return c;
}

Comparison Compare(const std::vector<ComparedInvestment>& investments) {
    Comparison out;
    std::vector<const Investment*> docs;
    for (const ComparedInvestment& c : investments) {
        if (!c.ok || !c.doc) continue;
        out.names.push_back(c.name);
        docs.push_back(c.doc.get());
        out.rates.push_back(HoldingRates(*c.doc));
    }

    CompareRow address{"address", "Property", "", Better::None, false, {}, {}, {}};
    CompareRow loanType{"loanType", "Loan type", "", Better::None, false, {}, {}, {}};
    for (const Investment* d : docs) {
        address.texts.push_back(ToUtf8(d->Address));
        loanType.texts.push_back(d->LoanType == 1 ? "Principal & Interest" : "Interest Only");
        address.values.push_back(NoValue);
        loanType.values.push_back(NoValue);
    }
    address.best.assign(docs.size(), 0);
    loanType.best.assign(docs.size(), 0);
    out.rows.push_back(std::move(address));
    // The law each is taxed under, once any of them sets the law of the years.
    if (std::any_of(docs.begin(), docs.end(), [](const Investment* d) { return SetsTheLaw(*d); })) {
        CompareRow law{"taxLaw", "Tax law", "", Better::None, false, {}, {}, {}};
        for (const Investment* d : docs) {
            law.texts.push_back(LawDescription(*d));
            law.values.push_back(NoValue);
        }
        law.best.assign(docs.size(), 0);
        out.rows.push_back(std::move(law));
    }

    for (const RowDefinition& def : kRows) {
        CompareRow row{def.key, def.label, def.format, def.better, def.afterSale, {}, {}, {}};
        for (const Investment* d : docs) {
            // Nothing bought: the record keeps no results.
            const bool results = def.better != Better::None || def.afterSale;
            row.values.push_back(results && d->TotalCost < 0.00001 ? NoValue : def.value(*d));
        }
        MarkBest(row);
        out.rows.push_back(std::move(row));
        if (def.key == "interestRate") out.rows.push_back(loanType);
    }
    return out;
}
