// The dialogs of the property editors (PropertyEditors.h): the "Details" sheet, "Property Value"
// and "Purchase Costs".
#pragma once

#include <functional>

#include "ui/dialogs/EditorForm.h"

class NotesLogic;
class PropertyDescriptionLogic;
class PurchaseCostsLogic;
struct DutyScale;
struct Scales;

// Property sheet "Details": pages "Address" and "Notes".
class DetailsSheet : public EditorSheet {
    Q_OBJECT
public:
    DetailsSheet(PropertyDescriptionLogic& desc, NotesLogic& notes, DocumentUi& ui,
                 QWidget* parent = nullptr);
};

extern const FormDialog kPropertyValueDialog; // "Property Value", of a PropertyValueLogic

// Opens the stamp duty scale editor on `scale`, a copy of the investment's, with its "Custom"
// entry `custom`; true when the user accepted it, `scale` then holding the edited scale and
// location.
using ChangeScaleEditor =
    std::function<bool(DutyScale& scale, DutyScale& custom, DocumentUi& ui, QWidget* parent)>;

// Replaces the editor "Change Scale" of "Purchase Costs" opens (the stamp duty scale editor
// unless a test gives another). With none the button is present but disabled.
void SetChangeScaleEditor(ChangeScaleEditor editor);

class PurchCostsDialog : public EditorDialog {
    Q_OBJECT
public:
    PurchCostsDialog(PurchaseCostsLogic& editor, Scales& scales, DocumentUi& ui,
                     QWidget* parent = nullptr);

private:
    // An accepted scale is the investment's at once, whatever becomes of this dialog.
    void ChangeScale();
    PurchaseCostsLogic& editor_;
    Scales& scales_;
};
