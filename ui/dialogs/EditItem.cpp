// EditItem: one function per item type, found through a table indexed by the item type.
//
// Every function follows the same steps: build the editor's logic, copy the record's "in"
// fields into its working fields, run its dialog modally, and only on OK copy the working
// fields back into the record's "out" fields, recalculate (marking the investment changed) and
// write the item's defaults to section "SettingsFile" in the item's order. Any other ending of
// the dialog leaves the record, the view and the settings store untouched.
//
// To add an editor: write EditSomething below after the pattern of the others and put it into
// its slot of kItemEditors.
#include "ui/dialogs/EditItem.h"

#include <QDialog>
#include <array>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "ui/dialogs/AssumptionDialogs.h"
#include "ui/dialogs/DepositRentDialogs.h"
#include "ui/dialogs/DepositRentEditors.h"
#include "ui/dialogs/ItemEditors.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"
#include "ui/dialogs/ScaleDialogs.h"

namespace {

// 0: sheet "Details". Only the texts change: no recalculation, no settings. A changed text still
// marks the investment changed, so that the save question protects what was typed.
void EditProperty(CVELPPCDoc& doc, Scales&, SettingsStore&, QWidget* parent) {
    CPropDesc desc;
    CNotes notes;
    desc.address = doc.Address;
    desc.description = doc.Description;
    notes.notes = doc.Notes;
    DetailsSheet sheet(desc, notes, parent);
    if (!Accepted(sheet)) return;
    if (desc.address == doc.Address && desc.description == doc.Description &&
        notes.notes == doc.Notes)
        return;
    doc.Address = desc.address;
    doc.Description = desc.description;
    doc.Notes = notes.notes;
    doc.SetModifiedFlag(true);
}

// 1: "Property Value". Recalculates; writes no settings.
void EditPropertyValue(CVELPPCDoc& doc, Scales& scales, SettingsStore&, QWidget* parent) {
    CPropValue ed;
    ed.price = doc.Price;
    ed.renovations = doc.Renovations;
    ed.marketValue = doc.MarketValue;
    ed.furniture = doc.Furniture;
    PropValueDialog dialog(ed, parent);
    if (!Accepted(dialog)) return;
    doc.Price = ed.price;
    doc.Renovations = ed.renovations;
    doc.MarketValue = ed.marketValue;
    doc.Furniture = ed.furniture;
    RecalculateChanged(doc, scales);
}

// 2: "Purchase Costs". A scale accepted through "Change Scale" is in force already, even when
// this editor is cancelled; the figures then follow it, so that what is shown is what the
// file, which holds the scale, opens to again.
void EditPurchaseCosts(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    const DutyScale scaleBefore = scales.duty;
    CPurchCosts ed;
    ed.scale = scales.duty;
    ed.price = doc.Price;
    ed.stampDuty = doc.StampDutyCost;
    ed.conveyancing = doc.Conveyancing;
    ed.otherCosts = doc.OtherCosts;
    PurchCostsDialog dialog(ed, scales, parent);
    if (!Accepted(dialog)) {
        if (!(scales.duty == scaleBefore)) RecalculateChanged(doc, scales);
        return;
    }
    doc.StampDutyCost = ed.stampDuty;
    doc.Conveyancing = ed.conveyancing;
    doc.OtherCosts = ed.otherCosts;
    doc.UseSDScale = ed.usesScale;
    RecalculateChanged(doc, scales);
    WriteSettingInt(store, "UseSDScale", doc.UseSDScale);
    WriteSettingDouble(store, "Conveyancing", doc.Conveyancing);
}

// 3: "Cash Deposit".
void EditCashDeposit(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    CCashDeposit ed;
    ed.deposit.amount = doc.CashDeposit;
    ed.deposit.percent = doc.DepositPC;
    ed.deposit.link = doc.CalcDeposit;
    ed.price = doc.Price;
    ed.renovations = doc.Renovations;
    ed.furniture = doc.Furniture;
    ed.purchaseCosts = doc.PurchaseCosts;
    CashDepositDialog dialog(ed, parent);
    if (!Accepted(dialog)) return;
    doc.CashDeposit = ed.deposit.amount;
    doc.DepositPC = ed.deposit.percent;
    doc.CalcDeposit = ed.deposit.link;
    RecalculateChanged(doc, scales);
    WriteSettingDouble(store, "DepositPC", doc.DepositPC);
    WriteSettingInt(store, "CalcDeposit", doc.CalcDeposit);
}

// 4: "Rental Income".
void EditRent(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    CRentIncome ed;
    ed.rent = doc.Rent;
    ed.periodsPerYear = doc.PeriodsPerYear;
    ed.vacancyRate = doc.VacancyRate;
    RentIncomeDialog dialog(ed, parent);
    if (!Accepted(dialog)) return;
    doc.Rent = ed.rent;
    doc.PeriodsPerYear = ed.periodsPerYear;
    doc.VacancyRate = ed.vacancyRate;
    RecalculateChanged(doc, scales);
    WriteSettingInt(store, "PeriodsPerYear", doc.PeriodsPerYear);
    WriteSettingDouble(store, "VacancyRate", doc.VacancyRate);
}

// 5: "Rental Expenses".
void EditExpenses(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    CRentExpenses ed;
    ed.expenses.amount = doc.Expenses;
    ed.expenses.percent = doc.ExpensesPC;
    ed.expenses.link = doc.CalcExpenses;
    ed.marketValue = doc.MarketValue;
    ed.annualRent = doc.Rent * doc.PeriodsPerYear;
    RentExpensesDialog dialog(ed, parent);
    if (!Accepted(dialog)) return;
    doc.Expenses = ed.expenses.amount;
    doc.ExpensesPC = ed.expenses.percent;
    doc.CalcExpenses = ed.expenses.link;
    RecalculateChanged(doc, scales);
    WriteSettingDouble(store, "ExpensesPC", doc.ExpensesPC);
    WriteSettingInt(store, "CalcExpenses", doc.CalcExpenses);
}

using ItemEditor = void (*)(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent);

// One slot per item type; an empty slot opens nothing.
constexpr std::array<ItemEditor, kItemTypeCount> kItemEditors = {
    EditProperty,      // 0 ItemProperty
    EditPropertyValue, // 1 ItemPropertyValue
    EditPurchaseCosts, // 2 ItemPurchaseCosts
    EditCashDeposit,   // 3 ItemCashDeposit
    EditRent,          // 4 ItemRent
    EditExpenses,      // 5 ItemExpenses
    EditDepreciation,  // 6 ItemDepreciation: sheet "Depreciation" (CDepBuild, CDepFitt)
    EditLoanDetails,   // 7 ItemLoanDetails: "Loan Amount" (CLoanAmount)
    EditLoanType,      // 8 ItemLoanType: "Loan Type" (CLoanType)
    EditLoanCosts,     // 9 ItemLoanCosts: "Loan Costs" (CLoanCosts)
    EditInvestor,      // 10 ItemInvestor: "Investor Details" (CInvestorDetails)
    EditResults,       // 11 ItemResults: "Specify Results Year" (CResultsYear)
    ShowTaxSavings,    // 12 ItemTaxSavings: "Tax Savings" (CTaxSavings), read-only
    ShowCashFlowYear,  // 13 ItemCashFlowYear: "After-tax Cash Flow" (CAfterTaxCash), read-only
    nullptr,           // 14 ItemCashFlowWeek: no editor
    EditProjections,   // 15 ItemProjections: "Annual Projections" (CProjections)
    nullptr,           // 16 ItemIRR: no editor
    nullptr,           // 17 ItemNPV: no editor
    nullptr,           // 18 ItemAverageCashFlow: no editor
};

} // namespace

void EditItem(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, unsigned itemType, QWidget* parent) {
    if (itemType >= kItemEditors.size()) return;
    // What an accepted editor stores reaches the settings file in one write.
    SettingsBatch batch(store);
    if (ItemEditor editor = kItemEditors[itemType]) editor(doc, scales, store, parent);
}

