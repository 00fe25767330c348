#include "model/Sale.h"

#include <algorithm>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Returns.h"
#include "model/Scales.h"

namespace {

// The tax on a gain added to a year's income.
double TaxOnGain(double income, double gain, const TaxScale& scale) {
    return ComputeIncomeTax(income + gain, scale) - ComputeIncomeTax(income, scale);
}

} // namespace

SaleFigures WorkOutSale(const CVELPPCDoc& doc, int years, const TaxScale& scale) {
    const int p = std::clamp(years, 1, kTableColumns);
    const int last = p - 1;
    SaleFigures s;
    s.price = doc.At(Row::PropertyValue, last);
    s.costs = s.price * doc.SellingCostsPC * 0.01;

    // Capital works deductions claimed reduce the cost base; furniture, fittings and the
    // loan's costs are no part of it.
    double claimed = 0;
    for (int c = 0; c < p; ++c) claimed += doc.At(Row::BuildingDep, c);
    s.costBase = ((doc.Price + doc.PurchaseCosts) + doc.Renovations) - claimed;

    s.gain = (s.price - s.costs) - s.costBase;
    // A capital loss has no tax effect here.
    s.taxableGain = s.gain > 0 ? s.gain * (1 - doc.CGTDiscountPC * 0.01) : 0.0;
    // A rental loss still carried forward reduces what is taxed.
    const double carried = doc.CarriedLossByYear[static_cast<std::size_t>(last)];
    if (carried > 0) s.taxableGain = std::max(0.0, s.taxableGain - carried);

    const double him = doc.TaxableHimByYear[last];
    if (doc.NamesOnTitle == 2) {
        // Each owner is taxed on half of the gain.
        const double half = s.taxableGain * 0.5;
        s.tax = TaxOnGain(him, half, scale) + TaxOnGain(doc.TaxableHerByYear[last], half, scale);
    } else {
        s.tax = TaxOnGain(him, s.taxableGain, scale);
    }

    s.valueAfter = (doc.At(Row::Equity, last) - s.costs) - s.tax;
    s.irr = HoldingIRR(p, doc.CashDeposit, doc.RowData(Row::AfterTaxCash), s.valueAfter);
    return s;
}

void ComputeSaleResults(CVELPPCDoc& doc, const TaxScale& tax, bool flowsOk, double flowsValue) {
    const int p = std::clamp(doc.ProjectionYear, 1, kTableColumns);
    const SaleFigures s = WorkOutSale(doc, p, tax);
    doc.SalePrice = s.price;
    doc.SaleCosts = s.costs;
    doc.CostBase = s.costBase;
    doc.CapitalGain = s.gain;
    doc.TaxableGain = s.taxableGain;
    doc.SaleTax = s.tax;
    doc.ValueAfterSale = s.valueAfter;
    doc.IRRAfterSale = s.irr;
    doc.NPVAfterSale = flowsOk ? WithFinalValue(flowsValue, s.valueAfter, doc.RateInfl, p) : NoValue;
}

void ClearSaleResults(CVELPPCDoc& doc) {
    doc.SalePrice = doc.SaleCosts = doc.CostBase = doc.CapitalGain = doc.TaxableGain = 0;
    doc.SaleTax = doc.ValueAfterSale = doc.IRRAfterSale = doc.NPVAfterSale = 0;
}
