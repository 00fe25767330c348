// Renders each dialog of the depreciation, loan, investor, projection, results-year and
// linked-variables editors and of the two breakdowns to $VEL_SCREENSHOT_DIR/dialog-<name>.png,
// filled from the worked example. Skipped without it.
#include <QDir>
#include <QTabWidget>

#include "model/Scales.h"
#include "tests/model/WorkedExample.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BreakdownDialogs.h"
#include "ui/dialogs/BreakdownEditors.h"
#include "ui/dialogs/DepreciationDialogs.h"
#include "ui/dialogs/DepreciationEditors.h"
#include "ui/dialogs/InvestorDialogs.h"
#include "ui/dialogs/InvestorEditors.h"
#include "ui/dialogs/LoanDialogs.h"
#include "ui/dialogs/LoanEditors.h"

namespace {

void Save(QWidget& dialog, const QString& dir, const char* name) {
    dialog.show();
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(QStringLiteral("dialog-%1.png").arg(name));
    EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
    dialog.hide();
}

} // namespace

TEST(Screenshots, Dialogs2) {
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";
    QDir().mkpath(dir);
    CVELPPCDoc doc;
    SetUpWorkedExample(doc, 1);

    CDepBuild building;
    building.propertyCost = doc.Price + doc.Renovations;
    building.value.amount = doc.DepBuildValue;
    building.value.percent = doc.DepBuildPC;
    building.value.link = doc.CalcDepBuild;
    building.rate = doc.DepBuildRate;
    building.method = doc.DepBuildMethod;
    CDepFitt fittings;
    fittings.propertyCost = doc.Price + doc.Furniture;
    fittings.value.amount = doc.DepFittValue;
    fittings.value.percent = doc.DepFittPC;
    fittings.value.link = doc.CalcDepFitt;
    fittings.rate = doc.DepFittRate;
    fittings.method = doc.DepFittMethod;
    DepreciationSheet sheet(building, fittings);
    Save(sheet, dir, "depreciation-building");
    sheet.Tabs()->setCurrentIndex(1);
    Save(sheet, dir, "depreciation-fittings");

    CLoanAmount amount;
    amount.totalCost = doc.TotalCost;
    amount.cashDeposit = doc.CashDeposit;
    amount.depositLink = doc.CalcDeposit;
    amount.loanAmount = doc.LoanAmount;
    LoanAmountDialog amountDialog(amount);
    Save(amountDialog, dir, "loan-amount");

    CLoanType type;
    type.loanAmount = doc.LoanAmount;
    type.interestRate = doc.RateInterest;
    type.loanType = doc.LoanType;
    type.term = doc.LoanTerm;
    LoanTypeDialog typeDialog(type);
    Save(typeDialog, dir, "loan-type");

    CLoanCosts costs;
    costs.costs.amount = doc.LoanCosts;
    costs.costs.percent = doc.LoanCostsPC;
    costs.costs.link = doc.CalcLoanCosts;
    costs.price = doc.Price;
    costs.otherCosts = doc.PurchaseCosts + doc.Furniture + doc.Renovations;
    costs.cashDeposit = doc.CashDeposit;
    costs.writeOffYears = doc.LCYears;
    LoanCostsDialog costsDialog(costs);
    Save(costsDialog, dir, "loan-costs");

    CInvestorDetails investor;
    investor.investorIncome = doc.TaxableHim;
    investor.partnerIncome = doc.TaxableHer;
    InvestorDetailsDialog investorDialog(investor);
    Save(investorDialog, dir, "investor-details");

    CProjections projections;
    projections.upperLimit = doc.ProjectionYear;
    projections.growthRate = doc.RateGrowth;
    projections.inflationRate = doc.RateInfl;
    ProjectionsDialog projectionsDialog(projections);
    Save(projectionsDialog, dir, "projections");

    CResultsYear results;
    results.resultsYear = doc.ShowYear;
    ResultsYearDialog resultsDialog(results);
    Save(resultsDialog, dir, "results-year");

    CLinkedVars linked;
    linked.switches = {doc.UseSDScale,   doc.CalcDeposit,   doc.CalcDepFitt,
                       doc.CalcDepBuild, doc.CalcLoanCosts, doc.CalcExpenses};
    LinkedVarsDialog linkedDialog(linked);
    Save(linkedDialog, dir, "linked-variables");

    CTaxSavings savings;
    savings.table = doc.table;
    savings.investorIncomes = doc.TaxableHimByYear;
    savings.partnerIncomes = doc.TaxableHerByYear;
    savings.ownership = doc.NamesOnTitle;
    TaxSavingsDialog savingsDialog(savings);
    Save(savingsDialog, dir, "tax-savings");

    CAfterTaxCash cash;
    cash.table = doc.table;
    AfterTaxCashDialog cashDialog(cash);
    Save(cashDialog, dir, "after-tax-cash");

    ResetScalesToStartup();
}
