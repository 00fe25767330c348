// The recalculation: every derived field, the per-year incomes and the annual table from the
// inputs and the scales in force. The arithmetic keeps the order of operations of the original
// formulas so that results agree to the last bit with other implementations of them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "format/Format.h"
#include "model/Assumptions.h"
#include "model/Fields.h"
#include "model/Investment.h"
#include "model/LandTax.h"
#include "model/Law.h"
#include "model/Returns.h"
#include "model/Sale.h"
#include "model/Scales.h"
#include "model/YearRates.h"

double LoanRepayment(double principal, double years, double ratePercent, double paymentsPerYear) {
    if (!(paymentsPerYear > 0) || !(years > 0)) return NoValue;
    const double i = ratePercent / (paymentsPerYear * 100);
    const double n = years * paymentsPerYear;
    const double g = std::pow(1 + i, n);
    if (std::fabs(g - 1) == 0) return principal / n;
    // Over a term so long that g overflows, the annuity has become one period's interest;
    // the formula itself would give infinity over infinity.
    if (std::isinf(g)) return i * principal;
    const double repayment = g * i * principal / (g - 1);
    if (std::isfinite(repayment) || !std::isfinite(principal)) return repayment;
    // g * i * principal alone overflowed: the same annuity, divided out first.
    return i * principal / (1 - 1 / g);
}

namespace {

constexpr double kMonthlyRate = 1.0 / 1200;
constexpr double kWeekShare = 1.0 / 52;

struct Loan {
    double balance;   // B
    double repayment; // R
    double rate;      // the rate in force
    double extra = 0; // repaid every month beyond R
    // An offset account: its balance, which the interest is charged net of, and what is paid
    // into it at the end of every month.
    bool hasOffset = false;
    double offset = 0, offsetMonthly = 0;
};

// The part of `balance` that bears interest: all of it without an offset account.
double Owing(const Loan& loan, double balance, double offset) {
    return loan.hasOffset ? std::max(0.0, balance - offset) : balance;
}

// Twelve months of a principal-and-interest loan, added into the year's interest and principal.
// The month's figures run in locals: the sums live in the table, which the compiler would
// otherwise have to read back every month in case they were the loan's own fields.
void RepayOneYear(Loan& loan, double& interest, double& principal) {
    double balance = loan.balance, offset = loan.offset, in = interest, out = principal;
    for (int month = 0; month < 12; ++month) {
        const double m = loan.rate * Owing(loan, balance, offset) * kMonthlyRate;
        in += m;
        const double due = loan.extra > 0 ? (loan.repayment - m) + loan.extra : loan.repayment - m;
        double p = balance < due ? balance : due;
        if (p < 0) p = 0;
        out += p;
        balance = balance - p;
        if (balance < 0) balance = 0;
        if (loan.hasOffset) offset += loan.offsetMonthly;
    }
    loan.balance = balance;
    loan.offset = offset;
    interest = in;
    principal = out;
}

// Twelve months of interest alone at `rate`, each on the balance less the offset account.
double InterestOnlyYear(Loan& loan, double rate) {
    double interest = 0;
    for (int month = 0; month < 12; ++month) {
        interest += rate * Owing(loan, loan.balance, loan.offset) * kMonthlyRate;
        loan.offset += loan.offsetMonthly;
    }
    return interest;
}

// Year 1 of a depreciable item. The year never takes more than a positive value holds.
double FirstYearDepreciation(double rate, double value, double& remaining) {
    double amount = rate * value * 0.01;
    if (value > 0 && amount > value) amount = value;
    remaining = value - amount;
    if (remaining < 0) remaining = 0;
    return amount;
}

// A later year: the same amount (straight line) or the rest of the rate of the previous
// year's amount (diminishing value), never more than what remains to depreciate.
double LaterYearDepreciation(bool straightLine, double rate, double previous, double& remaining) {
    if (!(remaining > 0.001)) return 0.0;
    double amount = straightLine ? previous : (100 - rate) * previous * 0.01;
    if (amount > remaining) amount = remaining;
    remaining = remaining - amount;
    return amount;
}

double YearTaxSaving(const TaxScale& t, bool jointNames, double rent, double deductions,
                     double him, double her) {
    if (!jointNames)
        return ComputeIncomeTax(him, t) - ComputeIncomeTax((rent + him) - deductions, t);
    // Each owner declares half of the rent and half of the deductions.
    return (ComputeIncomeTax(him, t) + ComputeIncomeTax(her, t)) -
           (ComputeIncomeTax((rent * 0.5 + him) - deductions * 0.5, t) +
            ComputeIncomeTax((rent * 0.5 + her) - deductions * 0.5, t));
}

// The tax saving of a year whose rental profit `profit` (0 or more) is taxed on top of the
// incomes, each owner taking half under joint names.
double ProfitTaxSaving(const TaxScale& t, bool jointNames, double profit, double him,
                       double her) {
    if (!jointNames) return ComputeIncomeTax(him, t) - ComputeIncomeTax(him + profit, t);
    const double half = profit * 0.5;
    return (ComputeIncomeTax(him, t) - ComputeIncomeTax(him + half, t)) +
           (ComputeIncomeTax(her, t) - ComputeIncomeTax(her + half, t));
}

// A year under the rule that carries rental losses forward: a loss saves no tax and is added
// to `carried`; a profit first uses up what is carried, and only the rest is taxed.
double CarriedLossTaxSaving(const TaxScale& t, bool jointNames, double rent, double deductions,
                            double him, double her, double& carried) {
    const double net = rent - deductions;
    if (net < 0) {
        carried = carried - net;
        return 0.0;
    }
    const double profit = std::max(0.0, net - carried);
    carried = std::max(0.0, carried - net);
    return ProfitTaxSaving(t, jointNames, profit, him, her);
}

// A figure that overflowed (rates of millions of percent compound past the largest number
// within the 40 years) or came out "not a number" is no number: the table, the incomes by
// year and the results hold the no-value marker instead, which the views show as "?????".
// Whether every value is finite: none has an exponent of all ones. Integer arithmetic
// without branches, so that the compiler handles two values at a time; the look costs a
// fraction of what testing each value would.
template <std::size_t N> bool AllFinite(const std::array<double, N>& values) {
    std::uint64_t overflowed = 0;
    for (double v : values) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        overflowed |= (((bits >> 52) & 0x7FF) + 1) >> 11;
    }
    return overflowed == 0;
}

