#include "ui/dialogs/DepreciationDialogs.h"

#include <QFormLayout>
#include <QLabel>

#include "ui/dialogs/DepreciationEditors.h"

namespace {

void LayOutPage(EditorForm& f, const QString& costLabel, bool offerBoughtNew) {
    using C = DepreciationPageLogic;
    f.AddNumberRow(C::kDepreciableValue, QStringLiteral("Depreciable value:"), kAmountFormat);
    f.AddNumberRow(C::kDepreciationRate, QStringLiteral("Depreciation rate:"), kPercentFormat);
    f.Rows()->addRow(QStringLiteral("Method:"),
                     f.DropDown(C::kMethod, {QStringLiteral("Diminishing value"),
                                             QStringLiteral("Straight line")}));
    f.AddFigureRow(C::kDepreciation, QStringLiteral("Depreciation:"));
    QLabel* why = f.Figure(C::kNilReason);
    why->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    why->setWordWrap(true);
    f.Rows()->addRow(why);
    if (offerBoughtNew)
        f.AddCheckRow(C::kBoughtNew, QStringLiteral("Fittings bought new by owner"))
            ->setToolTip(QStringLiteral("Fittings that came with an established dwelling are "
                                        "not deductible"));
    f.AddCheckRow(C::kValueLink, QStringLiteral("Value set as % of total cost"));
    f.AddNumberRow(C::kPercentOfCost, QStringLiteral("Percent of cost:"), kPercentFormat);
    f.AddFigureRow(C::kPropertyCost, costLabel);
    f.AddRecalculateRow();
}

} // namespace

DepreciationSheet::DepreciationSheet(BuildingDepreciationLogic& building,
                                     FittingsDepreciationLogic& fittings, DocumentUi& ui,
                                     QWidget* parent)
    : EditorSheet(QStringLiteral("Depreciation"), ui, parent) {
    LayOutPage(AddPage(building, QStringLiteral("Building")),
               QStringLiteral("Property cost:\n(incl improvements)"), false);
    LayOutPage(AddPage(fittings, QStringLiteral("Fittings")),
               QStringLiteral("Property cost:\n(incl furniture)"), fittings.offerBoughtNew);
    Open();
}
