#include "ui/dialogs/BreakdownDialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "ui/dialogs/BreakdownEditors.h"

namespace {

// One year per step, whatever the key: PageUp and PageDown would jump ten years.
class OneYearSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    void stepBy(int steps) override { QSpinBox::stepBy(steps > 0 ? 1 : steps < 0 ? -1 : 0); }
};

} // namespace

BreakdownDialog::BreakdownDialog(Breakdown& breakdown, const FormDialog& form, int yearId,
                                 DocumentUi& ui, QWidget* parent)
    : EditorDialog(breakdown, QString::fromUtf8(form.caption), ui, parent), breakdown_(breakdown) {
    EditorForm& f = Form();
    form.layOut(f);
    spin_ = new OneYearSpin(&f);
    spin_->setObjectName(QStringLiteral("yearSpin"));
    spin_->setRange(Breakdown::kFirstYear, Breakdown::kLastYear);
    spin_->setValue(Breakdown::kFirstYear);
    auto* row = new QHBoxLayout;
    row->addWidget(spin_);
    row->addStretch();
    row->addWidget(f.Figure(yearId));
    f.Rows()->addRow(row);
    connect(spin_, &QSpinBox::valueChanged, this,
            [this](int year) { Form().Dispatch([&] { breakdown_.ShowYear(Form(), year); }); });
    Open();
}

const FormDialog kTaxSavingsDialog = {"Tax Savings", [](EditorForm& f) {
    using C = TaxSavingsLogic;
    f.AddFigureRow(C::kOwnership, QStringLiteral("Ownership:"));
    f.AddFigureRow(C::kPresentTaxable, QStringLiteral("Present taxable:"));
    f.AddFigureRow(C::kRentalIncome, QStringLiteral("Rental income:"));
    f.AddFigureRow(C::kTotalIncome, QStringLiteral("Total income:"));
    f.AddFigureRow(C::kRentalDeductions, QStringLiteral("Rental deductions:"));
    f.AddFigureRow(C::kNewTaxable, QStringLiteral("New taxable inc:"));
    f.AddFigureRow(C::kPresentTax, QStringLiteral("Present tax:"));
    f.AddFigureRow(C::kNewTax, QStringLiteral("New tax:"));
    f.AddFigureRow(C::kTaxSaving, QStringLiteral("Tax saving:"));
}};

const FormDialog kAfterTaxCashDialog = {"After-tax Cash Flow", [](EditorForm& f) {
    using C = AfterTaxCashLogic;
    f.AddFigureRow(C::kAnnualRent, QStringLiteral("Annual rent:"));
    f.AddFigureRow(C::kPrincipal, QStringLiteral("Principal p'ments:"));
    f.AddFigureRow(C::kInterest, QStringLiteral("Interest:"));
    f.AddFigureRow(C::kExpenses, QStringLiteral("Expenses:"));
    f.AddFigureRow(C::kPreTaxCash, QStringLiteral("Pre-tax cash:"));
    f.AddFigureRow(C::kTaxCredits, QStringLiteral("Tax savings:"));
    f.AddFigureRow(C::kAfterTaxCash, QStringLiteral("After-tax cash:"));
}};
