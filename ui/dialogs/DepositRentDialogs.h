// The dialogs of the deposit, rent and expenses editors (DepositRentEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

class CashDepositLogic;
class RentExpensesLogic;
class RentIncomeLogic;

class CashDepositDialog : public EditorDialog {
    Q_OBJECT
public:
    explicit CashDepositDialog(CashDepositLogic& editor, QWidget* parent = nullptr);
};

class RentIncomeDialog : public EditorDialog {
    Q_OBJECT
public:
    explicit RentIncomeDialog(RentIncomeLogic& editor, QWidget* parent = nullptr);
};

class RentExpensesDialog : public EditorDialog {
    Q_OBJECT
public:
    explicit RentExpensesDialog(RentExpensesLogic& editor, QWidget* parent = nullptr);
};
