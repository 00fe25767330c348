// The dialogs of the loan editors (LoanEditors.h): "Loan Amount", "Loan Type", "Loan Costs".
#pragma once

#include "ui/dialogs/EditorForm.h"

class LoanAmountLogic;
class LoanCostsLogic;
class LoanTypeLogic;

class LoanAmountDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit LoanAmountDialog(LoanAmountLogic& editor, QWidget* parent = nullptr);
};

class LoanTypeDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit LoanTypeDialog(LoanTypeLogic& editor, QWidget* parent = nullptr);
};

class LoanCostsDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit LoanCostsDialog(LoanCostsLogic& editor, QWidget* parent = nullptr);
};
