// The dialogs of InvestorEditors.h.
#pragma once

#include "ui/dialogs/EditorForm.h"

extern const FormDialog kInvestorDetailsDialog; // "Investor Details", of an InvestorDetailsLogic
extern const FormDialog kProjectionsDialog;     // "Annual Projections", of a ProjectionsLogic
extern const FormDialog kResultsYearDialog;     // "Specify Results Year", of a ResultsYearLogic
// "Specify Linked Variables", of a LinkedVariablesLogic.
extern const FormDialog kLinkedVariablesDialog;
