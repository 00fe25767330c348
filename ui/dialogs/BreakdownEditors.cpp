#include "ui/dialogs/BreakdownEditors.h"

#include <algorithm>

#include "model/Scales.h"
#include "ui/dialogs/ValueExchange.h"

void Breakdown::ShowYear(ControlPort& port, int newYear) {
    year = std::clamp(newYear, kFirstYear, kLastYear);
    Refresh(port);
}

void Breakdown::Step(ControlPort& port, int direction) {
    ShowYear(port, year + (direction > 0 ? 1 : direction < 0 ? -1 : 0));
}

// --- "Tax Savings" ---

TaxSavingsLogic::Figures TaxSavingsLogic::Compute() const {
    auto tax = [this](double income) { return ComputeIncomeTax(income, taxScale); };
    const std::size_t c = static_cast<std::size_t>(Column());
    const double investor = investorIncomes[c];
    const double partner = partnerIncomes[c];
    Figures f;
    f.joint = ownership != 1;
    f.rentalIncome = At(Row::RentReceived);
    f.rentalDeductions = At(Row::Deductions);
    f.presentTaxable = f.joint ? partner + investor : investor;
    f.totalIncome = f.rentalIncome + f.presentTaxable;
    f.newTaxable = f.totalIncome - f.rentalDeductions;
    if (lossRuleFromYear > 0 && year >= lossRuleFromYear) {
        // A loss is carried forward, not deducted; a profit is taxed only once it has used up
        // the loss carried into the year.
        const double carried = c > 0 ? carriedLoss[c - 1] : 0.0;
        const double profit = std::max(0.0, (f.rentalIncome - f.rentalDeductions) - carried);
        f.newTaxable = f.presentTaxable + profit;
        if (f.joint) {
            f.presentTax = tax(investor) + tax(partner);
            f.newTax = tax(investor + profit * 0.5) + tax(partner + profit * 0.5);
        } else {
            f.presentTax = tax(investor);
            f.newTax = tax(investor + profit);
        }
    } else if (f.joint) {
        // Each owner declares half of the rent and half of the deductions.
        f.presentTax = tax(investor) + tax(partner);
        f.newTax = tax(investor + f.rentalIncome / 2 - f.rentalDeductions / 2) +
                   tax(partner + f.rentalIncome / 2 - f.rentalDeductions / 2);
    } else {
        f.presentTax = tax(investor);
        f.newTax = tax(f.newTaxable);
    }
    f.taxSaving = f.presentTax - f.newTax;
    return f;
}

void TaxSavingsLogic::Refresh(ControlPort& port) {
    const Figures f = Compute();
    ShowText(port, kOwnership, f.joint ? "Joint" : "Single");
    ShowValues(port, kAmountFormat,
               {{kPresentTaxable, f.presentTaxable}, {kRentalIncome, f.rentalIncome},
                {kTotalIncome, f.totalIncome}, {kRentalDeductions, f.rentalDeductions},
                {kNewTaxable, f.newTaxable}, {kPresentTax, f.presentTax}, {kNewTax, f.newTax},
                {kTaxSaving, f.taxSaving}});
    ShowInt(port, kYear, year, kYearsFormat);
}

// --- "After-tax Cash Flow" ---

void AfterTaxCashLogic::Refresh(ControlPort& port) {
    ShowValues(port, kAmountFormat,
               {{kAnnualRent, At(Row::RentReceived)}, {kPrincipal, At(Row::PrincipalPaid)},
                {kInterest, At(Row::InterestPaid)}, {kExpenses, At(Row::ExpensesPaid)},
                {kPreTaxCash, At(Row::PreTaxCash)}, {kTaxCredits, At(Row::TaxSaving)},
                {kAfterTaxCash, At(Row::AfterTaxCash)}});
    ShowInt(port, kYear, year, kYearsFormat);
}
