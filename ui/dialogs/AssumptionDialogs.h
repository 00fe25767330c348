// The sheet "Assumptions" (Settings menu): every input beyond the file's fixed layout, one
// page per subject. Its logic is in AssumptionEditors.h.
#pragma once

#include "ui/dialogs/EditorForm.h"

class LawAssumptions;
class SaleAssumptions;
class TaxRulesAssumptions;
class RentAssumptions;
class LoanAssumptions;
class LandTaxAssumptions;
class Investment;
struct Scales;
class SettingsStore;

class AssumptionsSheet : public EditorSheet {
    Q_OBJECT
  public:
    AssumptionsSheet(LawAssumptions& law, SaleAssumptions& sale,
                     TaxRulesAssumptions& taxRules, RentAssumptions& rent,
                     LoanAssumptions& loan, LandTaxAssumptions& landTax, DocumentUi& ui,
                     QWidget* parent = nullptr);

  private:
    void ShowCurrentPage(int index);
    int shown_ = 0;
};

// Runs the sheet on the record; on OK the record takes the pages' inputs, is recalculated
// (marked changed) and the inputs are remembered as the next investment's defaults.
void EditAssumptions(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                     QWidget* parent);
