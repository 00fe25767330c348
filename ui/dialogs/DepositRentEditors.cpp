#include "ui/dialogs/DepositRentEditors.h"

#include <algorithm>
#include <array>

#include "ui/dialogs/ValueExchange.h"

// --- "Cash Deposit" ---

CashDepositLogic::CashDepositLogic()
    : deposit({kCashDeposit, kPercentOfCost, kDepositLink}, ShareRule::WithFloor) {}

void CashDepositLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kPrice, price}, {kRenovations, renovations}, {kFurniture, furniture},
                {kPurchaseCosts, purchaseCosts}, {kTotalCost, totalCost}});
    deposit.Show(port);
}

void CashDepositLogic::OnOpen(ControlPort&) {
    totalCost = purchaseCosts + furniture + renovations + price;
    deposit.Open(totalCost);
}

// --- "Rental Income" ---

namespace {
constexpr std::array<int, 3> kPeriodsOfChoice = {52, 12, 1}; // "Week", "Month", "Year"
}

int RentIncomeLogic::PeriodsOfChoice(int choice) {
    if (choice < 0 || choice >= static_cast<int>(kPeriodsOfChoice.size())) return 0;
    return kPeriodsOfChoice[static_cast<std::size_t>(choice)];
}

int RentIncomeLogic::ChoiceOfPeriods(int periods) {
    for (std::size_t i = 0; i < kPeriodsOfChoice.size(); ++i)
        if (kPeriodsOfChoice[i] == periods) return static_cast<int>(i);
    return -1;
}

void RentIncomeLogic::WorkOut() {
    annualRent = (1.0 - vacancyRate / 100.0) * periodsPerYear * rent;
}

Doubts CashDepositLogic::Doubtful() const {
    Doubts doubts;
    DoubtDeposit(doubts, deposit.link ? kPercentOfCost : kCashDeposit, deposit.amount, totalCost);
    return doubts;
}

Doubts RentIncomeLogic::Doubtful() const {
    Doubts doubts;
    DoubtRent(doubts, kAmount, rent, periodsPerYear, price);
    return doubts;
}

void RentIncomeLogic::Refresh(ControlPort& port) {
    port.PutChoice(kRentPer, ChoiceOfPeriods(periodsPerYear));
    ShowValue(port, kAmount, rent, kAmountFormat);
    ShowValue(port, kVacancyRate, vacancyRate, kPercentFormat);
    ShowValue(port, kAnnualRent, annualRent, kAmountFormat);
}

// The rent and the vacancy rate are taken only when changed, so that an untouched rent shown
// rounded ("1.235m") keeps its full value, and then kept in range.
void RentIncomeLogic::TakeEdits(const ControlPort& port) {
    if (ReadValueIfChanged(port, kAmount, rent, kAmountFormat)) typedHere_ = true;
    ReadValueIfChanged(port, kVacancyRate, vacancyRate, kPercentFormat);
    rent = std::max(rent, 0.0);
    vacancyRate = std::clamp(vacancyRate, 0.0, 100.0);
}

// A new period: a rent the user typed here is the rent of that period ("1,300", then "Month");
// a rent that came with the investment keeps the annual rent and is converted to the period.
bool RentIncomeLogic::OnChoose(ControlPort& port, int id) {
    if (id != kRentPer) return false;
    int periods = PeriodsOfChoice(port.GetChoice(kRentPer));
    if (periods == 0) return false;
    TakeEdits(port);
    periodsPerYear = periods;
    if (!typedHere_)
        rent = vacancyRate >= 100.0 ? 0.0
                                    : annualRent / ((1.0 - vacancyRate / 100.0) * periodsPerYear);
    WorkOut();
    return true;
}

void RentIncomeLogic::Settle(const ControlPort& port) {
    int periods = PeriodsOfChoice(port.GetChoice(kRentPer));
    if (periods != 0) periodsPerYear = periods;
}

// --- "Rental Expenses" ---

RentExpensesLogic::RentExpensesLogic()
    : expenses({kAnnualExpenses, kPercentOfRent, kExpensesLink}, ShareRule::WithGuard) {}

void RentExpensesLogic::Refresh(ControlPort& port) {
    netRent = annualRent - expenses.amount;
    netYield = marketValue > 0.0001 ? netRent * 100.0 / marketValue : 0.0;
    ShowValue(port, kAnnualRent, annualRent, kAmountFormat);
    expenses.Show(port);
    ShowValue(port, kNetRent, netRent, kAmountFormat);
    ShowValue(port, kNetYield, netYield, kPercentFormat);
}

