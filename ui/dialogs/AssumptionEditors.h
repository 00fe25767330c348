// The pages of the sheet "Assumptions": the inputs beyond the file's fixed layout. Logic only;
// the sheet is in AssumptionDialogs.h.
#pragma once

#include "model/Investment.h"
#include "ui/dialogs/EditorLogic.h"

// Page "Sale": the selling costs and the discount on the capital gain, with the sale at the
// end of the projection period worked out live from them.
class CSaleAssumptions : public CEditorLogic {
  public:
    enum Control : int {
        kSellingCosts = 1,
        kDiscount,
        kHeld, // "Sold at the end of year N."
        kSalePrice,
        kSaleCosts,
        kCostBase,
        kGain,
        kTaxableGain,
        kSaleTax,
        kValueAfter,
        kIRRAfter,
        kNPVAfter,
    };

    // The record the figures are worked out on; its two inputs are the working fields.
    explicit CSaleAssumptions(const CVELPPCDoc& record);
    double sellingCostsPC = 0.0, cgtDiscountPC = 0.0;
    // The record worked out with the working fields, at every refresh.
    const CVELPPCDoc& Worked() const { return worked_; }

    void Refresh(ControlPort& port) override;

  protected:
    // Leaving a field works the figures out again at once.
    bool OnLeaveEdit(ControlPort& port, int id) override;
    bool OnRecalculate(ControlPort& port) override;
    void OnOk(ControlPort& port) override;

  private:
    void TakeEdits(const ControlPort& port);
    CVELPPCDoc worked_;
};
