// The editors as RunEditor runs them: what each takes from the record, what it gives back and
// what it remembers.
#include "ui/dialogs/ItemEditors.h"

#include "model/Investment.h"
#include "model/Law.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "ui/dialogs/BreakdownDialogs.h"
#include "ui/dialogs/BreakdownEditors.h"
#include "ui/dialogs/DepreciationDialogs.h"
#include "ui/dialogs/DepreciationEditors.h"
#include "ui/dialogs/InvestorDialogs.h"
#include "ui/dialogs/InvestorEditors.h"
#include "ui/dialogs/LoanDialogs.h"
#include "ui/dialogs/LoanEditors.h"

bool Accepted(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void RecalculateChanged(Investment& doc, const Scales& scales) {
    doc.LimitInputs();
    doc.Recalculate(scales);
}

namespace {

// The record's fields of one depreciation page: value, percentage, link, rate and method.
struct DepreciationFields {
    double Investment::*value;
    double Investment::*percent;
    int Investment::*link;
    double Investment::*rate;
    int Investment::*method;
};
constexpr DepreciationFields kBuildingFields = {
    &Investment::DepBuildValue, &Investment::DepBuildPC, &Investment::CalcDepBuild,
    &Investment::DepBuildRate, &Investment::DepBuildMethod};
constexpr DepreciationFields kFittingsFields = {
    &Investment::DepFittValue, &Investment::DepFittPC, &Investment::CalcDepFitt,
    &Investment::DepFittRate, &Investment::DepFittMethod};

// A page's fields and the record's, one way (ToEditor or ToRecord).
template <class Copy>
void CopyDepreciation(DepreciationPageLogic& page, Investment& doc, const DepreciationFields& f,
                      Copy copy) {
    copy(page.value.amount, doc.*f.value);
    copy(page.value.percent, doc.*f.percent);
    copy(page.value.link, doc.*f.link);
    copy(page.rate, doc.*f.rate);
    copy(page.method, doc.*f.method);
}

} // namespace

void EditDepreciation(const ItemEditing& e) {
    BuildingDepreciationLogic building;
    building.propertyCost = e.doc.Price + e.doc.Renovations;
    building.linkBase = building.propertyCost;
    CopyDepreciation(building, e.doc, kBuildingFields, ToEditor{});
    building.nilReason = BuildingDepreciationNilReason(e.doc);
    FittingsDepreciationLogic fittings;
    fittings.propertyCost = e.doc.Price + e.doc.Furniture;
    fittings.linkBase = e.doc.Price;
    fittings.value.fixedPart = e.doc.Furniture;
    CopyDepreciation(fittings, e.doc, kFittingsFields, ToEditor{});
    fittings.offerBoughtNew = SecondHandFittingsRuleApplies(e.doc);
    fittings.boughtNew = e.doc.FittingsBoughtNew;
    if (fittings.offerBoughtNew) fittings.nilReason = kNoFittingsReason;
    // A depreciation schedule gives the first year's figure in place of the rate.
    building.scheduled = !e.doc.BuildingSchedule.empty();
    building.scheduledFirstYear = building.scheduled ? e.doc.BuildingSchedule.front() : 0.0;
    fittings.scheduled = !e.doc.PlantSchedule.empty();
    fittings.scheduledFirstYear = fittings.scheduled ? e.doc.PlantSchedule.front() : 0.0;
    DepreciationSheet sheet(building, fittings, e.ui, e.parent);
    if (!Accepted(sheet)) return;
    CopyDepreciation(building, e.doc, kBuildingFields, ToRecord{});
    CopyDepreciation(fittings, e.doc, kFittingsFields, ToRecord{});
    e.doc.FittingsBoughtNew = fittings.boughtNew;
    RecalculateChanged(e.doc, e.scales);
    StoreFields(e.store, e.doc,
                {&Investment::CalcDepFitt, &Investment::CalcDepBuild, &Investment::DepFittPC,
                 &Investment::DepFittRate, &Investment::DepFittMethod, &Investment::DepBuildPC,
                 &Investment::DepBuildRate, &Investment::DepBuildMethod});
    // Remembered only where the page offered it, so that other edits write what they always did.
    if (fittings.offerBoughtNew) StoreField(e.store, e.doc, &Investment::FittingsBoughtNew);
}

void EditLoanDetails(const ItemEditing& e) {
    RunFieldEditor<LoanAmountLogic>(
        kLoanAmountDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.cashDeposit, e.doc.CashDeposit);
            copy(ed.depositLink, e.doc.CalcDeposit);
            copy(ed.additionalLoan, e.doc.AdditionalLoan);
            copy(ed.loanAmount, e.doc.LoanAmount);
        },
        [&](LoanAmountLogic& ed) {
            ed.totalCost = e.doc.TotalCost;
            ed.price = e.doc.Price;
        },
        {&Investment::CalcDeposit});
}

void EditLoanType(const ItemEditing& e) {
    bool interestOnlyChanged = false;
    RunEditor<LoanTypeLogic>(
        kLoanTypeDialog, e,
        [&](LoanTypeLogic& ed) {
            ed.loanAmount = e.doc.LoanAmount;
            ed.interestRate = e.doc.RateInterest;
            ed.loanType = e.doc.LoanType;
            ed.term = e.doc.LoanTerm;
            ed.interestOnlyYears = e.doc.InterestOnlyYears;
        },
        [&](const LoanTypeLogic& ed) {
            e.doc.RateInterest = ed.interestRate;
            e.doc.LoanType = ed.loanType;
            e.doc.LoanTerm = ed.term;
            interestOnlyChanged = ed.interestOnlyYears != e.doc.InterestOnlyYears;
            e.doc.InterestOnlyYears = ed.interestOnlyYears;
        },
        {&Investment::LoanType, &Investment::RateInterest, &Investment::LoanTerm});
    // Remembered as the "Assumptions" sheet remembers it, once it was changed here: a Loan Type
    // accepted as it came stores what it always did.
    if (interestOnlyChanged) StoreField(e.store, e.doc, &Investment::InterestOnlyYears);
}

