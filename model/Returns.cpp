#include "model/Returns.h"

#include <algorithm>
#include <array>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Sale.h"
#include "model/Scales.h"

namespace {

constexpr double kTwelfth = 1.0 / 12;

// Newton's method from the guess q0; false when it leaves the power bounds, meets a flat
// present value or does not settle within 150 rounds.
//
// Each round sums v = -f(q) and u = -f'(q) over the series, with x = (1 + q)^j built up by
// multiplication: v - s[j] / x and u + j * s[j] / x / (1 + q), term by term in order. The
// divisions are most of the time of a recalculation: where the processor divides pairs of
// doubles, two terms share each division. Every quotient is the same correctly rounded
// double and the sums keep their order, so the result is the same to the last bit.
bool NewtonFrom(const double* s, std::size_t count, double q0, double& result) {
    double q = q0;
    for (int round = 0; round < 150; ++round) {
        const double g = 1 + q;
        double v = -s[0]; // -f(q)
        double u = 0;     // -f'(q)
        double x = 1;
        std::size_t j = 1;
#ifdef __SSE2__
        const __m128d gg = _mm_set1_pd(g);
        for (; j + 1 < count; j += 2) {
            const double x1 = g * x;
            if (!(x1 > 1e-30 && x1 < 1e30)) return false;
            const double x2 = g * x1;
            if (!(x2 > 1e-30 && x2 < 1e30)) return false;
            x = x2;
            const __m128d xx = _mm_set_pd(x2, x1);
            const __m128d ss = _mm_loadu_pd(s + j);
            const __m128d jj = _mm_set_pd(static_cast<double>(j + 1), static_cast<double>(j));
            alignas(16) double value[2], slope[2];
            _mm_store_pd(value, _mm_div_pd(ss, xx));
            _mm_store_pd(slope, _mm_div_pd(_mm_div_pd(_mm_mul_pd(jj, ss), xx), gg));
            v = v - value[0];
            u = u + slope[0];
            v = v - value[1];
            u = u + slope[1];
        }
#endif
        for (; j < count; ++j) {
            x = g * x;
            if (!(x > 1e-30 && x < 1e30)) return false;
            v = v - s[j] / x;
            u = u + static_cast<double>(j) * s[j] / x / g;
        }
        if (!(std::fabs(u) > 1e-30)) return false;
        const double next = q - v / u;
        if (std::fabs(next - q) < 0.0001) {
            result = next;
            return true;
        }
        q = next;
    }
    return false;
}

// Present value of `a` after `t` years at `r` percent: compound for whole years, simple
// interest for the part year. False when the rate is -100 % or less and there is something
// to discount.
bool Discount(double a, double r, double t, double& result) {
    const double whole = std::trunc(t);
    const std::int32_t n = SaturateToInt32(whole);
    const double f = t - whole;
    if (f > 0.0001) {
        if (!(r > -100)) return false;
        a = a / (f * r * 0.01 + 1);
    }
    if (n > 0 && !(r > -100)) return false;
    for (std::int32_t i = 0; i < n; ++i) {
        const double next = a / (r * 0.01 + 1);
        // Once a division no longer changes the amount, no later one will.
        if (next == a) break;
        a = next;
    }
    result = a;
    return true;
}

} // namespace

double SolveSeriesRate(const double* series, std::size_t count, int periodsPerYear) {
    if (series == nullptr || count == 0) return NoValue;
    const double k = std::max(periodsPerYear, 1);
    const double guesses[] = {0.1 / k, -0.1 / k, -0.3, -0.7, 0.1, 0.05, 0.001};
    for (double q0 : guesses) {
        double q = 0;
        if (NewtonFrom(series, count, q0, q) && q > -100) return q;
    }
    return NoValue;
}

double HoldingIRR(int years, double deposit, const double* flows, double finalValue) {
    const int n = std::clamp(years, 1, kTableColumns);
    // A rate worked out from a year that has no figure would be no figure either.
    if (IsNoValue(finalValue) || std::any_of(flows, flows + n, [](double f) { return IsNoValue(f); }))
        return NoValue;
    std::array<double, kMaxSeriesEntries> s;
    std::size_t count = 0;
    if (deposit > 0) {
        s[count++] = -deposit;
        for (int j = 0; j < n; ++j) {
            const double month = flows[j] * kTwelfth;
            for (int m = 0; m < 12; ++m)
                s[count++] = month;
        }
        s[count++] = finalValue;
    } else {
        // Without a deposit the investment must cost money before it pays: leading years
        // without a cash flow are skipped.
        if (finalValue < -0.000001) return NoValue;
        double total = deposit + finalValue;
        for (int j = 0; j < n; ++j)
            total = total + flows[j];
        if (total < 0) return NoValue;
        bool costs = false;
        for (int j = 0; j < n - 1; ++j)
            if (flows[j] < -0.0000001) costs = true;
        if (!costs) return NoValue;
        int first = 0;
        while (first < n && std::fabs(flows[first]) <= 0.0000001)
            ++first;
        for (int j = first; j < n; ++j) {
            const double month = flows[j] * kTwelfth;
            for (int m = 0; m < 12; ++m)
                s[count++] = month;
        }
        s[count++] = finalValue;
    }
    const double r = SolveSeriesRate(s.data(), count, 12);
    if (r < -100) return r;
    return (std::pow(1 + r, 12) - 1) * 100;
}

