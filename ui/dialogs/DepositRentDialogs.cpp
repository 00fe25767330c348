#include "ui/dialogs/DepositRentDialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "ui/dialogs/DepositRentEditors.h"

const FormDialog kCashDepositDialog = {"Cash Deposit", [](EditorForm& f) {
    using C = CashDepositLogic;
    f.AddFigureRows({{C::kPrice, "Property price:"}, {C::kRenovations, "Renovations:"},
                     {C::kFurniture, "Furniture pkg:"}, {C::kPurchaseCosts, "Purchase costs:"},
                     {C::kTotalCost, "Total cost:"}});
    f.AddNumberRow(C::kCashDeposit, QStringLiteral("Cash deposit:"), kAmountFormat);
    f.AddNumberRow(C::kPercentOfCost, QStringLiteral("Percent of cost:"), kPercentFormat);
    f.AddCheckRow(C::kDepositLink, QStringLiteral("Deposit set to % of cost"));
    f.AddRecalculateRow();
}};

const FormDialog kRentIncomeDialog = {"Rental Income", [](EditorForm& f) {
    using C = RentIncomeLogic;
    f.Rows()->addRow(QStringLiteral("Rent per:"),
                     f.DropDown(C::kRentPer, {QStringLiteral("Week"), QStringLiteral("Month"),
                                              QStringLiteral("Year")}));
    f.AddNumberRow(C::kAmount, QStringLiteral("Amount:"), kAmountFormat);
    f.AddNumberRow(C::kVacancyRate, QStringLiteral("Vacancy rate:"), kPercentFormat);
    f.AddFigureRow(C::kAnnualRent, QStringLiteral("Annual rent:\n(excl vacancies)"));
    f.AddRecalculateRow();
}};

const FormDialog kRentExpensesDialog = {"Rental Expenses", [](EditorForm& f) {
    using C = RentExpensesLogic;
    f.AddFigureRow(C::kAnnualRent, QStringLiteral("Annual rent:"));
    f.AddNumberRow(C::kAnnualExpenses, QStringLiteral("Annual expenses:"), kAmountFormat);
    f.AddNumberRow(C::kPercentOfRent, QStringLiteral("Percent of rent:"), kPercentFormat);
    f.AddFigureRow(C::kNetRent, QStringLiteral("Net rent:"));
    f.AddFigureRow(C::kNetYield, QStringLiteral("Net rental yield:"));
    f.AddCheckRow(C::kExpensesLink, QStringLiteral("Expenses set as % of rent"));
    f.AddRecalculateRow();
}};
