// The dialogs of InvestorEditors.h: "Investor Details", "Annual Projections", "Specify Results
// Year" and "Specify Linked Variables".
#pragma once

#include "ui/dialogs/EditorForm.h"

class InvestorDetailsLogic;
class LinkedVariablesLogic;
class ProjectionsLogic;
class ResultsYearLogic;

class InvestorDetailsDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit InvestorDetailsDialog(InvestorDetailsLogic& editor, QWidget* parent = nullptr);
};

class ProjectionsDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit ProjectionsDialog(ProjectionsLogic& editor, QWidget* parent = nullptr);
};

class ResultsYearDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit ResultsYearDialog(ResultsYearLogic& editor, QWidget* parent = nullptr);
};

class LinkedVarsDialog : public EditorDialog {
    Q_OBJECT
  public:
    explicit LinkedVarsDialog(LinkedVariablesLogic& editor, QWidget* parent = nullptr);
};
