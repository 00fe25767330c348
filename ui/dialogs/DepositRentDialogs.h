// The dialogs of the deposit, rent and expenses editors (DepositRentEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

extern const FormDialog kCashDepositDialog;  // "Cash Deposit", of a CashDepositLogic
extern const FormDialog kRentIncomeDialog;   // "Rental Income", of a RentIncomeLogic
extern const FormDialog kRentExpensesDialog; // "Rental Expenses", of a RentExpensesLogic
