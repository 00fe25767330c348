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

LoanAmountDialog::LoanAmountDialog(LoanAmountLogic& editor, QWidget* parent)
    : EditorDialog(editor, QStringLiteral("Loan Amount"), parent) {
    using C = LoanAmountLogic;
    EditorForm& f = Form();
    f.AddFigureRow(C::kTotalCost, QStringLiteral("Total cost:"));
    f.AddFigureRow(C::kCashDeposit, QStringLiteral("Cash deposit:"));
    f.AddFigureRow(C::kDeficit, QStringLiteral("Deficit:"));
    f.AddFigureRow(C::kAdditionalLoan, QStringLiteral("Additional loan:"));
    f.AddNumberRow(C::kLoanAmount, QStringLiteral("Loan amount:"), kAmountFormat);
    f.AddRecalculateRow();
    Open();
}

LoanTypeDialog::LoanTypeDialog(LoanTypeLogic& editor, QWidget* parent)
    : EditorDialog(editor, QStringLiteral("Loan Type"), parent) {
    using C = LoanTypeLogic;
    EditorForm& f = Form();
    f.AddFigureRow(C::kLoanAmount, QStringLiteral("Loan amount:"));
    f.AddNumberRow(C::kInterestRate, QStringLiteral("Interest rate:"), kPercentFormat);

    auto* group = new QGroupBox(QStringLiteral("Loan Type"), &f);
    auto* box = new QVBoxLayout(group);
    QRadioButton* interestOnly = f.RadioButton(C::kInterestOnly, QStringLiteral("Interest Only"));
    QRadioButton* principal =
        f.RadioButton(C::kPrincipalInterest, QStringLiteral("Principal && Interest"));
    QLabel* termLabel = f.Figure(C::kTermLabel);
    termLabel->setText(QStringLiteral("Term:"));
    termLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    termLabel->setMinimumWidth(0);
    NumEdit* term = f.NumberEdit(C::kTerm, kYearsFormat);
    term->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QWidget* w : {static_cast<QWidget*>(interestOnly), static_cast<QWidget*>(principal),
                       static_cast<QWidget*>(termLabel), static_cast<QWidget*>(term)})
        w->setParent(group);
    box->addWidget(interestOnly);
    box->addWidget(principal);
    auto* termRow = new QHBoxLayout;
    termRow->addWidget(termLabel);
    termRow->addWidget(term);
    termRow->addStretch();
    box->addLayout(termRow);
    f.Rows()->addRow(group);

    f.AddFigureRow(C::kRepayment, QStringLiteral("Repayment/month:"));
    f.AddRecalculateRow();
    Open();
}

LoanCostsDialog::LoanCostsDialog(LoanCostsLogic& editor, QWidget* parent)
    : EditorDialog(editor, QStringLiteral("Loan Costs"), parent) {
    using C = LoanCostsLogic;
    EditorForm& f = Form();
    f.AddFigureRow(C::kPrice, QStringLiteral("Property price:"));
    f.AddFigureRow(C::kOtherCosts, QStringLiteral("Other costs:"));
    f.AddFigureRow(C::kTotalCost, QStringLiteral("Total cost:"));
    f.AddFigureRow(C::kCashDeposit, QStringLiteral("Cash deposit:"));
    f.AddFigureRow(C::kDeficit, QStringLiteral("Deficit:"));
    f.AddNumberRow(C::kLoanCosts, QStringLiteral("Loan costs:"), kAmountFormat);
    f.Rows()->addRow(f.CheckBox(C::kCostsLink, QStringLiteral("Costs as % of deficit")),
                     f.NumberEdit(C::kPercentOfDeficit, kPercentFormat));
    f.AddRecalculateRow();
    // A plain text edit: the period is read back as a number only when the editor is accepted.
    QLineEdit* years = f.TextEdit(C::kWriteOffYears);
    years->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    years->setMaximumWidth(80);
    f.Rows()->addRow(QStringLiteral("Write-off period (yrs):"), years);
    Open();
}
