#include "ui/dialogs/AssumptionDialogs.h"

#include <initializer_list>

#include <QFormLayout>
#include <QLabel>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/ItemEditors.h"

namespace {

// A figure of a whole line, its text wrapped.
void AddNote(CEditorForm& f, int id) {
    QLabel* note = f.Figure(id);
    note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    note->setWordWrap(true);
    f.Rows()->addRow(note);
}

} // namespace

AssumptionsSheet::AssumptionsSheet(CSaleAssumptions& sale, CTaxRulesAssumptions& taxRules,
                                   CRentAssumptions& rent, CLoanAssumptions& loan,
                                   QWidget* parent)
    : CEditorSheet(QStringLiteral("Assumptions"), parent) {
    {
        using C = CSaleAssumptions;
        CEditorForm& f = AddPage(sale, QStringLiteral("Sale"));
        f.AddNumberRow(C::kSellingCosts, QStringLiteral("Selling costs:"), kPercentFormat)
            ->setToolTip(QStringLiteral("Agent and marketing, as a share of the sale price"));
        f.AddNumberRow(C::kDiscount, QStringLiteral("Discount on the gain:"), kPercentFormat)
            ->setToolTip(
                QStringLiteral("The capital gains discount for a property held a year or more"));
        AddNote(f, C::kHeld);
        f.AddFigureRow(C::kSalePrice, QStringLiteral("Sale price:"));
        f.AddFigureRow(C::kSaleCosts, QStringLiteral("Cost of selling:"));
        f.AddFigureRow(C::kCostBase, QStringLiteral("Cost base:"));
        f.AddFigureRow(C::kGain, QStringLiteral("Capital gain:"));
        f.AddFigureRow(C::kTaxableGain, QStringLiteral("Taxable gain:"));
        f.AddFigureRow(C::kSaleTax, QStringLiteral("Capital gains tax:"));
        f.AddFigureRow(C::kValueAfter, QStringLiteral("Value after sale:"));
        f.AddFigureRow(C::kIRRAfter, QStringLiteral("IRR after sale:"));
        f.AddFigureRow(C::kNPVAfter, QStringLiteral("NPV after sale:"));
        f.AddRecalculateRow();
    }
    {
        using C = CTaxRulesAssumptions;
        CEditorForm& f = AddPage(taxRules, QStringLiteral("Tax Rules"));
        f.AddCheckRow(C::kCarryForward, QStringLiteral("Carry rental losses forward"))
            ->setToolTip(QStringLiteral(
                "A loss reduces later rental profits and the gain on sale, not other income"));
        f.AddNumberRow(C::kFromYear, QStringLiteral("From year:"), "0")
            ->setToolTip(QStringLiteral("The first year of the projections under this rule"));
        f.AddFigureRow(C::kCarriedAtSale, QStringLiteral("Loss carried at sale:"));
        f.AddFigureRow(C::kTaxSaving, QStringLiteral("Tax savings in the results year:"));
        f.AddFigureRow(C::kTaxableGain, QStringLiteral("Taxable gain on sale:"));
        f.AddFigureRow(C::kIRR, QStringLiteral("IRR:"));
        f.AddRecalculateRow();
    }
    {
        using C = CRentAssumptions;
        CEditorForm& f = AddPage(rent, QStringLiteral("Rent"));
        f.AddCheckRow(C::kFollowsInflation, QStringLiteral("Rent follows inflation"));
        f.AddNumberRow(C::kRentGrowth, QStringLiteral("Rent growth:"), kPercentFormat)
            ->setToolTip(QStringLiteral("How much the rent rises each year"));
        f.AddFigureRow(C::kRentLastYear, QStringLiteral("Rent in the last year:"));
        f.AddFigureRow(C::kIRR, QStringLiteral("IRR:"));
        f.AddRecalculateRow();
    }
    {
        using C = CLoanAssumptions;
        CEditorForm& f = AddPage(loan, QStringLiteral("Loan"));
        f.AddNumberRow(C::kInterestOnlyYears, QStringLiteral("Interest-only years:"), "0")
            ->setToolTip(QStringLiteral("Years of interest only before principal and interest"));
        AddNote(f, C::kApplies);
        f.AddFigureRow(C::kRepaymentBefore, QStringLiteral("Repayment / month, interest only:"));
        f.AddFigureRow(C::kRepaymentAfter, QStringLiteral("Repayment / month, after:"));
        f.AddFigureRow(C::kIRR, QStringLiteral("IRR:"));
        f.AddRecalculateRow();
    }
    Open();
}

void EditAssumptions(CVELPPCDoc& doc, SettingsStore& store, QWidget* parent) {
    CSaleAssumptions sale(doc);
    CTaxRulesAssumptions taxRules(doc);
    CRentAssumptions rent(doc);
    CLoanAssumptions loan(doc);
    AssumptionsSheet sheet(sale, taxRules, rent, loan, parent);
    if (!Accepted(sheet)) return;
    for (const CAssumptionPage* page :
         std::initializer_list<const CAssumptionPage*>{&sale, &taxRules, &rent, &loan})
        page->Apply(doc);
    RecalculateChanged(doc);
    StoreAssumptions(store, doc);
}
