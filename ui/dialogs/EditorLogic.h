// The conventions every editor follows, in one place.
//
// An editor is two pieces:
//  - a logic class derived from EditorLogic (no widgets) that holds the working fields: copies
//    of the record fields it received, the figures it works out for display and its link
//    switches. It reacts to the events below and talks to its controls only through a
//    ControlPort (ValueExchange.h), by control ids of its own.
//  - a thin Qt dialog or property page (EditorForm.h) that creates the controls, registers them
//    under those ids and forwards the events. Tests drive the logic with a map-backed port.
//
// EditItem fills the working fields, runs the dialog and, after OK, reads them back; the record
// itself is never touched while an editor is open.
//
// Events and the conventions tied to them:
//  - Open: the dialog (or page, when first shown) appears. OnOpen works out the figures; a
//    refresh always follows.
//  - LeaveEdit: an edit lost the focus. Fields without a rule of their own return false.
//  - Click: a check box, radio button or plain button (other than Recalculate) was clicked.
//  - Choose: a line of a drop-down list was chosen.
//  - Recalculate: the "Recalculate" button. The dialog first takes the focus from the edit being
//    typed in, so that edit's LeaveEdit rule runs before OnRecalculate. Most editors take their
//    edits alike on Recalculate and OK: TypedEditorLogic below.
//  - Ok: the dialog's OK. Pending edits are applied as the editor's rules say; no refresh, and no
//    LeaveEdit first (OK is a dialog command, it does not take the focus). Afterwards the form
//    ignores every further event, so closing cannot disturb the working fields.
//  - Cancel / Escape discard everything: the logic hears nothing.
//  - Refresh: after every event that acted (its handler returned true) the editor writes all its
//    working values back to their controls, each under its format, and sets its check boxes from
//    its switches. An event without an action leaves what was typed in place.
//  - Doubts: after Ok, the figures the editor holds that are allowed but seldom meant
//    (Plausibility.h). The dialog asks once about all of them; "Change it" opens the editor
//    again (a refresh, the first doubtful field focused), "Keep it" accepts.
//  - Changed edits: a typed number counts only when it differs by more than 0.001 from what the
//    field showed (ReadValueIfChanged), so untouched fields keep full precision.
//  - Linked amounts (amount = base x percent / 100 while a switch is on): LinkedAmount.h.
#pragma once

#include "ui/dialogs/Plausibility.h"

class ControlPort;

// Formats of the editors' fields: money amounts, rates and percentages, years.
inline constexpr const char* kAmountFormat = "0,m";
inline constexpr const char* kPercentFormat = "0.00%";
inline constexpr const char* kYearsFormat = "0y";

class EditorLogic {
public:
    virtual ~EditorLogic() = default;

    void Open(ControlPort& port) {
        OnOpen(port);
        Refresh(port);
    }
    void LeaveEdit(ControlPort& port, int id) {
        if (OnLeaveEdit(port, id)) Refresh(port);
    }
    void Click(ControlPort& port, int id) {
        if (OnClick(port, id)) Refresh(port);
    }
    void Choose(ControlPort& port, int id) {
        if (OnChoose(port, id)) Refresh(port);
    }
    void Recalculate(ControlPort& port) {
        if (OnRecalculate(port)) Refresh(port);
    }
    void Ok(ControlPort& port) { OnOk(port); }

    // Writes every working value to its control.
    virtual void Refresh(ControlPort& port) = 0;
    // The working figures that are allowed but seldom meant, asked about after Ok.
    virtual Doubts Doubtful() const { return {}; }

protected:
    // Handlers return true when they acted, so that a refresh follows.
    virtual void OnOpen(ControlPort&) {}
    virtual bool OnLeaveEdit(ControlPort&, int /*id*/) { return false; }
    virtual bool OnClick(ControlPort&, int /*id*/) { return false; }
    virtual bool OnChoose(ControlPort&, int /*id*/) { return false; }
    virtual bool OnRecalculate(ControlPort&) { return false; }
    virtual void OnOk(ControlPort&) {}
};

// One list of the pairs (an editor's field, the record's) serves both ways, so that what an
// editor takes from the record and what it gives back cannot drift apart: the list is a
// function calling `copy(ed.x, doc.X)` for each pair, run with ToEditor to fill the editor and
// with ToRecord on OK.
struct ToEditor {
    template <class Field, class RecordField>
    void operator()(Field& ed, const RecordField& doc) const {
        ed = doc;
    }
};
struct ToRecord {
    template <class Field, class RecordField>
    void operator()(const Field& ed, RecordField& doc) const {
        doc = ed;
    }
};

// An editor whose Recalculate and OK begin alike, by taking the edits typed (TakeEdits).
// Recalculate then works out what follows from them (WorkOut) and refreshes; OK settles what
// the record is to receive (Settle).
class TypedEditorLogic : public EditorLogic {
protected:
    virtual void TakeEdits(const ControlPort& port) = 0;
    virtual void WorkOut() {}
    virtual void Settle(const ControlPort&) {}

    bool OnRecalculate(ControlPort& port) override {
        TakeEdits(port);
        WorkOut();
        return true;
    }
    void OnOk(ControlPort& port) override {
        TakeEdits(port);
        Settle(port);
    }
};
