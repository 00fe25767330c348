// The dialogs of the property editors (PropertyEditors.h): the "Details" sheet, "Property Value"
// and "Purchase Costs".
#pragma once

#include <functional>

#include "ui/dialogs/EditorForm.h"

class CNotes;
class CPropDesc;
class CPropValue;
class CPurchCosts;
struct DutyScale;
struct Scales;

// Property sheet "Details": pages "Address" and "Notes".
class DetailsSheet : public CEditorSheet {
    Q_OBJECT
public:
    DetailsSheet(CPropDesc& desc, CNotes& notes, QWidget* parent = nullptr);
};

class PropValueDialog : public CEditorDialog {
    Q_OBJECT
public:
    explicit PropValueDialog(CPropValue& editor, QWidget* parent = nullptr);
};

// Opens the stamp duty scale editor on `scale`, a copy of the investment's, with its "Custom"
// entry `custom`; true when the user accepted it, `scale` then holding the edited scale and
// location.
using ChangeScaleEditor = std::function<bool(DutyScale& scale, DutyScale& custom, QWidget* parent)>;

// Replaces the editor "Change Scale" of "Purchase Costs" opens (the stamp duty scale editor
// unless a test gives another). With none the button is present but disabled.
void SetChangeScaleEditor(ChangeScaleEditor editor);

class PurchCostsDialog : public CEditorDialog {
    Q_OBJECT
public:
    PurchCostsDialog(CPurchCosts& editor, Scales& scales, QWidget* parent = nullptr);

private:
    // An accepted scale is the investment's at once, whatever becomes of this dialog.
    void ChangeScale();
    CPurchCosts& editor_;
    Scales& scales_;
};
