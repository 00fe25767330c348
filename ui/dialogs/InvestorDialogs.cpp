#include "ui/dialogs/InvestorDialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "ui/dialogs/InvestorEditors.h"
#include "ui/dialogs/NumEdit.h"

namespace {

// The explanations under the fields wrap within the dialog's width.
void AddNote(EditorForm& f, const QString& text) {
    auto* note = new QLabel(text, &f);
    note->setWordWrap(true);
    note->setMinimumWidth(240);
    f.Layout()->addWidget(note);
}

} // namespace

const FormDialog kInvestorDetailsDialog = {"Investor Details", [](EditorForm& f) {
    using C = InvestorDetailsLogic;

    auto* title = new QGroupBox(QStringLiteral("Registration of Title"), &f);
    auto* titleBox = new QVBoxLayout(title);
    for (auto [id, text] : {std::pair{C::kSingleName, QStringLiteral("Single name (Investor)")},
                            std::pair{C::kJointNames, QStringLiteral("Joint names")}}) {
        QRadioButton* radio = f.RadioButton(id, text);
        radio->setParent(title);
        titleBox->addWidget(radio);
    }
    f.Rows()->addRow(title);

    auto* income = new QGroupBox(QStringLiteral("Taxable Income"), &f);
    auto* incomeRows = new QFormLayout(income);
    for (auto [id, text] : {std::pair{C::kInvestorIncome, QStringLiteral("Investor:")},
                            std::pair{C::kPartnerIncome, QStringLiteral("Partner:")}}) {
        NumEdit* edit = f.NumberEdit(id, kAmountFormat);
        edit->setParent(income);
        incomeRows->addRow(text, edit);
    }
    f.Rows()->addRow(income);

    f.AddRecalculateRow();
}};

const FormDialog kProjectionsDialog = {"Annual Projections", [](EditorForm& f) {
    using C = ProjectionsLogic;
    f.AddNumberRow(C::kUpperLimit, QStringLiteral("Upper limit (yrs):"), kYearsFormat);
    f.AddNumberRow(C::kGrowthRate, QStringLiteral("Growth rate / yr:"), kPercentFormat);
    f.AddNumberRow(C::kInflationRate, QStringLiteral("Inflation rate / yr:"), kPercentFormat);
    AddNote(f, QStringLiteral("The upper limit for projections will determine the range over "
                              "which the internal rate of return and net present values are "
                              "calculated."));
    auto* recalculate = new QHBoxLayout;
    recalculate->addStretch();
    recalculate->addWidget(f.RecalculateButton());
    f.Layout()->addLayout(recalculate);
}};

const FormDialog kResultsYearDialog = {"Specify Results Year", [](EditorForm& f) {
    f.AddNumberRow(ResultsYearLogic::kResultsYear, QStringLiteral("Show results for year:"),
                   kYearsFormat);
    AddNote(f, QStringLiteral("The results (tax savings and cash flows) will be displayed for "
                              "the year specified."));
}};

const FormDialog kLinkedVariablesDialog = {"Specify Linked Variables", [](EditorForm& f) {
    using C = LinkedVariablesLogic;
    f.AddCheckRow(C::kStampDuty, QStringLiteral("Stamp duty (fn of price)"));
    f.AddCheckRow(C::kCashDeposit, QStringLiteral("Cash deposit (% of total cost)"));
    f.AddCheckRow(C::kFittingsValue, QStringLiteral("Fittings value (% of total cost)"));
    f.AddCheckRow(C::kBuildingValue, QStringLiteral("Building value (% of total cost)"));
    f.AddCheckRow(C::kLoanCosts, QStringLiteral("Loan costs (% of deficit)"));
    f.AddCheckRow(C::kExpenses, QStringLiteral("Property expenses (% of rent)"));
    AddNote(f, QStringLiteral("A linked variable is one whose value is recalculated "
                              "automatically whenever the value of the control variable "
                              "changes."));
}};
