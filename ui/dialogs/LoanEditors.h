// The editors of the finance: "Loan Amount" (LoanAmountLogic), "Loan Type" (LoanTypeLogic) and "Loan
// Costs" (LoanCostsLogic). Logic only; the dialogs are in LoanDialogs.h.
#pragma once

#include "ui/dialogs/EditorLogic.h"
#include "ui/dialogs/LinkedAmount.h"

// "Loan Amount": the recalculation works the loan out as AdditionalLoan + TotalCost -
// CashDeposit, so a typed loan amount moves money between the deposit and an additional loan.
// The loan can be typed as an amount or as a share of the price ("80.00%").
class LoanAmountLogic : public TypedEditorLogic {
  public:
    enum Control : int {
        kTotalCost = 1,
        kCashDeposit,
        kDeficit,
        kAdditionalLoan,
        kLoanAmount,
        kShareOfPrice, // the loan as a percentage of the price
    };

    double totalCost = 0.0; // shown only
    double price = 0.0;     // the base of the share
    double cashDeposit = 0.0;
    int depositLink = 0; // CalcDeposit; the loan rule switches it off
    double additionalLoan = 0.0;
    double loanAmount = 0.0;
    double deficit = 0.0;    // total cost - cash deposit

    // The loan as a percentage of the price; NoValue without a price.
    static double ShareOfPrice(double loanAmount, double price);

    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

  protected:
    void OnOpen(ControlPort& port) override;
    // The loan rule: a changed loan amount (or share, which wins when both were typed) takes
    // what it needs from the deposit (more borrowed) or gives it back through the additional
    // loan (less borrowed).
    void TakeEdits(const ControlPort& port) override;

  private:
    double shownShare_ = 0.0; // as the last refresh showed it
};

// "Loan Type": interest rate, interest only or principal and interest, the term, and the
// repayment per month that follows from them.
class LoanTypeLogic : public TypedEditorLogic {
  public:
    enum Control : int {
        kLoanAmount = 1,
        kInterestRate,
        kInterestOnly,
        kPrincipalInterest,
        kTermLabel,
        kTerm,
        kRepayment,
        kInterestOnlyYears, // of a principal and interest loan, before it is repaid
        kInterestOnlyLabel,
        kRepaymentAfter, // the repayment once the interest-only years are over
        kRepaymentAfterLabel,
    };
    enum Type : int { kTypeInterestOnly = 0, kTypePrincipalInterest = 1 };

    double loanAmount = 0.0; // shown only
    double interestRate = 0.0;
    int loanType = kTypeInterestOnly;
    int term = 0; // whole years
    // InterestOnlyYears, the field the "Assumptions" page "Loan" edits too.
    int interestOnlyYears = 0;
    double repayment = 0.0;      // a month, in the first year
    double repaymentAfter = 0.0; // a month, after the interest-only years

    // The repayment a month: the annuity of LoanRepayment for principal and interest (NoValue
    // for a term of 0 or less), one month's interest for interest only.
    static double MonthlyRepayment(double loanAmount, double interestRate, int loanType, int term);
    // A typed term: the nearest whole number, halves up. Text that is no number keeps `term`.
    static bool TakeTerm(int& term, double typed);

    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

  protected:
    bool OnLeaveEdit(ControlPort& port, int id) override;
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void Settle(const ControlPort& port) override { loanType = TypeOfRadios(port); }

  private:
    bool TakeRate(const ControlPort& port);
    bool TakeTermEdit(const ControlPort& port);
    bool TakeInterestOnlyYears(const ControlPort& port);
    int TypeOfRadios(const ControlPort& port) const;
};

// "Loan Costs": the loan costs are an amount or a percentage of the deficit; with the years
// over which they are written off.
class LoanCostsLogic : public LinkedAmountLogic {
  public:
    enum Control : int {
        kPrice = 1,
        kOtherCosts,
        kTotalCost,
        kCashDeposit,
        kDeficit,
        kLoanCosts,
        kCostsLink,
        kPercentOfDeficit,
        kWriteOffYears,
    };
    // The write-off years are read through this format.
    static constexpr const char* kWriteOffFormat = "0";

    LoanCostsLogic();

    // loan costs (A), percent of deficit (P) and the loan costs link (L).
    LinkedAmount costs;
    // Shown only.
    double price = 0.0;
    double otherCosts = 0.0; // PurchaseCosts + Furniture + Renovations
    double cashDeposit = 0.0;
    // Worked out on opening: total cost = other costs + price (loan costs not part of it), and
    // the base B, deficit = total cost - cash deposit.
    double totalCost = 0.0, deficit = 0.0;
    // LCYears as a double. OK leaves its whole part, and at least 1: the recalculation divides
    // the loan costs by it.
    double writeOffYears = 1.0;

    // The whole years of a write-off period, at least 1; text that is no number gives 1.
    static int WholeWriteOffYears(double years);

    void Refresh(ControlPort& port) override;

  protected:
    void OnOpen(ControlPort& port) override;
    LinkedAmount& Linked() override { return costs; }
    double Base() const override { return deficit; }
    // The loan costs' rules, then the write-off years.
    void OnOk(ControlPort& port) override;
};
