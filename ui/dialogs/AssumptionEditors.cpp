#include "ui/dialogs/AssumptionEditors.h"

#include "format/Format.h"
#include "ui/dialogs/ValueExchange.h"

namespace {

// As the summary shows its amounts and rates.
constexpr const char* kMoney = "$0,m(";
constexpr const char* kRate = "%0.00";

// A typed text that is no number leaves the percentage as it was.
void TakePercent(const ControlPort& port, int id, double& value) {
    double typed = value;
    if (ReadValueIfChanged(port, id, typed, kPercentFormat) && !IsNoValue(typed)) value = typed;
}

} // namespace

CSaleAssumptions::CSaleAssumptions(const CVELPPCDoc& record) : worked_(record) {
    worked_.onUpdateAllViews = nullptr;
    sellingCostsPC = record.SellingCostsPC;
    cgtDiscountPC = record.CGTDiscountPC;
}

void CSaleAssumptions::Refresh(ControlPort& port) {
    // The sale changes nothing else of the projection; working the record out again keeps
    // one way to its figures.
    worked_.SellingCostsPC = sellingCostsPC;
    worked_.CGTDiscountPC = cgtDiscountPC;
    worked_.LimitInputs();
    worked_.Recalculate(false);
    const CVELPPCDoc& w = worked_;

    ShowValue(port, kSellingCosts, sellingCostsPC, kPercentFormat);
    ShowValue(port, kDiscount, cgtDiscountPC, kPercentFormat);
    ShowText(port, kHeld, "Sold at the end of year " + FormatValue(w.ProjectionYear, "0") +
                              ", the last year of the projections.");
    ShowValue(port, kSalePrice, w.SalePrice, kMoney);
    ShowValue(port, kSaleCosts, w.SaleCosts, kMoney);
    ShowValue(port, kCostBase, w.CostBase, kMoney);
    ShowValue(port, kGain, w.CapitalGain, kMoney);
    ShowValue(port, kTaxableGain, w.TaxableGain, kMoney);
    ShowValue(port, kSaleTax, w.SaleTax, kMoney);
    ShowValue(port, kValueAfter, w.ValueAfterSale, kMoney);
    ShowValue(port, kIRRAfter, w.IRRAfterSale, kRate);
    ShowValue(port, kNPVAfter, w.NPVAfterSale, kMoney);
}

void CSaleAssumptions::TakeEdits(const ControlPort& port) {
    TakePercent(port, kSellingCosts, sellingCostsPC);
    TakePercent(port, kDiscount, cgtDiscountPC);
}

bool CSaleAssumptions::OnLeaveEdit(ControlPort& port, int id) {
    if (id != kSellingCosts && id != kDiscount) return false;
    TakeEdits(port);
    return true;
}

bool CSaleAssumptions::OnRecalculate(ControlPort& port) {
    TakeEdits(port);
    return true;
}

void CSaleAssumptions::OnOk(ControlPort& port) {
    TakeEdits(port);
    // What the record will hold.
    worked_.SellingCostsPC = sellingCostsPC;
    worked_.CGTDiscountPC = cgtDiscountPC;
    worked_.LimitInputs();
    sellingCostsPC = worked_.SellingCostsPC;
    cgtDiscountPC = worked_.CGTDiscountPC;
}
