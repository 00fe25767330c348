// The sheet "Assumptions" (Settings menu): every input beyond the file's fixed layout, one
// page per subject. Its logic is in AssumptionEditors.h.
#pragma once

#include "ui/dialogs/EditorForm.h"

class CLawAssumptions;
class CSaleAssumptions;
class CTaxRulesAssumptions;
class CRentAssumptions;
class CLoanAssumptions;
class CLandTaxAssumptions;
class CVELPPCDoc;
struct Scales;
class SettingsStore;

class AssumptionsSheet : public CEditorSheet {
    Q_OBJECT
  public:
    AssumptionsSheet(CLawAssumptions& law, CSaleAssumptions& sale,
                     CTaxRulesAssumptions& taxRules, CRentAssumptions& rent,
                     CLoanAssumptions& loan, CLandTaxAssumptions& landTax,
                     QWidget* parent = nullptr);
};

// Runs the sheet on the record; on OK the record takes the pages' inputs, is recalculated
// (marked changed) and the inputs are remembered as the next investment's defaults.
void EditAssumptions(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);