void EditLoanCosts(const ItemEditing& e) {
    RunEditor<LoanCostsLogic>(
        kLoanCostsDialog, e,
        [&](LoanCostsLogic& ed) {
            ed.costs.amount = e.doc.LoanCosts;
            ed.costs.percent = e.doc.LoanCostsPC;
            ed.costs.link = e.doc.CalcLoanCosts;
            ed.price = e.doc.Price;
            ed.otherCosts = e.doc.PurchaseCosts + e.doc.Furniture + e.doc.Renovations;
            ed.cashDeposit = e.doc.CashDeposit;
            ed.writeOffYears = e.doc.LCYears;
        },
        [&](const LoanCostsLogic& ed) {
            e.doc.LoanCosts = ed.costs.amount;
            e.doc.LoanCostsPC = ed.costs.percent;
            e.doc.CalcLoanCosts = ed.costs.link;
            e.doc.LCYears = LoanCostsLogic::WholeWriteOffYears(ed.writeOffYears);
        },
        {&Investment::LCYears, &Investment::LoanCostsPC, &Investment::CalcLoanCosts});
}

void EditInvestor(const ItemEditing& e) {
    RunEditor<InvestorDetailsLogic>(
        kInvestorDetailsDialog, e,
        [&](InvestorDetailsLogic& ed) {
            ed.title = e.doc.NamesOnTitle == 2 ? InvestorDetailsLogic::kTitleJoint
                                               : InvestorDetailsLogic::kTitleSingle;
            ed.investorIncome = e.doc.TaxableHim;
            ed.partnerIncome = e.doc.TaxableHer;
        },
        [&](const InvestorDetailsLogic& ed) {
            e.doc.NamesOnTitle = ed.title + 1;
            e.doc.TaxableHim = ed.investorIncome;
            e.doc.TaxableHer = ed.partnerIncome;
        },
        {&Investment::TaxableHim, &Investment::TaxableHer, &Investment::NamesOnTitle});
}

void EditResults(const ItemEditing& e) {
    RunFieldEditor<ResultsYearLogic>(
        kResultsYearDialog, e, [&](auto& ed, auto copy) { copy(ed.resultsYear, e.doc.ShowYear); },
        [](ResultsYearLogic&) {}, {&Investment::ShowYear});
}

// The breakdowns show the table as the last recalculation left it and change nothing.
void ShowTaxSavings(const ItemEditing& e) {
    TaxSavingsLogic breakdown;
    breakdown.table = e.doc.table;
    breakdown.investorIncomes = e.doc.TaxableHimByYear;
    breakdown.partnerIncomes = e.doc.TaxableHerByYear;
    breakdown.ownership = e.doc.NamesOnTitle;
    if (e.doc.LossTreatment == 1) breakdown.lossRuleFromYear = e.doc.LossRuleFromYear;
    breakdown.carriedLoss = e.doc.CarriedLossByYear;
    breakdown.taxScale = e.scales.tax;
    BreakdownDialog dialog(breakdown, kTaxSavingsDialog, TaxSavingsLogic::kYear, e.ui, e.parent);
    dialog.exec();
}

void ShowCashFlowYear(const ItemEditing& e) {
    AfterTaxCashLogic breakdown;
    breakdown.table = e.doc.table;
    BreakdownDialog dialog(breakdown, kAfterTaxCashDialog, AfterTaxCashLogic::kYear, e.ui,
                           e.parent);
    dialog.exec();
}

void EditProjections(const ItemEditing& e) {
    RunFieldEditor<ProjectionsLogic>(
        kProjectionsDialog, e,
        [&](auto& ed, auto copy) {
            copy(ed.upperLimit, e.doc.ProjectionYear);
            copy(ed.growthRate, e.doc.RateGrowth);
            copy(ed.inflationRate, e.doc.RateInfl);
        },
        [](ProjectionsLogic&) {},
        {&Investment::RateGrowth, &Investment::RateInfl, &Investment::ProjectionYear});
}

void EditLinkedVariables(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                         QWidget* parent) {
    using C = LinkedVariablesLogic;
    // Control ids and the record's switches, in the order of the dialog.
    int* const fields[C::kSwitchCount] = {&doc.UseSDScale,   &doc.CalcDeposit,   &doc.CalcDepFitt,
                                          &doc.CalcDepBuild, &doc.CalcLoanCosts, &doc.CalcExpenses};
    LinkedVariablesLogic ed;
    for (int i = 0; i < C::kSwitchCount; ++i)
        ed.switches[static_cast<std::size_t>(i)] = *fields[i];
    EditorDialog dialog(ed, kLinkedVariablesDialog, ui, parent);
    if (!Accepted(dialog)) return;
    for (int i = 0; i < C::kSwitchCount; ++i)
        *fields[i] = ed.switches[static_cast<std::size_t>(i)];
    RecalculateChanged(doc, scales);
    StoreLinkSwitches(store, doc);
}