double DiscountAmount(double amount, double ratePercent, double years) {
    double result = 0;
    return Discount(amount, ratePercent, years, result) ? result : NoValue;
}

bool UsesOffset(const Investment& doc) {
    return doc.OffsetOpening > 0 || doc.OffsetMonthly > 0 || doc.OffsetSurplus != 0;
}

InvestorMoney InvestorMoneyOf(const Investment& doc) {
    InvestorMoney money;
    money.doc = &doc;
    money.deposit = doc.CashDeposit;
    if (!UsesOffset(doc)) return money;
    money.offset = true;
    money.deposit = doc.CashDeposit + doc.OffsetOpening;
    for (int c = 0; c < kTableColumns; ++c)
        money.paidIn[c] = doc.At(Row::AfterTaxCash, c) - doc.OffsetPaidInByYear[c];
    return money;
}

double InvestorMoney::WithOffset(double value, int years) const {
    if (!offset) return value;
    return value + doc->OffsetByYear[std::clamp(years, 1, kTableColumns) - 1];
}

bool PresentValueOfFlows(const Investment& doc, int years, double& result) {
    return PresentValueOfFlows(InvestorMoneyOf(doc), doc.RateInfl, years, result);
}

bool PresentValueOfFlows(const InvestorMoney& money, double inflationPercent, int years,
                         double& result) {
    const int p = std::clamp(years, 1, kTableColumns);
    const double* cash = money.Flows();
    const double r = inflationPercent;
    // Every flow is discounted for a half year, which fails at -100 % or less.
    if (!(r > -100)) return false;
    // The flow of year i + 1 is discounted as Discount does it for i + 0.5 years: the half
    // year by simple interest, then i whole years one division at a time. The flows go
    // through their divisions side by side rather than one after the other, so that the
    // divisions overlap; each flow meets the same divisions in the same order.
    std::array<double, kTableColumns> d;
    const double half = 0.5 * r * 0.01 + 1;
    for (int i = 0; i < p; ++i) d[i] = cash[i] / half;
    const double yearly = r * 0.01 + 1;
    for (int year = 1; year < p; ++year)
        for (int i = year; i < p; ++i) d[i] = d[i] / yearly;
    double npv = -money.deposit;
    for (int i = 0; i < p; ++i) npv = npv + d[i];
    result = npv;
    return true;
}

double WithFinalValue(double flowsValue, double finalValue, double inflationPercent, int years) {
    double d = 0;
    if (!Discount(finalValue, inflationPercent, std::clamp(years, 1, kTableColumns) - 0.5, d))
        return NoValue;
    return flowsValue + d;
}

Investment::YearArray HoldingRates(const Investment& doc) {
    Investment::YearArray rates;
    const InvestorMoney money = InvestorMoneyOf(doc);
    for (int years = 1; years <= kTableColumns; ++years)
        rates[years - 1] = HoldingIRR(years, money.deposit, money.Flows(),
                                      money.WithOffset(doc.At(Row::Equity, years - 1), years));
    return rates;
}

void ComputeResults(Investment& doc, const TaxScale& tax, Investment::Results wanted) {
    const int p = std::clamp(doc.ProjectionYear, 1, kTableColumns);
    const double* week = doc.RowData(Row::AfterTaxCashWeek);
    const InvestorMoney money = InvestorMoneyOf(doc);
    const double finalEquity = money.WithOffset(doc.At(Row::Equity, p - 1), p);

    double sum = 0;
    for (int i = 0; i < p; ++i)
        sum += week[i];
    doc.AvgCashFlowWeek = sum / p;

    doc.IRR = wanted == Investment::Results::All
                  ? HoldingIRR(p, money.deposit, money.Flows(), finalEquity)
                  : NoValue;

    // Cash flows count as received in the middle of their year, the final equity in the
    // middle of the last year. An inflation rate of -100 % or less discounts nothing.
    double flows = 0;
    const bool flowsOk = PresentValueOfFlows(money, doc.RateInfl, p, flows);
    doc.NPV = flowsOk ? WithFinalValue(flows, finalEquity, doc.RateInfl, p) : NoValue;

    ComputeSaleResults(doc, tax, flowsOk, flows);
}

double MarginalTaxRate(double x, const TaxScale& scale) {
    const int n = RowsInUse(scale.Count);
    double m = 0;
    for (int i = 0; i < n; ++i) {
        if (x >= scale.Above[i])
            m = scale.Rate[i] * 0.01;
        else
            break;
    }
    if (x > scale.MedicareThreshold) {
        // In the reduced band the levy grows by a tenth of every dollar.
        const bool reduced = scale.MedicareShadeIn &&
                             (x - scale.MedicareThreshold) * 0.1 < x * scale.MedicareRate * 0.01;
        m = (reduced ? 0.1 : scale.MedicareRate * 0.01) + m;
    }
    return m;
}

