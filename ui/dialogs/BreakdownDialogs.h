// The dialogs of the breakdowns (BreakdownEditors.h): "Tax Savings" and "After-tax Cash Flow".
// OK and Cancel both just close them.
#pragma once

#include "ui/dialogs/EditorForm.h"

class Breakdown;
class QSpinBox;

// A breakdown dialog: the figures `form` lays out, then the year (control `yearId`) and the
// spin that steps it through 1..40.
class BreakdownDialog : public EditorDialog {
    Q_OBJECT
  public:
    BreakdownDialog(Breakdown& breakdown, const FormDialog& form, int yearId, DocumentUi& ui,
                    QWidget* parent = nullptr);
    QSpinBox* YearSpin() const { return spin_; }

  private:
    Breakdown& breakdown_;
    QSpinBox* spin_;
};

extern const FormDialog kTaxSavingsDialog;  // "Tax Savings", of a TaxSavingsLogic
extern const FormDialog kAfterTaxCashDialog; // "After-tax Cash Flow", of an AfterTaxCashLogic