void KeepNumbers(Investment& d) {
    auto keep = [](double& v) {
        if (!std::isfinite(v)) v = NoValue;
    };
    if (!AllFinite(d.table))
        for (double& v : d.table) keep(v);
    for (auto* year : {&d.TaxableHimByYear, &d.TaxableHerByYear, &d.CarriedLossByYear,
                       &d.OffsetByYear, &d.InterestSavedByYear, &d.OffsetPaidInByYear,
                       &d.RepaymentByYear, &d.LandTaxByYear})
        if (!AllFinite(*year))
            for (double& v : *year) keep(v);
    // Only what is always worked out: a value the user gave (a deposit, loan costs,
    // expenses, a depreciable value, the duty when not from the scale) stays as given.
    static constexpr auto kDerived = FieldsWhere<[](const RecordField& f) {
        return f.role == FieldRole::Derived && f.doubleField != nullptr;
    }>();
    std::array<double, kDerived.size()> values;
    for (std::size_t i = 0; i < kDerived.size(); ++i) values[i] = d.*kDerived[i].doubleField;
    if (!AllFinite(values))
        for (const RecordField& f : kDerived) keep(d.*f.doubleField);
}

} // namespace

YearRates RecordYearRates(const Investment& doc) {
    YearRates r;
    r.growth.fill(doc.RateGrowth);
    r.interest = InterestRateByYear(doc);
    r.rentGrowth.fill(doc.RentFollowsInflation != 0 ? doc.RateInfl : doc.RateRentGrowth);
    r.inflation.fill(doc.RateInfl);
    r.vacancy.fill(doc.VacancyRate);
    return r;
}

