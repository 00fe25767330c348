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

void EditDepreciation(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                      QWidget* parent) {
    BuildingDepreciationLogic building;
    building.propertyCost = doc.Price + doc.Renovations;
    building.linkBase = building.propertyCost;
    CopyDepreciation(building, doc, kBuildingFields, ToEditor{});
    building.nilReason = BuildingDepreciationNilReason(doc);
    FittingsDepreciationLogic fittings;
    fittings.propertyCost = doc.Price + doc.Furniture;
    fittings.linkBase = doc.Price;
    fittings.value.fixedPart = doc.Furniture;
    CopyDepreciation(fittings, doc, kFittingsFields, ToEditor{});
    fittings.offerBoughtNew = SecondHandFittingsRuleApplies(doc);
    fittings.boughtNew = doc.FittingsBoughtNew;
    if (fittings.offerBoughtNew) fittings.nilReason = kNoFittingsReason;
    // A depreciation schedule gives the first year's figure in place of the rate.
    building.scheduled = !doc.BuildingSchedule.empty();
    building.scheduledFirstYear = building.scheduled ? doc.BuildingSchedule.front() : 0.0;
    fittings.scheduled = !doc.PlantSchedule.empty();
    fittings.scheduledFirstYear = fittings.scheduled ? doc.PlantSchedule.front() : 0.0;
    DepreciationSheet sheet(building, fittings, ui, parent);
    if (!Accepted(sheet)) return;
    CopyDepreciation(building, doc, kBuildingFields, ToRecord{});
    CopyDepreciation(fittings, doc, kFittingsFields, ToRecord{});
    doc.FittingsBoughtNew = fittings.boughtNew;
    RecalculateChanged(doc, scales);
    StoreField(store, doc, &Investment::CalcDepFitt);
    StoreField(store, doc, &Investment::CalcDepBuild);
    StoreField(store, doc, &Investment::DepFittPC);
    StoreField(store, doc, &Investment::DepFittRate);
    StoreField(store, doc, &Investment::DepFittMethod);
    StoreField(store, doc, &Investment::DepBuildPC);
    StoreField(store, doc, &Investment::DepBuildRate);
    StoreField(store, doc, &Investment::DepBuildMethod);
    // Remembered only where the page offered it, so that other edits write what they always did.
    if (fittings.offerBoughtNew) StoreField(store, doc, &Investment::FittingsBoughtNew);
}

void EditLoanDetails(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                     QWidget* parent) {
    RunFieldEditor<LoanAmountLogic>(
        kLoanAmountDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.cashDeposit, doc.CashDeposit);
            copy(ed.depositLink, doc.CalcDeposit);
            copy(ed.additionalLoan, doc.AdditionalLoan);
            copy(ed.loanAmount, doc.LoanAmount);
        },
        [&](LoanAmountLogic& ed) {
            ed.totalCost = doc.TotalCost;
            ed.price = doc.Price;
        },
        {&Investment::CalcDeposit});
}

void EditLoanType(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                  QWidget* parent) {
    bool interestOnlyChanged = false;
    RunEditor<LoanTypeLogic>(
        kLoanTypeDialog, doc, scales, store, ui, parent,
        [&](LoanTypeLogic& ed) {
            ed.loanAmount = doc.LoanAmount;
            ed.interestRate = doc.RateInterest;
            ed.loanType = doc.LoanType;
            ed.term = doc.LoanTerm;
            ed.interestOnlyYears = doc.InterestOnlyYears;
        },
        [&](const LoanTypeLogic& ed) {
            doc.RateInterest = ed.interestRate;
            doc.LoanType = ed.loanType;
            doc.LoanTerm = ed.term;
            interestOnlyChanged = ed.interestOnlyYears != doc.InterestOnlyYears;
            doc.InterestOnlyYears = ed.interestOnlyYears;
        },
        {&Investment::LoanType, &Investment::RateInterest, &Investment::LoanTerm});
    // Remembered as the "Assumptions" sheet remembers it, once it was changed here: a Loan Type
    // accepted as it came stores what it always did.
    if (interestOnlyChanged) StoreField(store, doc, &Investment::InterestOnlyYears);
}

