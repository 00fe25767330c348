// The read-only breakdowns of one year of the projection: "Tax Savings" (TaxSavingsLogic) and
// "After-tax Cash Flow" (AfterTaxCashLogic). Both hold copies of what they show, open on year 1
// whatever year the summary shows, and step through the table's 40 years. Logic only; the
// dialogs are in BreakdownDialogs.h.
#pragma once

#include "model/Investment.h"
#include "model/Scales.h"
#include "ui/dialogs/EditorLogic.h"

// What both breakdowns share: the year shown, its label and its limits.
class Breakdown : public EditorLogic {
  public:
    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = kTableColumns;

    int year = kFirstYear;
    Investment::Table table{};

    // Shows `newYear`, kept within 1..40, and refreshes.
    void ShowYear(ControlPort& port, int newYear);
    // One step of the spin: +1 the next year, -1 the previous one.
    void Step(ControlPort& port, int direction);

  protected:
    // Column of the year shown.
    int Column() const { return year - 1; }
    double At(Row row) const {
        return table[static_cast<std::size_t>(static_cast<int>(row) * kTableColumns + Column())];
    }
    void OnOpen(ControlPort&) override { year = kFirstYear; }
};

// "Tax Savings": how the year's tax saving arises from the incomes, the rent and deductions.
class TaxSavingsLogic : public Breakdown {
  public:
    enum Control : int {
        kOwnership = 1,
        kPresentTaxable,
        kRentalIncome,
        kTotalIncome,
        kRentalDeductions,
        kNewTaxable,
        kPresentTax,
        kNewTax,
        kTaxSaving,
        kYear,
    };

    int ownership = 1; // NamesOnTitle: 1 single name, any other value joint names
    Investment::YearArray investorIncomes{}, partnerIncomes{};
    // Rental losses carried forward from this year on (LossRuleFromYear), 0 when they reduce
    // other income; the loss carried at the end of every year.
    int lossRuleFromYear = 0;
    Investment::YearArray carriedLoss{};
    TaxScale taxScale; // the investment's, filled by the caller

    struct Figures {
        bool joint = false;
        double presentTaxable = 0, rentalIncome = 0, totalIncome = 0, rentalDeductions = 0,
               newTaxable = 0, presentTax = 0, newTax = 0, taxSaving = 0;
    };
    // The figures of the year shown, under the tax scale in force.
    Figures Compute() const;

    void Refresh(ControlPort& port) override;
};

// "After-tax Cash Flow": the year's cash flow from rent, repayments, expenses and tax credits,
// every figure read from the table.
class AfterTaxCashLogic : public Breakdown {
  public:
    enum Control : int {
        kAnnualRent = 1,
        kPrincipal,
        kInterest,
        kExpenses,
        kPreTaxCash,
        kTaxCredits,
        kAfterTaxCash,
        kYear,
    };

    void Refresh(ControlPort& port) override;
};
