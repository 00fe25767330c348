// EditItem: one editor per item type, found through a table indexed by the item type.
//
// Every plain editor is RunFieldEditor (ui/dialogs/ItemEditors.h) given its logic and dialog,
// the pairs of fields it takes from the record and gives back, what it only shows and which
// defaults it remembers. "Details", "Purchase Costs" and "Depreciation" have steps of their own,
// said where they are.
//
// To add an editor: write EditSomething after the pattern of the others and put it into its
// slot of kItemEditors.
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
void EditProperty(const ItemEditing& e) {
    PropertyDescriptionLogic desc;
    NotesLogic notes;
    desc.address = e.doc.Address;
    desc.description = e.doc.Description;
    notes.notes = e.doc.Notes;
    DetailsSheet sheet(desc, notes, e.ui, e.parent);
    if (!Accepted(sheet)) return;
    if (desc.address == e.doc.Address && desc.description == e.doc.Description &&
        notes.notes == e.doc.Notes)
        return;
    e.doc.Address = desc.address;
    e.doc.Description = desc.description;
    e.doc.Notes = notes.notes;
}

// 1: "Property Value". Recalculates; writes no settings.
void EditPropertyValue(const ItemEditing& e) {
    RunFieldEditor<PropertyValueLogic>(
        kPropertyValueDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.price, e.doc.Price);
            copy(ed.renovations, e.doc.Renovations);
            copy(ed.marketValue, e.doc.MarketValue);
            copy(ed.furniture, e.doc.Furniture);
        },
        [](PropertyValueLogic&) {}, {});
}

// 2: "Purchase Costs". A scale accepted through "Change Scale" is in force already, even when
// this editor is cancelled; the figures then follow it, so that what is shown is what the
// file, which holds the scale, opens to again.
void EditPurchaseCosts(const ItemEditing& e) {
    const DutyScale scaleBefore = e.scales.duty;
    PurchaseCostsLogic ed;
    ed.scale = e.scales.duty;
    ed.price = e.doc.Price;
    ed.stampDuty = e.doc.StampDutyCost;
    ed.conveyancing = e.doc.Conveyancing;
    ed.otherCosts = e.doc.OtherCosts;
    PurchCostsDialog dialog(ed, e.scales, e.ui, e.parent);
    if (!Accepted(dialog)) {
        if (!(e.scales.duty == scaleBefore)) RecalculateChanged(e.doc, e.scales);
        return;
    }
    e.doc.StampDutyCost = ed.stampDuty;
    e.doc.Conveyancing = ed.conveyancing;
    e.doc.OtherCosts = ed.otherCosts;
    e.doc.UseSDScale = ed.usesScale;
    RecalculateChanged(e.doc, e.scales);
    StoreFields(e.store, e.doc, {&Investment::UseSDScale, &Investment::Conveyancing});
}

// 3: "Cash Deposit".
void EditCashDeposit(const ItemEditing& e) {
    RunFieldEditor<CashDepositLogic>(
        kCashDepositDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.deposit.amount, e.doc.CashDeposit);
            copy(ed.deposit.percent, e.doc.DepositPC);
            copy(ed.deposit.link, e.doc.CalcDeposit);
        },
        [&](CashDepositLogic& ed) {
            ed.price = e.doc.Price;
            ed.renovations = e.doc.Renovations;
            ed.furniture = e.doc.Furniture;
            ed.purchaseCosts = e.doc.PurchaseCosts;
        },
        {&Investment::DepositPC, &Investment::CalcDeposit});
}

// 4: "Rental Income".
void EditRent(const ItemEditing& e) {
    RunFieldEditor<RentIncomeLogic>(
        kRentIncomeDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.rent, e.doc.Rent);
            copy(ed.periodsPerYear, e.doc.PeriodsPerYear);
            copy(ed.vacancyRate, e.doc.VacancyRate);
        },
        [&](RentIncomeLogic& ed) { ed.price = e.doc.Price; },
        {&Investment::PeriodsPerYear, &Investment::VacancyRate});
}

// 5: "Rental Expenses".
void EditExpenses(const ItemEditing& e) {
    RunFieldEditor<RentExpensesLogic>(
        kRentExpensesDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.expenses.amount, e.doc.Expenses);
            copy(ed.expenses.percent, e.doc.ExpensesPC);
            copy(ed.expenses.link, e.doc.CalcExpenses);
        },
        [&](RentExpensesLogic& ed) {
            ed.marketValue = e.doc.MarketValue;
            ed.annualRent = e.doc.Rent * e.doc.PeriodsPerYear;
        },
        {&Investment::ExpensesPC, &Investment::CalcExpenses});
}

using ItemEditor = void (*)(const ItemEditing& e);

// One slot per item type; an empty slot opens nothing.
constexpr std::array<ItemEditor, kItemTypeCount> kItemEditors = {
    EditProperty,      // 0 ItemProperty
    EditPropertyValue, // 1 ItemPropertyValue
    EditPurchaseCosts, // 2 ItemPurchaseCosts
    EditCashDeposit,   // 3 ItemCashDeposit
    EditRent,          // 4 ItemRent
    EditExpenses,      // 5 ItemExpenses
    EditDepreciation,  // 6 ItemDepreciation: sheet "Depreciation" (BuildingDepreciationLogic, FittingsDepreciationLogic)
    EditLoanDetails,   // 7 ItemLoanDetails: "Loan Amount" (LoanAmountLogic)
    EditLoanType,      // 8 ItemLoanType: "Loan Type" (LoanTypeLogic)
    EditLoanCosts,     // 9 ItemLoanCosts: "Loan Costs" (LoanCostsLogic)
    EditInvestor,      // 10 ItemInvestor: "Investor Details" (InvestorDetailsLogic)
    EditResults,       // 11 ItemResults: "Specify Results Year" (ResultsYearLogic)
    ShowTaxSavings,    // 12 ItemTaxSavings: "Tax Savings" (TaxSavingsLogic), read-only
    ShowCashFlowYear,  // 13 ItemCashFlowYear: "After-tax Cash Flow" (AfterTaxCashLogic), read-only
    nullptr,           // 14 ItemCashFlowWeek: no editor
    EditProjections,   // 15 ItemProjections: "Annual Projections" (ProjectionsLogic)
    nullptr,           // 16 ItemIRR: no editor
    nullptr,           // 17 ItemNPV: no editor
    nullptr,           // 18 ItemAverageCashFlow: no editor
};

} // namespace

void EditItem(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
              unsigned itemType, QWidget* parent) {
    if (itemType >= kItemEditors.size()) return;
    // What an accepted editor stores reaches the settings file in one write.
    SettingsBatch batch(store);
    if (ItemEditor editor = kItemEditors[itemType]) editor({doc, scales, store, ui, parent});
}

