// Figures allowed but seldom meant: which raise a question, what it says, and what "Keep it"
// and "Change it" do in an editor. The loan as a share of the price, the interest-only years
// in "Loan Type", and the Assumptions pages working on one copy.
#include <QLineEdit>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/EditorForm.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/Plausibility.h"

namespace {

using Check = void (*)(Doubts&, double, double);
const Check kRate = [](Doubts& d, double v, double) { DoubtInterestRate(d, 7, v); };
const Check kGrowth = [](Doubts& d, double v, double) { DoubtGrowth(d, 7, v); };
const Check kWeeklyRent = [](Doubts& d, double rent, double price) { DoubtRent(d, 7, rent, 52, price); };
const Check kDeposit = [](Doubts& d, double deposit, double cost) { DoubtDeposit(d, 7, deposit, cost); };

} // namespace

TEST(Plausibility, WhichFiguresRaiseAQuestion) {
    const struct {
        Check check;
        double a, b;
        const char* message; // "" for no question
    } cases[] = {
        {kRate, 20.0, 0, ""},
        {kRate, 20.5, 0, "The interest rate, 20.50% a year, is above 20.00%."},
        {kRate, NoValue, 0, ""},
        {kGrowth, 15.0, 0, ""},
        {kGrowth, 15.25, 0, "Growth of 15.25% a year is above 15.00%."},
        {kGrowth, -10.0, 0, ""},
        {kGrowth, -12.0, 0, "Growth of -12.00% a year is below -10.00%."},
        {kWeeklyRent, 600, 750000, ""}, // $31,200 a year: 4.16 %
        {kWeeklyRent, 140, 750000, "The rent, $7,280 a year, is under 1.00% of the price ($750,000)."},
        {kWeeklyRent, 3000, 750000, "The rent, $156,000 a year, is over 20.00% of the price ($750,000)."},
        {kWeeklyRent, 3000, 0, ""}, // no price to compare with
        {kDeposit, 780000, 780000, ""},
        {kDeposit, 1200000, 780000, "The deposit, $1,200,000, is more than the cost, $780,000."},
    };
    for (const auto& c : cases) {
        Doubts d;
        c.check(d, c.a, c.b);
        ASSERT_EQ(d.size(), *c.message ? 1u : 0u) << c.a;
        if (!d.empty()) {
            EXPECT_EQ(d[0].message, c.message);
        }
    }
    EXPECT_EQ(DoubtsQuestion({{1, "A."}, {2, "B."}}), "A.\n\nB.\n\nKeep it, or change it?");
}

// Loan $600,000 on a price of $750,000 (80 %), total cost $780,000, deposit $180,000.
TEST(LoanAmountLogic, TheLoanAsAShareOfThePrice) {
    struct {
        const char* typed;  // share typed
        double loan, deposit, additional;
    } const cases[] = {
        {"90", 675000, 105000, 0},  // $75,000 more borrowed comes off the deposit
        {"70", 525000, 255000, 0},  // $75,000 less: back into the deposit
        {"125", 937500, 0, 157500}, // more than the deposit: the rest is an additional loan
    };
    for (const auto& c : cases) {
        LoanAmountLogic ed;
        ed.price = 750000;
        ed.totalCost = 780000;
        ed.cashDeposit = 180000;
        ed.loanAmount = 600000;
        FakePort port;
        ed.Open(port);
        EXPECT_EQ(port.Text(LoanAmountLogic::kShareOfPrice), "80.00%");
        port.Type(LoanAmountLogic::kShareOfPrice, c.typed);
        ed.Ok(port);
        EXPECT_DOUBLE_EQ(ed.loanAmount, c.loan) << c.typed;
        EXPECT_DOUBLE_EQ(ed.cashDeposit, c.deposit) << c.typed;
        EXPECT_DOUBLE_EQ(ed.additionalLoan, c.additional) << c.typed;
    }
}

// $600,000 at 6.2 %, principal and interest over 30 years after 5 interest only: $3,100 a
// month, then the annuity of 25 years, $3,939.49.
TEST(LoanTypeLogic, InterestOnlyYearsThenPrincipalAndInterest) {
    LoanTypeLogic ed;
    ed.loanAmount = 600000;
    ed.interestRate = 6.2;
    ed.loanType = LoanTypeLogic::kTypePrincipalInterest;
    ed.term = 30;
    FakePort port;
    ed.Open(port);
    EXPECT_FALSE(port.Shown(LoanTypeLogic::kRepaymentAfter));
    EXPECT_NEAR(ed.repayment, 3674.81, 0.005);
    port.Type(LoanTypeLogic::kInterestOnlyYears, "5");
    ed.LeaveEdit(port, LoanTypeLogic::kInterestOnlyYears);
    EXPECT_NEAR(ed.repayment, 3100.0, 1e-9);
    EXPECT_NEAR(ed.repaymentAfter, 3939.49, 0.005);
    EXPECT_TRUE(port.Shown(LoanTypeLogic::kRepaymentAfter));
    EXPECT_EQ(port.Text(LoanTypeLogic::kRepaymentAfterLabel), "Repayment/month from year 6:");
}

// A rent growth typed on the page "Rent and Expenses" is in the figures of the page "Loan".
TEST(AssumptionPages, EveryPageWorksWithWhatWasTypedOnTheOthers) {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    NewInvestment(doc, scales, store);
    doc.Price = doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.Recalculate(scales);
    RentAssumptions rent(doc, scales);
    LoanAssumptions loan(doc, scales);
    rent.ShareWith({&rent, &loan});
    loan.ShareWith({&rent, &loan});
    FakePort rentPort, loanPort;
    rent.Open(rentPort);
    rentPort.checks[RentAssumptions::kFollowsInflation] = 0;
    rent.Click(rentPort, RentAssumptions::kFollowsInflation);
    rentPort.Type(RentAssumptions::kRentGrowth, "7");
    rent.LeaveEdit(rentPort, RentAssumptions::kRentGrowth);
    loan.Open(loanPort);
    // The same investment recalculated with the rent growing 7 % a year.
    Investment expected = doc;
    expected.RentFollowsInflation = 0;
    expected.RateRentGrowth = 7;
    expected.Recalculate(scales);
    EXPECT_EQ(loan.Worked().IRR, expected.IRR);
    EXPECT_NE(expected.IRR, doc.IRR);
}

// "Change it" goes back to the editor with the rate selected; a likely rate then passes
// without a question. "Keep it" takes the figure.
TEST(DoubtFlow, ChangeItReturnsToTheFieldKeepItAccepts) {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    NewInvestment(doc, scales, store);
    for (bool keep : {false, true}) {
        EditorTestUi ui;
        ui.keep = [keep](const QString&) { return keep; };
        OnNextDialog([&](QDialog& d) {
            QLineEdit* rate = ControlOf<QLineEdit>(d, LoanTypeLogic::kInterestRate);
            Retype(rate, QStringLiteral("25"));
            OkButton(d)->click();
            EXPECT_EQ(d.isVisible(), !keep);
            if (keep) return;
            EXPECT_EQ(QApplication::focusWidget(), rate);
            EXPECT_EQ(rate->selectedText(), QStringLiteral("25.00%"));
            Retype(rate, QStringLiteral("6.2"));
            OkButton(d)->click();
        });
        EditItem(doc, scales, store, ui, ItemLoanType, nullptr);
        EXPECT_EQ(ui.asked, QStringList{QStringLiteral("The interest rate, 25.00% a year, is above "
                                                    "20.00%.\n\nKeep it, or change it?")});
        EXPECT_EQ(doc.RateInterest, keep ? 25.0 : 6.2);
    }
}
