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

double LoanAmountLogic::ShareOfPrice(double loanAmount, double price) {
    return price > 0 ? 100.0 * loanAmount / price : NoValue;
}

void LoanAmountLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kTotalCost, totalCost}, {kCashDeposit, cashDeposit}, {kDeficit, deficit},
                {kAdditionalLoan, additionalLoan}, {kLoanAmount, loanAmount}});
    shownShare_ = ShareOfPrice(loanAmount, price);
    ShowValue(port, kShareOfPrice, shownShare_, kPercentFormat);
    port.Enable(kShareOfPrice, price > 0);
}

Doubts LoanAmountLogic::Doubtful() const {
    Doubts doubts;
    DoubtDeposit(doubts, kLoanAmount, cashDeposit, totalCost);
    return doubts;
}

void LoanAmountLogic::OnOpen(ControlPort&) {
    deficit = totalCost - cashDeposit;
}

void LoanAmountLogic::TakeEdits(const ControlPort& port) {
    double share = shownShare_;
    if (price > 0 && ReadValueIfChanged(port, kShareOfPrice, share, kPercentFormat) &&
        !IsNoValue(share))
        loanAmount = share * price / 100.0;
    else if (!ReadValueIfChanged(port, kLoanAmount, loanAmount, kAmountFormat))
        return;
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
    ShowInt(port, kInterestOnlyYears, interestOnlyYears, kYearsFormat);
    // The radio that goes off first, so that exclusive buttons end in the right state.
    const bool principal = loanType == kTypePrincipalInterest;
    SetCheck(port, principal ? kInterestOnly : kPrincipalInterest, 0);
    SetCheck(port, principal ? kPrincipalInterest : kInterestOnly, 1);
    port.Show(kTermLabel, principal);
    port.Show(kTerm, principal);
    port.Show(kInterestOnlyLabel, principal);
    port.Show(kInterestOnlyYears, principal);
    // Interest only first: the first years' repayment is the interest, and principal and
    // interest follow over the rest of the term (a term that ends within them is never repaid).
    const bool interestFirst = principal && interestOnlyYears > 0;
    repayment = MonthlyRepayment(loanAmount, interestRate,
                                 interestFirst ? kTypeInterestOnly : loanType, term);
    repaymentAfter = !interestFirst ? repayment
                     : interestOnlyYears < term
                         ? MonthlyRepayment(loanAmount, interestRate, loanType, term - interestOnlyYears)
                         : repayment;
    ShowValue(port, kRepayment, repayment, kDollarFormat);
    ShowText(port, kRepaymentAfterLabel,
             interestOnlyYears < term
                 ? "Repayment/month from year " + FormatValue(interestOnlyYears + 1, "0") + ":"
                 : "Repaid within the term: never (interest only throughout)");
    ShowValue(port, kRepaymentAfter, repaymentAfter, kDollarFormat);
    port.Show(kRepaymentAfterLabel, interestFirst);
    port.Show(kRepaymentAfter, interestFirst && interestOnlyYears < term);
}

Doubts LoanTypeLogic::Doubtful() const {
    Doubts doubts;
    DoubtInterestRate(doubts, kInterestRate, interestRate);
    return doubts;
}

bool LoanTypeLogic::TakeInterestOnlyYears(const ControlPort& port) {
    int years = interestOnlyYears;
    if (!TakeTerm(years, ReadValue(port, kInterestOnlyYears))) return false;
    interestOnlyYears = std::clamp(years, 0, kTableColumns);
    return true;
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
    else if (id == kInterestOnlyYears)
        TakeInterestOnlyYears(port);
    else
        return false;
    return true;
}

bool LoanTypeLogic::OnClick(ControlPort& port, int id) {
    if (id != kInterestOnly && id != kPrincipalInterest) return false;
    loanType = TypeOfRadios(port);
    return true;
}

void LoanTypeLogic::TakeEdits(const ControlPort& port) {
    TakeRate(port);
    TakeTermEdit(port);
    TakeInterestOnlyYears(port);
}

// --- "Loan Costs" ---

LoanCostsLogic::LoanCostsLogic()
    : costs({kLoanCosts, kPercentOfDeficit, kCostsLink}, ShareRule::WithFloor) {}

int LoanCostsLogic::WholeWriteOffYears(double years) {
    if (IsNoValue(years) || std::isnan(years)) return 1;
    return std::max(SaturateToInt32(std::trunc(years)), 1);
}

void LoanCostsLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kPrice, price}, {kOtherCosts, otherCosts}, {kTotalCost, totalCost},
                {kCashDeposit, cashDeposit}, {kDeficit, deficit}});
    costs.Show(port);
    ShowValue(port, kWriteOffYears, writeOffYears, kWriteOffFormat);
}

void LoanCostsLogic::OnOpen(ControlPort&) {
    totalCost = otherCosts + price;
    deficit = totalCost - cashDeposit;
    costs.Open(deficit);
}

void LoanCostsLogic::OnOk(ControlPort& port) {
    LinkedAmountLogic::OnOk(port);
    ReadValueIfChanged(port, kWriteOffYears, writeOffYears, kWriteOffFormat);
    writeOffYears = WholeWriteOffYears(writeOffYears);
}
