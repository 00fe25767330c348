#include "ui/dialogs/AssumptionDialogs.h"

#include <QFormLayout>
#include <QLabel>

#include "model/Investment.h"
#include "persist/Settings.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/ItemEditors.h"

AssumptionsSheet::AssumptionsSheet(CSaleAssumptions& sale, QWidget* parent)
    : CEditorSheet(QStringLiteral("Assumptions"), parent) {
    using C = CSaleAssumptions;
    CEditorForm& f = AddPage(sale, QStringLiteral("Sale"));
    f.AddNumberRow(C::kSellingCosts, QStringLiteral("Selling costs:"), kPercentFormat)
        ->setToolTip(QStringLiteral("Agent and marketing, as a share of the sale price"));
    f.AddNumberRow(C::kDiscount, QStringLiteral("Discount on the gain:"), kPercentFormat)
        ->setToolTip(QStringLiteral("The capital gains discount for a property held a year or more"));
    QLabel* held = f.Figure(C::kHeld);
    held->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    held->setWordWrap(true);
    f.Rows()->addRow(held);
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
    Open();
}

void EditAssumptions(CVELPPCDoc& doc, SettingsStore& store, QWidget* parent) {
    CSaleAssumptions sale(doc);
    AssumptionsSheet sheet(sale, parent);
    if (!Accepted(sheet)) return;
    doc.SellingCostsPC = sale.sellingCostsPC;
    doc.CGTDiscountPC = sale.cgtDiscountPC;
    RecalculateChanged(doc);
    StoreAssumptions(store, doc);
}
