// The EditItem steps of the depreciation, loan, investor, results-year, projection and
// breakdown editors, and the "Linked Variables" command. EditItem.cpp puts them into its table
// of item types; each takes the record, the settings store and the dialog's parent.
#pragma once

class QDialog;
class QWidget;
class CVELPPCDoc;
struct Scales;
class SettingsStore;

// Runs an editor's dialog modally: true only when it ended with OK.
bool Accepted(QDialog& dialog);
// The record has taken an editor's working fields: limit what must not reach the table,
// recalculate marked changed (which redraws the views).
void RecalculateChanged(CVELPPCDoc& doc, const Scales& scales);

void EditDepreciation(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent); // 6
void EditLoanDetails(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);  // 7
void EditLoanType(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);     // 8
void EditLoanCosts(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);    // 9
void EditInvestor(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);     // 10
void EditResults(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);      // 11
void ShowTaxSavings(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);   // 12
void ShowCashFlowYear(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent); // 13
void EditProjections(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);  // 15

// Settings menu "Linked Variables": on OK the record takes the six switches, is recalculated
// (marked changed) and the switches are stored.
void EditLinkedVariables(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);
