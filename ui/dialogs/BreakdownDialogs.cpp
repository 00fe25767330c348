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
    f.AddFigureRows({{C::kOwnership, "Ownership:"}, {C::kPresentTaxable, "Present taxable:"},
                     {C::kRentalIncome, "Rental income:"}, {C::kTotalIncome, "Total income:"},
                     {C::kRentalDeductions, "Rental deductions:"},
                     {C::kNewTaxable, "New taxable inc:"}, {C::kPresentTax, "Present tax:"},
                     {C::kNewTax, "New tax:"}, {C::kTaxSaving, "Tax saving:"}});
}};

const FormDialog kAfterTaxCashDialog = {"After-tax Cash Flow", [](EditorForm& f) {
    using C = AfterTaxCashLogic;
    f.AddFigureRows({{C::kAnnualRent, "Annual rent:"}, {C::kPrincipal, "Principal p'ments:"},
                     {C::kInterest, "Interest:"}, {C::kExpenses, "Expenses:"},
                     {C::kPreTaxCash, "Pre-tax cash:"}, {C::kTaxCredits, "Tax savings:"},
                     {C::kAfterTaxCash, "After-tax cash:"}});
}};
