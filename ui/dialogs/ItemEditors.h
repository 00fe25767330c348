// The steps every editor takes (RunEditor), the depreciation, loan, investor, results-year,
// projection and breakdown editors, and the "Linked Variables" command. EditItem.cpp puts
// them into its table of item types; each takes what it works with as an ItemEditing.
#pragma once

#include <QDialog>

#include <initializer_list>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/dialogs/EditorForm.h"
#include "ui/dialogs/EditorLogic.h"

class QWidget;
struct Scales;
class DocumentUi;
class SettingsStore;

// What an item editor works with: the open investment and its scales, the store of remembered
// defaults, where it asks its questions and the window it opens over.
struct ItemEditing {
    Investment& doc;
    Scales& scales;
    SettingsStore& store;
    DocumentUi& ui;
    QWidget* parent;
};

// Runs an editor's dialog modally: true only when it ended with OK.
bool Accepted(QDialog& dialog);
// The record has taken an editor's working fields: limit what must not reach the table,
// recalculate marked changed (which redraws the views).
void RecalculateChanged(Investment& doc, const Scales& scales);

// The steps of every editor of the record: its logic filled from the record by `load`, its
// dialog `form` run modally, and only on OK the logic copied back by `save`, the record worked
// out again marked changed and the item's defaults stored in the item's order. Any other
// ending leaves the record and the settings store untouched.
template <class Logic, class Load, class Save>
void RunEditor(const FormDialog& form, const ItemEditing& e, Load load, Save save,
               std::initializer_list<RememberedField> remembered) {
    Logic ed;
    load(ed);
    EditorDialog dialog(ed, form, e.ui, e.parent);
    if (!Accepted(dialog)) return;
    save(ed);
    RecalculateChanged(e.doc, e.scales);
    StoreFields(e.store, e.doc, remembered);
}

// RunEditor for an editor whose fields go back to the record as they are: `fields` lists the
// pairs both ways, `inputs(ed)` fills what the editor only shows.
template <class Logic, class Fields, class Inputs>
void RunFieldEditor(const FormDialog& form, const ItemEditing& e, Fields fields, Inputs inputs,
                    std::initializer_list<RememberedField> remembered) {
    RunEditor<Logic>(
        form, e,
        [&](Logic& ed) {
            fields(ed, ToEditor{});
            inputs(ed);
        },
        [&](Logic& ed) { fields(ed, ToRecord{}); }, remembered);
}

// By item type: 6, 7, 8, 9, 10, 11, 12, 13 and 15.
void EditDepreciation(const ItemEditing& e);
void EditLoanDetails(const ItemEditing& e);
void EditLoanType(const ItemEditing& e);
void EditLoanCosts(const ItemEditing& e);
void EditInvestor(const ItemEditing& e);
void EditResults(const ItemEditing& e);
void ShowTaxSavings(const ItemEditing& e);
void ShowCashFlowYear(const ItemEditing& e);
void EditProjections(const ItemEditing& e);

// Settings menu "Linked Variables": on OK the record takes the six switches, is recalculated
// (marked changed) and the switches are stored.
void EditLinkedVariables(Investment&, Scales&, SettingsStore&, DocumentUi&, QWidget* parent);
