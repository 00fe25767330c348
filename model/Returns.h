// Returns of the projection: the result stage of the recalculation, the internal rate of
// return of holding the property, discounting, and the marginal tax rate.
#pragma once

#include <cstddef>

class CVELPPCDoc;
struct TaxScale;

inline constexpr std::size_t kMaxSeriesEntries = 482;

// Sets AvgCashFlowWeek, IRR and NPV from the finished table.
void ComputeResults(CVELPPCDoc& doc);

// Annual internal rate of return in percent of paying `deposit`, receiving the yearly
// `flows[0..years-1]` in monthly twelfths and `finalValue` one month after the last; NoValue
// when there is none. `years` is limited to 1..40.
double HoldingIRR(int years, double deposit, const double* flows, double finalValue);

// The rate per period at which the series' present value is 0, or NoValue.
double SolveSeriesRate(const double* series, std::size_t count, int periodsPerYear);

// Present value of `amount` received after `years` at `ratePercent` a year, or NoValue.
double DiscountAmount(double amount, double ratePercent, double years);

// Marginal rate as a fraction, Medicare levy included.
double MarginalTaxRate(double taxableIncome, const TaxScale& scale);
double MarginalTaxRate(double taxableIncome); // under CurrentTaxScale
