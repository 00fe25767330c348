// The dialogs of the breakdowns (BreakdownEditors.h): "Tax Savings" and "After-tax Cash Flow".
// OK and Cancel both just close them.
#pragma once

#include "ui/dialogs/EditorForm.h"

class CAfterTaxCash;
class CBreakdown;
class CTaxSavings;
class QSpinBox;

// A breakdown dialog: its figures, then the year and the spin that steps it through 1..40.
class BreakdownDialog : public CEditorDialog {
    Q_OBJECT
  public:
    QSpinBox* YearSpin() const { return spin_; }

  protected:
    BreakdownDialog(CBreakdown& breakdown, const QString& caption, QWidget* parent);
    // Adds the spin and the year label (control `yearId`) below the figures, then opens.
    void AddYearRow(int yearId);

  private:
    CBreakdown& breakdown_;
    QSpinBox* spin_ = nullptr;
};

class TaxSavingsDialog : public BreakdownDialog {
    Q_OBJECT
  public:
    explicit TaxSavingsDialog(CTaxSavings& breakdown, QWidget* parent = nullptr);
};

class AfterTaxCashDialog : public BreakdownDialog {
    Q_OBJECT
  public:
    explicit AfterTaxCashDialog(CAfterTaxCash& breakdown, QWidget* parent = nullptr);
};
