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

void RecalculateChanged(CVELPPCDoc& doc, const Scales& scales) {
    doc.LimitInputs();
    doc.Recalculate(true, scales);
}

void EditDepreciation(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    CDepBuild building;
    building.propertyCost = doc.Price + doc.Renovations;
    building.linkBase = building.propertyCost;
    building.value.amount = doc.DepBuildValue;
    building.value.percent = doc.DepBuildPC;
    building.value.link = doc.CalcDepBuild;
    building.rate = doc.DepBuildRate;
    building.method = doc.DepBuildMethod;
    building.nilReason = BuildingDepreciationNilReason(doc);
    CDepFitt fittings;
    fittings.propertyCost = doc.Price + doc.Furniture;
    fittings.linkBase = doc.Price;
    fittings.value.fixedPart = doc.Furniture;
    fittings.value.amount = doc.DepFittValue;
    fittings.value.percent = doc.DepFittPC;
    fittings.value.link = doc.CalcDepFitt;
    fittings.rate = doc.DepFittRate;
    fittings.method = doc.DepFittMethod;
    fittings.offerBoughtNew = SecondHandFittingsRuleApplies(doc);
    fittings.boughtNew = doc.FittingsBoughtNew;
    if (fittings.offerBoughtNew) fittings.nilReason = kNoFittingsReason;
    // A depreciation schedule gives the first year's figure in place of the rate.
    building.scheduled = !doc.BuildingSchedule.empty();
    building.scheduledFirstYear = building.scheduled ? doc.BuildingSchedule.front() : 0.0;
    fittings.scheduled = !doc.PlantSchedule.empty();
    fittings.scheduledFirstYear = fittings.scheduled ? doc.PlantSchedule.front() : 0.0;
    DepreciationSheet sheet(building, fittings, parent);
    if (!Accepted(sheet)) return;
    doc.DepBuildValue = building.value.amount;
    doc.DepBuildPC = building.value.percent;
    doc.CalcDepBuild = building.value.link;
    doc.DepBuildRate = building.rate;
    doc.DepBuildMethod = building.method;
    doc.DepFittValue = fittings.value.amount;
    doc.DepFittPC = fittings.value.percent;
    doc.CalcDepFitt = fittings.value.link;
    doc.DepFittRate = fittings.rate;
    doc.DepFittMethod = fittings.method;
    doc.FittingsBoughtNew = fittings.boughtNew;
    RecalculateChanged(doc, scales);
    StoreField(store, doc, &CVELPPCDoc::CalcDepFitt);
    StoreField(store, doc, &CVELPPCDoc::CalcDepBuild);
    StoreField(store, doc, &CVELPPCDoc::DepFittPC);
    StoreField(store, doc, &CVELPPCDoc::DepFittRate);
    StoreField(store, doc, &CVELPPCDoc::DepFittMethod);
    StoreField(store, doc, &CVELPPCDoc::DepBuildPC);
    StoreField(store, doc, &CVELPPCDoc::DepBuildRate);
    StoreField(store, doc, &CVELPPCDoc::DepBuildMethod);
    // Remembered only where the page offered it, so that other edits write what they always did.
    if (fittings.offerBoughtNew) StoreField(store, doc, &CVELPPCDoc::FittingsBoughtNew);
}

void EditLoanDetails(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CLoanAmount, LoanAmountDialog>(
        doc, scales, store, parent,
        [&](CLoanAmount& ed) {
            ed.totalCost = doc.TotalCost;
            ed.cashDeposit = doc.CashDeposit;
            ed.depositLink = doc.CalcDeposit;
            ed.additionalLoan = doc.AdditionalLoan;
            ed.loanAmount = doc.LoanAmount;
        },
        [&](const CLoanAmount& ed) {
            doc.CashDeposit = ed.cashDeposit;
            doc.CalcDeposit = ed.depositLink;
            doc.AdditionalLoan = ed.additionalLoan;
            doc.LoanAmount = ed.loanAmount;
        },
        {&CVELPPCDoc::CalcDeposit});
}

void EditLoanType(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CLoanType, LoanTypeDialog>(
        doc, scales, store, parent,
        [&](CLoanType& ed) {
            ed.loanAmount = doc.LoanAmount;
            ed.interestRate = doc.RateInterest;
            ed.loanType = doc.LoanType;
            ed.term = doc.LoanTerm;
        },
        [&](const CLoanType& ed) {
            doc.RateInterest = ed.interestRate;
            doc.LoanType = ed.loanType;
            doc.LoanTerm = ed.term;
        },
        {&CVELPPCDoc::LoanType, &CVELPPCDoc::RateInterest, &CVELPPCDoc::LoanTerm});
}

