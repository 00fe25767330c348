// The dialogs of the deposit, rent and expenses editors (DepositRentEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

class CCashDeposit;
class CRentExpenses;
class CRentIncome;

class CashDepositDialog : public CEditorDialog {
    Q_OBJECT
public:
    explicit CashDepositDialog(CCashDeposit& editor, QWidget* parent = nullptr);
};

class RentIncomeDialog : public CEditorDialog {
    Q_OBJECT
public:
    explicit RentIncomeDialog(CRentIncome& editor, QWidget* parent = nullptr);
};

class RentExpensesDialog : public CEditorDialog {
    Q_OBJECT
public:
    explicit RentExpensesDialog(CRentExpenses& editor, QWidget* parent = nullptr);
};
