// The rules of "Loan Amount", "Loan Type" and "Loan Costs", driven without widgets.
#include "format/Format.h"
#include "model/Investment.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/LoanEditors.h"

// --- "Loan Amount" ---

namespace {

struct LoanCase {
    double additionalLoan;
    const char* typed;
    double deposit, additional, deficit;
    int link;
};

} // namespace

// Total cost 300,000, deposit 30,000 and the deposit linked; with no additional loan the loan
// is 270,000, with 10,000 it is 280,000.
TEST(LoanAmountLogic, TheLoanRule) {
    const LoanCase cases[] = {
        {0, "280000", 20000, 0, 280000, 0},        // more borrowed: out of the deposit
        {0, "310000", 0, 10000, 300000, 0},        // beyond the deposit: additional loan
        {10000, "275000", 30000, 5000, 270000, 1}, // less: the additional loan shrinks
        {10000, "265000", 35000, 0, 265000, 0},    // below it: the deposit grows
    };
    for (const LoanCase& c : cases) {
        SCOPED_TRACE(c.typed);
        LoanAmountLogic ed;
        ed.totalCost = 300000;
        ed.cashDeposit = 30000;
        ed.depositLink = 1;
        ed.additionalLoan = c.additionalLoan;
        ed.loanAmount = 270000 + c.additionalLoan;
        FakePort port;
        ed.Open(port);
        EXPECT_EQ(port.Text(LoanAmountLogic::kDeficit), "270,000");
        port.Type(LoanAmountLogic::kLoanAmount, c.typed);
        ed.Recalculate(port);
        EXPECT_EQ(ed.cashDeposit, c.deposit);
        EXPECT_EQ(ed.additionalLoan, c.additional);
        EXPECT_EQ(ed.deficit, c.deficit);
        EXPECT_EQ(ed.depositLink, c.link);
        EXPECT_EQ(port.Text(LoanAmountLogic::kCashDeposit), FormatValue(c.deposit, "0,m"));
        EXPECT_EQ(port.Text(LoanAmountLogic::kAdditionalLoan), FormatValue(c.additional, "0,m"));
        // OK right after applies nothing twice: the field now shows the loan taken.
        ed.Ok(port);
        EXPECT_EQ(ed.cashDeposit, c.deposit);
        EXPECT_EQ(ed.additionalLoan, c.additional);
    }
}

TEST(LoanAmountLogic, UntouchedLoanChangesNothing) {
    LoanAmountLogic ed;
    ed.totalCost = 314341.43125;
    ed.cashDeposit = 15496.25;
    ed.depositLink = 1;
    ed.loanAmount = 298845.18125; // shown rounded
    FakePort port;
    ed.Open(port);
    ed.Recalculate(port);
    ed.Ok(port);
    EXPECT_EQ(ed.cashDeposit, 15496.25);
    EXPECT_EQ(ed.additionalLoan, 0);
    EXPECT_EQ(ed.loanAmount, 298845.18125);
    EXPECT_EQ(ed.depositLink, 1);
}

// --- "Loan Type" ---

TEST(LoanTypeLogic, RepaymentOfEachLoanType) {
    EXPECT_DOUBLE_EQ(LoanTypeLogic::MonthlyRepayment(200000, 6, 0, 25), 1000);
    EXPECT_DOUBLE_EQ(LoanTypeLogic::MonthlyRepayment(200000, 6, 1, 25),
                     LoanRepayment(200000, 25, 6, 12));
    EXPECT_NEAR(LoanTypeLogic::MonthlyRepayment(298845.18125, 8.5, 1, 25), 2406.38, 0.005);
    // At 0 % the loan is repaid in equal parts.
    EXPECT_DOUBLE_EQ(LoanTypeLogic::MonthlyRepayment(240000, 0, 1, 20), 1000);
    EXPECT_EQ(LoanTypeLogic::MonthlyRepayment(200000, 6, 1, 0), NoValue);
    EXPECT_EQ(LoanTypeLogic::MonthlyRepayment(200000, 6, 1, -5), NoValue);
}

// Text that is no number keeps the term: an integer cannot hold the no-value marker.
TEST(LoanTypeLogic, TermRoundsToTheNearestYearHalvesUp) {
    struct {
        const char* typed;
        int term;
    } const cases[] = {{"24.5", 25}, {"24.4", 24}, {"24.6yr", 25},
                       {"-0.5", 0},  {"-3", -3},   {"99999999999", 2147483647},
                       {"1e5", 20},  {"abc", 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        LoanTypeLogic ed;
        ed.loanType = 1;
        ed.term = 20;
        FakePort port;
        ed.Open(port);
        port.Type(LoanTypeLogic::kTerm, c.typed);
        ed.LeaveEdit(port, LoanTypeLogic::kTerm);
        EXPECT_EQ(ed.term, c.term);
    }
}

// --- "Loan Costs" ---

namespace {

// Worked example: price 300,000, other costs 9,925, deposit 15,496.25; costs 1.5 % linked.
LoanCostsLogic WorkedLoanCosts(int link = 1) {
    LoanCostsLogic ed;
    ed.price = 300000;
    ed.otherCosts = 9925;
    ed.cashDeposit = 15496.25;
    ed.costs.amount = 4416.43125;
    ed.costs.percent = 1.5;
    ed.costs.link = link;
    ed.writeOffYears = 5;
    return ed;
}

} // namespace

TEST(LoanCostsLogic, ShareWithFloorOfADeficitBelowOne) {
    LoanCostsLogic ed = WorkedLoanCosts(0);
    ed.cashDeposit = 309925.5; // deficit -0.5
    ed.costs.amount = 3;
    FakePort port;
    ed.Open(port);
    EXPECT_FALSE(port.Shown(LoanCostsLogic::kPercentOfDeficit));
    EXPECT_EQ(ed.costs.percent, 300);
}

TEST(LoanCostsLogic, WriteOffPeriodIsWholeYearsAndAtLeastOne) {
    struct {
        const char* typed;
        int years;
    } const cases[] = {{"4.7", 4}, {"0", 1},   {"abc", 1},
                       {"-3", 1},  {"0.9", 1}, {"", 1},
                       {"12", 12}, {"5", 5},   {"99999999999", 2147483647}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        LoanCostsLogic ed = WorkedLoanCosts();
        FakePort port;
        ed.Open(port);
        port.Type(LoanCostsLogic::kWriteOffYears, c.typed);
        ed.Ok(port);
        EXPECT_EQ(ed.writeOffYears, c.years);
        EXPECT_EQ(LoanCostsLogic::WholeWriteOffYears(ed.writeOffYears), c.years);
    }
    EXPECT_EQ(LoanCostsLogic::WholeWriteOffYears(NoValue), 1);
}
