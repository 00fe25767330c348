// The dialogs of the loan editors (LoanEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

extern const FormDialog kLoanAmountDialog; // "Loan Amount", of a LoanAmountLogic
extern const FormDialog kLoanTypeDialog;   // "Loan Type", of a LoanTypeLogic
extern const FormDialog kLoanCostsDialog;  // "Loan Costs", of a LoanCostsLogic
