// The dialogs of InvestorEditors.h: "Investor Details", "Annual Projections", "Specify Results
// Year" and "Specify Linked Variables".
#pragma once

#include "ui/dialogs/EditorForm.h"

class CInvestorDetails;
class CLinkedVars;
class CProjections;
class CResultsYear;

class InvestorDetailsDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit InvestorDetailsDialog(CInvestorDetails& editor, QWidget* parent = nullptr);
};

class ProjectionsDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit ProjectionsDialog(CProjections& editor, QWidget* parent = nullptr);
};

class ResultsYearDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit ResultsYearDialog(CResultsYear& editor, QWidget* parent = nullptr);
};

class LinkedVarsDialog : public CEditorDialog {
    Q_OBJECT
  public:
    explicit LinkedVarsDialog(CLinkedVars& editor, QWidget* parent = nullptr);
};