void Investment::Recalculate(const Scales& scales) {
    Recalculate(scales.duty, scales.tax);
}

void Investment::Recalculate(const DutyScale& duty, const TaxScale& tax) {
    Recalculate(duty, tax, RecordYearRates(*this));
}

void Investment::Recalculate(const DutyScale& duty, const TaxScale& tax,
                             const YearRates& rates, Results wanted) {
    // Values that are used as a divisor or as a choice are read defensively, so that a record
    // that was never limited still gives numbers.
    const bool principalAndInterest = LoanType == 1;
    const bool jointNames = NamesOnTitle == 2;
    const int lcYears = std::max(LCYears, 1);

    // The factors of year c.
    auto G = [&rates](int c) { return 1 + rates.growth[c] * 0.01; };
    auto F = [&rates](int c) { return 1 + rates.inflation[c] * 0.01; };
    auto rentGrowth = [&rates](int c) { return 1 + rates.rentGrowth[c] * 0.01; };
    // Expenses follow inflation unless they are given a growth of their own.
    const double ownExpenseGrowth = 1 + RateExpensesGrowth * 0.01;
    auto expenseGrowth = [&](int c) {
        return ExpensesFollowInflation != 0 ? F(c) : ownExpenseGrowth;
    };
    // Principal and interest after k years of interest only; a loan whose term ends within
    // them is never repaid.
    const int k = principalAndInterest ? std::clamp(InterestOnlyYears, 0, kTableColumns) : 0;
    const bool repaid = principalAndInterest && !(k > 0 && k >= LoanTerm);
    // Each year's scale and the rules on losses and depreciation: under one scale for every
    // year the scale in force and the Assumptions' own rule on losses.
    ProjectionLaw law;
    WorkOutProjectionLaw(*this, law);
    const bool byYear = law.kind != kOneScaleForEveryYear;
    const std::array<TaxScale, kTableColumns>& scales = law.scales;
    IncomeYearByYear = law.incomeYear;
    // Under the rule that carries rental losses forward, from column lossFrom on.
    const bool carryLosses = byYear ? law.carryFrom < kTableColumns : LossTreatment == 1;
    const int lossFrom =
        byYear ? law.carryFrom : std::clamp(LossRuleFromYear, 1, kTableColumns) - 1;
    double carried = 0;

    ClearTable();
    CarriedLossByYear.fill(0.0);
    OffsetByYear.fill(0.0);
    InterestSavedByYear.fill(0.0);
    OffsetPaidInByYear.fill(0.0);
    RepaymentByYear.fill(0.0);
    LoanPaidOffYear = 0;
    // Land tax, a deduction and a cost of each year; with none the figures stay as they
    // always were (nothing is added, not even 0).
    const bool landTax = UsesLandTax(*this);
    LandTaxByYear = WorkOutLandTax(*this, rates);
    const double* const land = LandTaxByYear.data();
    // A depreciation schedule gives year c its figure (0 past its end) instead of the rate.
    auto scheduled = [](const std::vector<double>& schedule, int c) {
        return static_cast<std::size_t>(c) < schedule.size()
                   ? schedule[static_cast<std::size_t>(c)]
                   : 0.0;
    };
    // What a schedule leaves to deduct after year 1.
    auto laterYears = [](const std::vector<double>& schedule) {
        double sum = 0;
        for (std::size_t i = 1; i < schedule.size(); ++i) sum += schedule[i];
        return sum;
    };
    const bool buildSchedule = !BuildingSchedule.empty();
    const bool plantSchedule = !PlantSchedule.empty();
    double* const value = &At(Row::PropertyValue, 0);
    double* const debt = &At(Row::Debt, 0);
    double* const equity = &At(Row::Equity, 0);
    double* const rent = &At(Row::RentReceived, 0);
    double* const interest = &At(Row::InterestPaid, 0);
    double* const expenses = &At(Row::ExpensesPaid, 0);
    double* const buildDep = &At(Row::BuildingDep, 0);
    double* const fittDep = &At(Row::FittingsDep, 0);
    double* const writeOff = &At(Row::LoanCostWriteOff, 0);
    double* const deductions = &At(Row::Deductions, 0);
    double* const saving = &At(Row::TaxSaving, 0);
    double* const afterTax = &At(Row::AfterTaxCash, 0);
    double* const afterTaxWeek = &At(Row::AfterTaxCashWeek, 0);
    double* const principal = &At(Row::PrincipalPaid, 0);
    double* const preTax = &At(Row::PreTaxCash, 0);
    double* const him = TaxableHimByYear.data();
    double* const her = TaxableHerByYear.data();

    value[0] = MarketValue * G(0);

    // Purchase and finance.
    if (UseSDScale != 0) StampDutyCost = ComputeStampDuty(Price, duty);
    PurchaseCosts = StampDutyCost;
    // Conveyancing and other costs count only once a price is entered.
    if (Price > 0.001) PurchaseCosts = (OtherCosts + Conveyancing) + StampDutyCost;
    TotalCost = ((PurchaseCosts + Furniture) + Renovations) + Price;
    if (CalcDeposit != 0) CashDeposit = DepositPC * TotalCost * 0.01;
    if (CashDeposit >= TotalCost) {
        // Nothing is borrowed for the purchase, so there are no loan costs either.
        CashDeposit = TotalCost;
        LoanCosts = 0;
    } else if (CalcLoanCosts != 0) {
        LoanCosts = (TotalCost - CashDeposit) * LoanCostsPC * 0.01;
    }
    TotalCost = LoanCosts + TotalCost;

    // The investor's incomes of every year, filled before the early exit as well so that no
    // breakdown ever shows the incomes of a previously open investment.
    // Running values in registers; each year's figure is the last one times its factor.
    double hisIncome = TaxableHim, herIncome = TaxableHer;
    him[0] = hisIncome;
    her[0] = herIncome;
    for (int c = 1; c < kTableColumns; ++c) {
        hisIncome = hisIncome * F(c);
        herIncome = herIncome * F(c);
        him[c] = hisIncome;
        her[c] = herIncome;
    }

    if (TotalCost < 0.00001) {
        // Nothing bought: no land to tax either.
        LandTaxByYear.fill(0.0);
        ClearSaleResults(*this);
        KeepNumbers(*this);
        return;
    }

    LoanAmount = (AdditionalLoan + TotalCost) - CashDeposit;
    debt[0] = LoanAmount;
    equity[0] = value[0] - debt[0];

    // The repayment is first worked out at the rate of the first year that repays.
    const int firstRepaid = std::min(k, kTableColumns - 1);
    Loan loan{LoanAmount, 0.0, rates.interest[firstRepaid]};
    // A term of 0 or less gives NoValue here: then nothing is ever repaid and the loan runs as
    // interest only.
    if (repaid) loan.repayment = LoanRepayment(LoanAmount, LoanTerm - k, loan.rate, 12);
    // The same loan without the offset account, for the interest the account saves.
    Loan plain = loan;
    const bool withOffset = UsesOffset(*this);
    if (withOffset) {
        loan.hasOffset = true;
        loan.offset = OffsetOpening;
        loan.offsetMonthly = OffsetMonthly;
    }
    const int extraFrom = std::clamp(ExtraFromYear, 1, kTableColumns) - 1;
    // Year c of a loan, its interest and principal added into `in` and `pr` (0 before);
    // returns the debt at the year's end. `previous` is the interest of year c - 1.
    auto loanYear = [&](Loan& l, int c, double previous, double& in, double& pr) {
        if (repaid && c >= k) {
            if (c > 0 && rates.interest[c] != l.rate && l.balance >= 0.001 && LoanTerm - c > 0) {
                l.rate = rates.interest[c];
                l.repayment = LoanRepayment(l.balance, LoanTerm - c, l.rate, 12);
            }
            l.extra = c >= extraFrom ? ExtraRepayment : 0.0;
            if (c > 0 && l.balance < 0.001) {
                in = 0;
                if (l.hasOffset) l.offset += 12 * l.offsetMonthly;
                return 0.0;
            }
            RepayOneYear(l, in, pr);
            return l.balance;
        }
        // Interest only: the balance stays as it is.
        if (l.hasOffset) in = InterestOnlyYear(l, rates.interest[c]);
        else if (c == 0 || rates.interest[c] != rates.interest[c - 1])
            in = (l.balance * rates.interest[c]) * 0.01;
        else in = previous;
        return l.balance;
    };
    // The loan's year c, with the offset account's and the plain loan's figures beside it.
    double plainPrevious = 0;
    auto runLoanYear = [&](int c) {
        const double previous = c > 0 ? interest[c - 1] : 0.0;
        const bool owing = loan.balance >= 0.001 || c == 0;
        const double owed = loanYear(loan, c, previous, interest[c], principal[c]);
        if (!(repaid && c >= k)) RepaymentByYear[c] = interest[c] / 12;
        else if (owing) RepaymentByYear[c] = loan.repayment;
        // Debt[0] stays the amount borrowed, not the balance after year 1.
        if (c > 0) debt[c] = owed;
        if (repaid && LoanPaidOffYear == 0 && LoanAmount >= 0.001 && loan.balance < 0.001)
            LoanPaidOffYear = c + 1;
        if (withOffset) {
            double plainInterest = 0, plainPrincipal = 0;
            loanYear(plain, c, plainPrevious, plainInterest, plainPrincipal);
            plainPrevious = plainInterest;
            InterestSavedByYear[c] = plainInterest - interest[c];
        }
    };
    // At a year's end: the offset account's balance, and what was paid into it in the year,
    // the year's after-tax surplus too when it goes there.
    auto closeOffsetYear = [&](int c) {
        if (!withOffset) return;
        double paidIn = 12 * OffsetMonthly;
        if (OffsetSurplus != 0 && afterTax[c] > 0) {
            loan.offset += afterTax[c];
            paidIn += afterTax[c];
        }
        OffsetPaidInByYear[c] = paidIn;
        OffsetByYear[c] = loan.offset;
    };
    runLoanYear(0);

    // Depreciation, rent and expenses of year 1.
    if (CalcDepBuild != 0) DepBuildValue = (Renovations + Price) * DepBuildPC * 0.01;
    buildDep[0] = FirstYearDepreciation(
        DepBuildRate, law.noBuildingFrom == 0 ? 0.0 : DepBuildValue, DepBuildRemaining);
    if (CalcDepFitt != 0) DepFittValue = DepFittPC * Price * 0.01 + Furniture;
    fittDep[0] = FirstYearDepreciation(
        DepFittRate, law.noFittingsDepreciation ? 0.0 : DepFittValue, DepFittRemaining);
    if (buildSchedule) {
        buildDep[0] = law.noBuildingFrom == 0 ? 0.0 : BuildingSchedule[0];
        DepBuildRemaining = laterYears(BuildingSchedule);
    }
    if (plantSchedule) {
        fittDep[0] = law.noFittingsDepreciation ? 0.0 : PlantSchedule[0];
        DepFittRemaining = laterYears(PlantSchedule);
    }
    Depreciation = buildDep[0] + fittDep[0];

    const double periods = PeriodsPerYear;
    AnnualRent = (1 - rates.vacancy[0] * 0.01) * Rent * periods;
    // The rent before vacancy, needed when the vacancy changes from one year to the next.
    double grossRent = Rent * periods;
    // A yield needs a price (a value) to relate to: without one it is 0, as the rent editor
    // shows it, never infinity or not a number.
    GrossYield = Price > 0.0001 ? (100 / Price) * AnnualRent : 0.0;
    // Expenses follow the gross rent, before vacancies.
    if (CalcExpenses != 0) Expenses = ExpensesPC * Rent * periods * 0.01;
    expenses[0] = Expenses;
    // Land tax is a cost of holding the property like the expenses.
    const double holdingCosts = landTax ? expenses[0] + land[0] : expenses[0];
    NetYield = MarketValue > 0.0001 ? (AnnualRent - holdingCosts) * (100 / MarketValue) : 0.0;
    rent[0] = AnnualRent;
    preTax[0] = ((rent[0] - interest[0]) - expenses[0]) - principal[0];
    writeOff[0] = LoanCosts / lcYears;
    deductions[0] = (((writeOff[0] + fittDep[0]) + buildDep[0]) + expenses[0]) + interest[0];
    if (landTax) {
        deductions[0] += land[0];
        preTax[0] -= land[0];
    }

    // Tax saving and cash flow of year 1.
    const TaxScale& tax0 = byYear ? scales[0] : tax;
    if (carryLosses && lossFrom == 0)
        saving[0] = CarriedLossTaxSaving(tax0, jointNames, rent[0], deductions[0], him[0], her[0],
                                         carried);
    else
        saving[0] = YearTaxSaving(tax0, jointNames, rent[0], deductions[0], him[0], her[0]);
    CarriedLossByYear[0] = carried;
    afterTax[0] = (((rent[0] - interest[0]) - expenses[0]) + saving[0]) - principal[0];
    if (landTax) afterTax[0] -= land[0];
    afterTaxWeek[0] = afterTax[0] * kWeekShare;
    closeOffsetYear(0);

    const bool buildStraight = DepBuildMethod == 1;
    const bool fittStraight = DepFittMethod == 1;
    for (int c = 1; c < kTableColumns; ++c) {
        value[c] = value[c - 1] * G(c);
        grossRent = grossRent * rentGrowth(c);
        rent[c] = rates.vacancy[c] == rates.vacancy[c - 1]
                      ? rent[c - 1] * rentGrowth(c)
                      : (1 - rates.vacancy[c] * 0.01) * grossRent;
        runLoanYear(c);
        equity[c] = value[c] - debt[c];
        expenses[c] = expenses[c - 1] * expenseGrowth(c);
        if (buildSchedule) {
            buildDep[c] = scheduled(BuildingSchedule, c);
            DepBuildRemaining = DepBuildRemaining - buildDep[c];
        } else {
            buildDep[c] = LaterYearDepreciation(buildStraight, DepBuildRate, buildDep[c - 1],
                                                DepBuildRemaining);
        }
        if (c >= law.noBuildingFrom) buildDep[c] = 0;
        if (plantSchedule) {
            fittDep[c] = scheduled(PlantSchedule, c);
            DepFittRemaining = DepFittRemaining - fittDep[c];
            if (law.noFittingsDepreciation) fittDep[c] = 0;
        } else {
            fittDep[c] =
                LaterYearDepreciation(fittStraight, DepFittRate, fittDep[c - 1], DepFittRemaining);
        }
        if (c < lcYears) writeOff[c] = writeOff[0];
        deductions[c] = (((writeOff[c] + fittDep[c]) + buildDep[c]) + expenses[c]) + interest[c];
        if (landTax) deductions[c] += land[c];
        const TaxScale& taxC = byYear ? scales[static_cast<std::size_t>(c)] : tax;
        if (carryLosses && c >= lossFrom)
            saving[c] = CarriedLossTaxSaving(taxC, jointNames, rent[c], deductions[c], him[c],
                                             her[c], carried);
        else
            saving[c] = YearTaxSaving(taxC, jointNames, rent[c], deductions[c], him[c], her[c]);
        CarriedLossByYear[c] = carried;
        preTax[c] = ((rent[c] - interest[c]) - expenses[c]) - principal[c];
        afterTax[c] = (((rent[c] - interest[c]) - expenses[c]) + saving[c]) - principal[c];
        if (landTax) {
            preTax[c] -= land[c];
            afterTax[c] -= land[c];
        }
        afterTaxWeek[c] = afterTax[c] * kWeekShare;
        closeOffsetYear(c);
    }

    ComputeResults(*this, tax, wanted);
    KeepNumbers(*this);
}
