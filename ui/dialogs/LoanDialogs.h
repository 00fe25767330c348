// The dialogs of the loan editors (LoanEditors.h): "Loan Amount", "Loan Type", "Loan Costs".
#pragma once

#include "ui/dialogs/EditorForm.h"

class CLoanAmount;
class CLoanCosts;
class CLoanType;

class LoanAmountDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit LoanAmountDialog(CLoanAmount& editor, QWidget* parent = nullptr);
};

class LoanTypeDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit LoanTypeDialog(CLoanType& editor, QWidget* parent = nullptr);
};

class LoanCostsDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit LoanCostsDialog(CLoanCosts& editor, QWidget* parent = nullptr);
};
