// Returns of the projection: the result stage of the recalculation, the internal rate of
// return of holding the property, discounting, and the marginal tax rate.
#pragma once

#include <cstddef>

#include "model/Investment.h"
struct TaxScale;

inline constexpr std::size_t kMaxSeriesEntries = 482;

// Sets AvgCashFlowWeek, IRR and NPV from the finished table, and the sale's results under
// the tax scale `tax`.
void ComputeResults(Investment& doc, const TaxScale& tax,
                    Investment::Results wanted = Investment::Results::All);

// Annual internal rate of return in percent of paying `deposit`, receiving the yearly
// `flows[0..years-1]` in monthly twelfths and `finalValue` one month after the last; NoValue
// when there is none. `years` is limited to 1..40.
double HoldingIRR(int years, double deposit, const double* flows, double finalValue);

// What the investor pays in and takes out: the cash deposit and the after-tax cash flows and,
// with an offset account, the money paid into it, which is the investor's own and comes back
// with the final value. Without an offset account, the record's deposit and row as they are.
struct InvestorMoney {
    double deposit = 0;
    Investment::YearArray paidIn{}; // the flows less what went into the offset account
    bool offset = false;
    const Investment* doc = nullptr;
    // The yearly flows, 40 of them.
    const double* Flows() const { return offset ? paidIn.data() : doc->RowData(Row::AfterTaxCash); }
    // `value` at the end of `years` (1..40), with the offset account's balance then.
    double WithOffset(double value, int years) const;
};
InvestorMoney InvestorMoneyOf(const Investment& doc);
// Whether the record has an offset account.
bool UsesOffset(const Investment& doc);

// HoldingIRR of every holding period 1..40 of the worked-out record, kept with its equity.
Investment::YearArray HoldingRates(const Investment& doc);

// The rate per period at which the series' present value is 0, or NoValue.
double SolveSeriesRate(const double* series, std::size_t count, int periodsPerYear);

// The net present value of the deposit and the after-tax cash flows of `years` (1..40) at
// the rate of inflation, without the final value: cash flows count as received in the middle
// of their year. False when the rate discounts nothing (-100 % or less).
bool PresentValueOfFlows(const Investment& doc, int years, double& result);
bool PresentValueOfFlows(const InvestorMoney& money, double inflationPercent, int years,
                         double& result);
// `flowsValue` plus the present value of `finalValue`, received in the middle of the last of
// `years`; NoValue when it cannot be discounted.
double WithFinalValue(double flowsValue, double finalValue, double inflationPercent, int years);

// Present value of `amount` received after `years` at `ratePercent` a year, or NoValue.
double DiscountAmount(double amount, double ratePercent, double years);

// Marginal rate as a fraction, Medicare levy included.
double MarginalTaxRate(double taxableIncome, const TaxScale& scale);
