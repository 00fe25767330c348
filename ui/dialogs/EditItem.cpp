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
void EditProperty(Investment& doc, Scales&, SettingsStore&, DocumentUi& ui, QWidget* parent) {
    PropertyDescriptionLogic desc;
    NotesLogic notes;
    desc.address = doc.Address;
    desc.description = doc.Description;
    notes.notes = doc.Notes;
    DetailsSheet sheet(desc, notes, ui, parent);
    if (!Accepted(sheet)) return;
    if (desc.address == doc.Address && desc.description == doc.Description &&
        notes.notes == doc.Notes)
        return;
    doc.Address = desc.address;
    doc.Description = desc.description;
    doc.Notes = notes.notes;
}

// 1: "Property Value". Recalculates; writes no settings.
void EditPropertyValue(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                       QWidget* parent) {
    RunFieldEditor<PropertyValueLogic>(
        kPropertyValueDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.price, doc.Price);
            copy(ed.renovations, doc.Renovations);
            copy(ed.marketValue, doc.MarketValue);
            copy(ed.furniture, doc.Furniture);
        },
        [](PropertyValueLogic&) {}, {});
}

// 2: "Purchase Costs". A scale accepted through "Change Scale" is in force already, even when
// this editor is cancelled; the figures then follow it, so that what is shown is what the
// file, which holds the scale, opens to again.
void EditPurchaseCosts(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                       QWidget* parent) {
    const DutyScale scaleBefore = scales.duty;
    PurchaseCostsLogic ed;
    ed.scale = scales.duty;
    ed.price = doc.Price;
    ed.stampDuty = doc.StampDutyCost;
    ed.conveyancing = doc.Conveyancing;
    ed.otherCosts = doc.OtherCosts;
    PurchCostsDialog dialog(ed, scales, ui, parent);
    if (!Accepted(dialog)) {
        if (!(scales.duty == scaleBefore)) RecalculateChanged(doc, scales);
        return;
    }
    doc.StampDutyCost = ed.stampDuty;
    doc.Conveyancing = ed.conveyancing;
    doc.OtherCosts = ed.otherCosts;
    doc.UseSDScale = ed.usesScale;
    RecalculateChanged(doc, scales);
    StoreField(store, doc, &Investment::UseSDScale);
    StoreField(store, doc, &Investment::Conveyancing);
}

// 3: "Cash Deposit".
void EditCashDeposit(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                     QWidget* parent) {
    RunFieldEditor<CashDepositLogic>(
        kCashDepositDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.deposit.amount, doc.CashDeposit);
            copy(ed.deposit.percent, doc.DepositPC);
            copy(ed.deposit.link, doc.CalcDeposit);
        },
        [&](CashDepositLogic& ed) {
            ed.price = doc.Price;
            ed.renovations = doc.Renovations;
            ed.furniture = doc.Furniture;
            ed.purchaseCosts = doc.PurchaseCosts;
        },
        {&Investment::DepositPC, &Investment::CalcDeposit});
}

// 4: "Rental Income".
void EditRent(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
              QWidget* parent) {
    RunFieldEditor<RentIncomeLogic>(
        kRentIncomeDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.rent, doc.Rent);
            copy(ed.periodsPerYear, doc.PeriodsPerYear);
            copy(ed.vacancyRate, doc.VacancyRate);
        },
        [&](RentIncomeLogic& ed) { ed.price = doc.Price; },
        {&Investment::PeriodsPerYear, &Investment::VacancyRate});
}

// 5: "Rental Expenses".
void EditExpenses(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                  QWidget* parent) {
    RunFieldEditor<RentExpensesLogic>(
        kRentExpensesDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.expenses.amount, doc.Expenses);
            copy(ed.expenses.percent, doc.ExpensesPC);
            copy(ed.expenses.link, doc.CalcExpenses);
        },
        [&](RentExpensesLogic& ed) {
            ed.marketValue = doc.MarketValue;
            ed.annualRent = doc.Rent * doc.PeriodsPerYear;
        },
        {&Investment::ExpensesPC, &Investment::CalcExpenses});
}

using ItemEditor = void (*)(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                            QWidget* parent);

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
    if (ItemEditor editor = kItemEditors[itemType]) editor(doc, scales, store, ui, parent);
}

