// The dialogs of the breakdowns (BreakdownEditors.h): "Tax Savings" and "After-tax Cash Flow".
// OK and Cancel both just close them.
#pragma once

#include "ui/dialogs/EditorForm.h"

class AfterTaxCashLogic;
class Breakdown;
class TaxSavingsLogic;
class QSpinBox;

// A breakdown dialog: its figures, then the year and the spin that steps it through 1..40.
class BreakdownDialog : public EditorDialog {
    Q_OBJECT
  public:
    QSpinBox* YearSpin() const { return spin_; }

  protected:
    BreakdownDialog(Breakdown& breakdown, const QString& caption, QWidget* parent);
    // Adds the spin and the year label (control `yearId`) below the figures, then opens.
    void AddYearRow(int yearId);

  private:
    Breakdown& breakdown_;
    QSpinBox* spin_ = nullptr;
};

class TaxSavingsDialog : public BreakdownDialog {
    Q_OBJECT
  public:
    explicit TaxSavingsDialog(TaxSavingsLogic& breakdown, QWidget* parent = nullptr);
};

class AfterTaxCashDialog : public BreakdownDialog {
    Q_OBJECT
  public:
    explicit AfterTaxCashDialog(AfterTaxCashLogic& breakdown, QWidget* parent = nullptr);
};
