#include "ui/dialogs/LoanDialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/NumEdit.h"

const FormDialog kLoanAmountDialog = {"Loan Amount", [](EditorForm& f) {
    using C = LoanAmountLogic;
    f.AddFigureRows({{C::kTotalCost, "Total cost:"}, {C::kCashDeposit, "Cash deposit:"},
                     {C::kDeficit, "Deficit:"}, {C::kAdditionalLoan, "Additional loan:"}});
    f.AddNumberRow(C::kLoanAmount, QStringLiteral("Loan amount:"), kAmountFormat);
    f.AddNumberRow(C::kShareOfPrice, QStringLiteral("Loan as % of price:"), kPercentFormat);
    f.AddRecalculateRow();
}};

namespace {

// A line of the loan type's box: a label and a field of years, both to the left.
void AddYearsLine(EditorForm& f, QGroupBox* group, int labelId, const QString& text, int editId) {
    QLabel* label = f.Figure(labelId);
    label->setText(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setMinimumWidth(0);
    NumEdit* edit = f.NumberEdit(editId, kYearsFormat);
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setParent(group);
    edit->setParent(group);
    label->setBuddy(edit);
    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(edit);
    line->addStretch();
    static_cast<QVBoxLayout*>(group->layout())->addLayout(line);
}

} // namespace

const FormDialog kLoanTypeDialog = {"Loan Type", [](EditorForm& f) {
    using C = LoanTypeLogic;
    f.AddFigureRow(C::kLoanAmount, QStringLiteral("Loan amount:"));
    f.AddNumberRow(C::kInterestRate, QStringLiteral("Interest rate:"), kPercentFormat);

    auto* group = new QGroupBox(QStringLiteral("Loan Type"), &f);
    auto* box = new QVBoxLayout(group);
    QRadioButton* interestOnly = f.RadioButton(C::kInterestOnly, QStringLiteral("Interest Only"));
    QRadioButton* principal =
        f.RadioButton(C::kPrincipalInterest, QStringLiteral("Principal && Interest"));
    interestOnly->setParent(group);
    principal->setParent(group);
    box->addWidget(interestOnly);
    box->addWidget(principal);
    AddYearsLine(f, group, C::kTermLabel, QStringLiteral("Term:"), C::kTerm);
    // The same years as the "Assumptions" page "Loan" edits.
    AddYearsLine(f, group, C::kInterestOnlyLabel, QStringLiteral("Interest only first:"),
                 C::kInterestOnlyYears);
    f.Rows()->addRow(group);

    f.AddFigureRow(C::kRepayment, QStringLiteral("Repayment/month:"));
    QLabel* afterLabel = f.Figure(C::kRepaymentAfterLabel);
    afterLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    afterLabel->setMinimumWidth(0);
    f.Rows()->addRow(afterLabel, f.Figure(C::kRepaymentAfter));
    f.AddRecalculateRow();
}};

const FormDialog kLoanCostsDialog = {"Loan Costs", [](EditorForm& f) {
    using C = LoanCostsLogic;
    f.AddFigureRows({{C::kPrice, "Property price:"}, {C::kOtherCosts, "Other costs:"},
                     {C::kTotalCost, "Total cost:"}, {C::kCashDeposit, "Cash deposit:"},
                     {C::kDeficit, "Deficit:"}});
    f.AddNumberRow(C::kLoanCosts, QStringLiteral("Loan costs:"), kAmountFormat);
    f.Rows()->addRow(f.CheckBox(C::kCostsLink, QStringLiteral("Costs as % of deficit")),
                     f.NumberEdit(C::kPercentOfDeficit, kPercentFormat));
    f.AddRecalculateRow();
    // A plain text edit: the period is read back as a number only when the editor is accepted.
    QLineEdit* years = f.TextEdit(C::kWriteOffYears);
    years->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    years->setMaximumWidth(80);
    f.Rows()->addRow(QStringLiteral("Write-off period (yrs):"), years);
}};
