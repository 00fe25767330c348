// The dialogs of the property editors (PropertyEditors.h): the "Details" sheet, "Property Value"
// and "Purchase Costs".
#pragma once

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

class PurchCostsDialog : public EditorDialog {
    Q_OBJECT
public:
    PurchCostsDialog(PurchaseCostsLogic& editor, Scales& scales, DocumentUi& ui,
                     QWidget* parent = nullptr);

private:
    // "Change Scale": the stamp duty scale editor on the investment's scale. An accepted scale
    // is the investment's at once, whatever becomes of this dialog.
    void ChangeScale();
    PurchaseCostsLogic& editor_;
    Scales& scales_;
};