void EditLoanCosts(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CLoanCosts, LoanCostsDialog>(
        doc, scales, store, parent,
        [&](CLoanCosts& ed) {
            ed.costs.amount = doc.LoanCosts;
            ed.costs.percent = doc.LoanCostsPC;
            ed.costs.link = doc.CalcLoanCosts;
            ed.price = doc.Price;
            ed.otherCosts = doc.PurchaseCosts + doc.Furniture + doc.Renovations;
            ed.cashDeposit = doc.CashDeposit;
            ed.writeOffYears = doc.LCYears;
        },
        [&](const CLoanCosts& ed) {
            doc.LoanCosts = ed.costs.amount;
            doc.LoanCostsPC = ed.costs.percent;
            doc.CalcLoanCosts = ed.costs.link;
            doc.LCYears = CLoanCosts::WholeWriteOffYears(ed.writeOffYears);
        },
        {&CVELPPCDoc::LCYears, &CVELPPCDoc::LoanCostsPC, &CVELPPCDoc::CalcLoanCosts});
}

void EditInvestor(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CInvestorDetails, InvestorDetailsDialog>(
        doc, scales, store, parent,
        [&](CInvestorDetails& ed) {
            ed.title = doc.NamesOnTitle == 2 ? CInvestorDetails::kTitleJoint
                                             : CInvestorDetails::kTitleSingle;
            ed.investorIncome = doc.TaxableHim;
            ed.partnerIncome = doc.TaxableHer;
        },
        [&](const CInvestorDetails& ed) {
            doc.NamesOnTitle = ed.title + 1;
            doc.TaxableHim = ed.investorIncome;
            doc.TaxableHer = ed.partnerIncome;
        },
        {&CVELPPCDoc::TaxableHim, &CVELPPCDoc::TaxableHer, &CVELPPCDoc::NamesOnTitle});
}

void EditResults(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CResultsYear, ResultsYearDialog>(
        doc, scales, store, parent, [&](CResultsYear& ed) { ed.resultsYear = doc.ShowYear; },
        [&](const CResultsYear& ed) { doc.ShowYear = ed.resultsYear; }, {&CVELPPCDoc::ShowYear});
}

// The breakdowns show the table as the last recalculation left it and change nothing.
void ShowTaxSavings(CVELPPCDoc& doc, Scales& scales, SettingsStore&, QWidget* parent) {
    CTaxSavings breakdown;
    breakdown.table = doc.table;
    breakdown.investorIncomes = doc.TaxableHimByYear;
    breakdown.partnerIncomes = doc.TaxableHerByYear;
    breakdown.ownership = doc.NamesOnTitle;
    if (doc.LossTreatment == 1) breakdown.lossRuleFromYear = doc.LossRuleFromYear;
    breakdown.carriedLoss = doc.CarriedLossByYear;
    breakdown.taxScale = scales.tax;
    TaxSavingsDialog dialog(breakdown, parent);
    dialog.exec();
}

void ShowCashFlowYear(CVELPPCDoc& doc, Scales&, SettingsStore&, QWidget* parent) {
    CAfterTaxCash breakdown;
    breakdown.table = doc.table;
    AfterTaxCashDialog dialog(breakdown, parent);
    dialog.exec();
}

void EditProjections(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    RunEditor<CProjections, ProjectionsDialog>(
        doc, scales, store, parent,
        [&](CProjections& ed) {
            ed.upperLimit = doc.ProjectionYear;
            ed.growthRate = doc.RateGrowth;
            ed.inflationRate = doc.RateInfl;
        },
        [&](const CProjections& ed) {
            doc.ProjectionYear = ed.upperLimit;
            doc.RateGrowth = ed.growthRate;
            doc.RateInfl = ed.inflationRate;
        },
        {&CVELPPCDoc::RateGrowth, &CVELPPCDoc::RateInfl, &CVELPPCDoc::ProjectionYear});
}

void EditLinkedVariables(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent) {
    using C = CLinkedVars;
    // Control ids and the record's switches, in the order of the dialog.
    int* const fields[C::kSwitchCount] = {&doc.UseSDScale,   &doc.CalcDeposit,   &doc.CalcDepFitt,
                                          &doc.CalcDepBuild, &doc.CalcLoanCosts, &doc.CalcExpenses};
    CLinkedVars ed;
    for (int i = 0; i < C::kSwitchCount; ++i)
        ed.switches[static_cast<std::size_t>(i)] = *fields[i];
    LinkedVarsDialog dialog(ed, parent);
    if (!Accepted(dialog)) return;
    for (int i = 0; i < C::kSwitchCount; ++i)
        *fields[i] = ed.switches[static_cast<std::size_t>(i)];
    RecalculateChanged(doc, scales);
    StoreLinkSwitches(store, doc);
}
