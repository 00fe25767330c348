// The steps every editor takes (RunEditor), the depreciation, loan, investor, results-year,
// projection and breakdown editors, and the "Linked Variables" command. EditItem.cpp puts
// them into its table of item types; each takes the record, the settings store and the
// dialog's parent.
#pragma once

#include <QDialog>

#include <initializer_list>
#include <variant>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/dialogs/EditorForm.h"

class QWidget;
struct Scales;
class DocumentUi;
class SettingsStore;

// Runs an editor's dialog modally: true only when it ended with OK.
bool Accepted(QDialog& dialog);
// The record has taken an editor's working fields: limit what must not reach the table,
// recalculate marked changed (which redraws the views).
void RecalculateChanged(Investment& doc, const Scales& scales);

// A field an accepted editor remembers for new investments.
using RememberedField = std::variant<double Investment::*, int Investment::*>;

// The steps of every editor of the record: its logic filled from the record by `load`, its
// dialog `form` run modally, and only on OK the logic copied back by `save`, the record worked
// out again marked changed and the item's defaults stored in the item's order. Any other
// ending leaves the record and the settings store untouched.
template <class Logic, class Load, class Save>
void RunEditor(const FormDialog& form, Investment& doc, const Scales& scales,
               SettingsStore& store, DocumentUi& ui, QWidget* parent, Load load,
               Save save,
               std::initializer_list<RememberedField> remembered) {
    Logic ed;
    load(ed);
    EditorDialog dialog(ed, form, ui, parent);
    if (!Accepted(dialog)) return;
    save(ed);
    RecalculateChanged(doc, scales);
    for (const RememberedField& field : remembered)
        std::visit([&](auto member) { StoreField(store, doc, member); }, field);
}

// One list of the pairs (an editor's field, the record's) serves both ways, so that what an
// editor takes from the record and what it gives back cannot drift apart: the list is a
// function `fields(ed, copy)` calling `copy(ed.x, doc.X)` for each pair, run with ToEditor
// before the dialog and with ToRecord on OK.
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

// RunEditor for an editor whose fields go back to the record as they are: `fields` lists the
// pairs both ways, `inputs(ed)` fills what the editor only shows.
template <class Logic, class Fields, class Inputs>
void RunFieldEditor(const FormDialog& form, Investment& doc, const Scales& scales,
                    SettingsStore& store, DocumentUi& ui, QWidget* parent, Fields fields,
                    Inputs inputs,
                    std::initializer_list<RememberedField> remembered) {
    RunEditor<Logic>(
        form, doc, scales, store, ui, parent,
        [&](Logic& ed) {
            fields(ed, ToEditor{});
            inputs(ed);
        },
        [&](Logic& ed) { fields(ed, ToRecord{}); }, remembered);
}

void EditDepreciation(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent); // 6
void EditLoanDetails(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);  // 7
void EditLoanType(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);     // 8
void EditLoanCosts(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);    // 9
void EditInvestor(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);     // 10
void EditResults(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);      // 11
void ShowTaxSavings(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);   // 12
void ShowCashFlowYear(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent); // 13
void EditProjections(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);  // 15

// Settings menu "Linked Variables": on OK the record takes the six switches, is recalculated
// (marked changed) and the switches are stored.
void EditLinkedVariables(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);
