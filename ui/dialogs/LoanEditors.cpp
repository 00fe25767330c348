#include "ui/dialogs/LoanEditors.h"

#include <algorithm>
#include <cmath>

#include "format/Format.h"
#include "model/Investment.h"
#include "ui/dialogs/NumEntry.h"
#include "ui/dialogs/ValueExchange.h"

namespace {
constexpr const char* kDollarFormat = "$0,m";
}

// --- "Loan Amount" ---

void LoanAmountLogic::Refresh(ControlPort& port) {
    ShowValue(port, kTotalCost, totalCost, kAmountFormat);
    ShowValue(port, kCashDeposit, cashDeposit, kAmountFormat);
    ShowValue(port, kDeficit, deficit, kAmountFormat);
    ShowValue(port, kAdditionalLoan, additionalLoan, kAmountFormat);
    ShowValue(port, kLoanAmount, loanAmount, kAmountFormat);
}

void LoanAmountLogic::OnOpen(ControlPort&) {
    deficit = totalCost - cashDeposit;
}

void LoanAmountLogic::ApplyLoanRule(const ControlPort& port) {
    if (!ReadValueIfChanged(port, kLoanAmount, loanAmount, kAmountFormat)) return;
    const double more = loanAmount - (additionalLoan + deficit);
    if (more > 0) {
        cashDeposit -= more;
        depositLink = 0;
        if (cashDeposit < 0) {
            additionalLoan -= cashDeposit;
            cashDeposit = 0;
        }
    } else {
        additionalLoan += more;
        if (additionalLoan < 0) {
            cashDeposit -= additionalLoan;
            additionalLoan = 0;
            depositLink = 0;
        }
    }
    deficit = totalCost - cashDeposit;
}

bool LoanAmountLogic::OnRecalculate(ControlPort& port) {
    ApplyLoanRule(port);
    return true;
}

void LoanAmountLogic::OnOk(ControlPort& port) {
    ApplyLoanRule(port);
}

// --- "Loan Type" ---

double LoanTypeLogic::MonthlyRepayment(double loanAmount, double interestRate, int loanType, int term) {
    if (loanType == kTypePrincipalInterest)
        return LoanRepayment(loanAmount, term, interestRate, 12);
    return interestRate * loanAmount / 1200.0;
}

bool LoanTypeLogic::TakeTerm(int& term, double typed) {
    // An integer cannot hold the no-value marker; the term stays as it was.
    if (IsNoValue(typed)) return false;
    if (std::fabs(typed - ShownValue(term, kYearsFormat)) <= 0.001) return false;
    term = SaturateToInt32(std::floor(typed + 0.5));
    return true;
}

void LoanTypeLogic::Refresh(ControlPort& port) {
    ShowValue(port, kLoanAmount, loanAmount, kDollarFormat);
    ShowValue(port, kInterestRate, interestRate, kPercentFormat);
    ShowInt(port, kTerm, term, kYearsFormat);
    // The radio that goes off first, so that exclusive buttons end in the right state.
    const bool principal = loanType == kTypePrincipalInterest;
    SetCheck(port, principal ? kInterestOnly : kPrincipalInterest, 0);
    SetCheck(port, principal ? kPrincipalInterest : kInterestOnly, 1);
    port.Show(kTermLabel, principal);
    port.Show(kTerm, principal);
    repayment = MonthlyRepayment(loanAmount, interestRate, loanType, term);
    ShowValue(port, kRepayment, repayment, kDollarFormat);
}

bool LoanTypeLogic::TakeRate(const ControlPort& port) {
    return ReadValueIfChanged(port, kInterestRate, interestRate, kPercentFormat);
}

bool LoanTypeLogic::TakeTermEdit(const ControlPort& port) {
    return TakeTerm(term, ReadValue(port, kTerm));
}

int LoanTypeLogic::TypeOfRadios(const ControlPort& port) const {
    return GetCheck(port, kInterestOnly) ? kTypeInterestOnly : kTypePrincipalInterest;
}

bool LoanTypeLogic::OnLeaveEdit(ControlPort& port, int id) {
    if (id == kInterestRate)
        TakeRate(port);
    else if (id == kTerm)
        TakeTermEdit(port);
    else
        return false;
    return true;
}

bool LoanTypeLogic::OnClick(ControlPort& port, int id) {
    if (id != kInterestOnly && id != kPrincipalInterest) return false;
    loanType = TypeOfRadios(port);
    return true;
}

bool LoanTypeLogic::OnRecalculate(ControlPort& port) {
    TakeRate(port);
    TakeTermEdit(port);
    return true;
}

void LoanTypeLogic::OnOk(ControlPort& port) {
    TakeRate(port);
    TakeTermEdit(port);
    loanType = TypeOfRadios(port);
}

// --- "Loan Costs" ---

LoanCostsLogic::LoanCostsLogic()
    : costs({kLoanCosts, kPercentOfDeficit, kCostsLink}, ShareRule::WithFloor) {}

int LoanCostsLogic::WholeWriteOffYears(double years) {
    if (IsNoValue(years) || std::isnan(years)) return 1;
    return std::max(SaturateToInt32(std::trunc(years)), 1);
}

void LoanCostsLogic::Refresh(ControlPort& port) {
    ShowValue(port, kPrice, price, kAmountFormat);
    ShowValue(port, kOtherCosts, otherCosts, kAmountFormat);
    ShowValue(port, kTotalCost, totalCost, kAmountFormat);
    ShowValue(port, kCashDeposit, cashDeposit, kAmountFormat);
    ShowValue(port, kDeficit, deficit, kAmountFormat);
    costs.Show(port);
    ShowValue(port, kWriteOffYears, writeOffYears, kWriteOffFormat);
}

void LoanCostsLogic::OnOpen(ControlPort&) {
    totalCost = otherCosts + price;
    deficit = totalCost - cashDeposit;
    costs.Open(deficit);
}

bool LoanCostsLogic::OnLeaveEdit(ControlPort& port, int id) {
    if (id == kLoanCosts)
        costs.LeftAmount(port, deficit);
    else if (id == kPercentOfDeficit)
        costs.LeftPercent(port, deficit);
    else
        return false;
    return true;
}

bool LoanCostsLogic::OnClick(ControlPort& port, int id) {
    if (id != kCostsLink) return false;
    costs.CheckClicked(port, deficit);
    return true;
}

void LoanCostsLogic::OnOk(ControlPort& port) {
    costs.Ok(port, deficit);
    ReadValueIfChanged(port, kWriteOffYears, writeOffYears, kWriteOffFormat);
    writeOffYears = WholeWriteOffYears(writeOffYears);
}