void EditLoanCosts(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                   QWidget* parent) {
    RunEditor<LoanCostsLogic>(
        kLoanCostsDialog, doc, scales, store, ui, parent,
        [&](LoanCostsLogic& ed) {
            ed.costs.amount = doc.LoanCosts;
            ed.costs.percent = doc.LoanCostsPC;
            ed.costs.link = doc.CalcLoanCosts;
            ed.price = doc.Price;
            ed.otherCosts = doc.PurchaseCosts + doc.Furniture + doc.Renovations;
            ed.cashDeposit = doc.CashDeposit;
            ed.writeOffYears = doc.LCYears;
        },
        [&](const LoanCostsLogic& ed) {
            doc.LoanCosts = ed.costs.amount;
            doc.LoanCostsPC = ed.costs.percent;
            doc.CalcLoanCosts = ed.costs.link;
            doc.LCYears = LoanCostsLogic::WholeWriteOffYears(ed.writeOffYears);
        },
        {&Investment::LCYears, &Investment::LoanCostsPC, &Investment::CalcLoanCosts});
}

void EditInvestor(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                  QWidget* parent) {
    RunEditor<InvestorDetailsLogic>(
        kInvestorDetailsDialog, doc, scales, store, ui, parent,
        [&](InvestorDetailsLogic& ed) {
            ed.title = doc.NamesOnTitle == 2 ? InvestorDetailsLogic::kTitleJoint
                                             : InvestorDetailsLogic::kTitleSingle;
            ed.investorIncome = doc.TaxableHim;
            ed.partnerIncome = doc.TaxableHer;
        },
        [&](const InvestorDetailsLogic& ed) {
            doc.NamesOnTitle = ed.title + 1;
            doc.TaxableHim = ed.investorIncome;
            doc.TaxableHer = ed.partnerIncome;
        },
        {&Investment::TaxableHim, &Investment::TaxableHer, &Investment::NamesOnTitle});
}

void EditResults(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                 QWidget* parent) {
    RunFieldEditor<ResultsYearLogic>(
        kResultsYearDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) { copy(ed.resultsYear, doc.ShowYear); }, [](ResultsYearLogic&) {},
        {&Investment::ShowYear});
}

// The breakdowns show the table as the last recalculation left it and change nothing.
void ShowTaxSavings(Investment& doc, Scales& scales, SettingsStore&, DocumentUi& ui,
                    QWidget* parent) {
    TaxSavingsLogic breakdown;
    breakdown.table = doc.table;
    breakdown.investorIncomes = doc.TaxableHimByYear;
    breakdown.partnerIncomes = doc.TaxableHerByYear;
    breakdown.ownership = doc.NamesOnTitle;
    if (doc.LossTreatment == 1) breakdown.lossRuleFromYear = doc.LossRuleFromYear;
    breakdown.carriedLoss = doc.CarriedLossByYear;
    breakdown.taxScale = scales.tax;
    BreakdownDialog dialog(breakdown, kTaxSavingsDialog, TaxSavingsLogic::kYear, ui, parent);
    dialog.exec();
}

void ShowCashFlowYear(Investment& doc, Scales&, SettingsStore&, DocumentUi& ui, QWidget* parent) {
    AfterTaxCashLogic breakdown;
    breakdown.table = doc.table;
    BreakdownDialog dialog(breakdown, kAfterTaxCashDialog, AfterTaxCashLogic::kYear, ui, parent);
    dialog.exec();
}

void EditProjections(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
                     QWidget* parent) {
    RunFieldEditor<ProjectionsLogic>(
        kProjectionsDialog, doc, scales, store, ui, parent,
        [&](auto& ed, auto copy) {
            copy(ed.upperLimit, doc.ProjectionYear);
            copy(ed.growthRate, doc.RateGrowth);
            copy(ed.inflationRate, doc.RateInfl);
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
