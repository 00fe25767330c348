// What if: the investment worked out again under changed inputs, on copies. Nothing here
// changes the open record, its modified mark, the settings store or the scales in force: the
// scales to use are given.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "model/Investment.h"
#include "model/Scales.h"


// The inputs a question can change. Each sets one field of the record; the recalculation
// derives the rest (stamp duty, deposit, loan, expenses) as an edit would.
enum class WhatIfInput : int {
    InterestRate,  // RateInterest, % a year
    CapitalGrowth, // RateGrowth, % a year
    Inflation,     // RateInfl, % a year
    Rent,          // Rent, $ per rent period
    Price,         // Price, $
    VacancyRate,   // VacancyRate, %
    DepositPC,     // DepositPC, % of the total cost; the deposit follows it (CalcDeposit on)
    TaxableIncome, // TaxableHim, the investor's taxable income in year 1, $
};
inline constexpr int kWhatIfInputCount = 8;

enum class WhatIfResult : int {
    IRR,
    NPV,
    IRRAfterSale,
    NPVAfterSale,
    AvgCashFlowWeek,
    CashFlowYear, // the after-tax cash flow of the results year (ShowYear)
};
inline constexpr int kWhatIfResultCount = 6;

enum class Unit { Percent, Money };

struct WhatIfInputInfo {
    WhatIfInput input;
    std::string_view key;   // velcalc's name
    std::string_view label; // as the program shows it
    Unit unit;
    double Investment::*field;
    double min, max; // a value outside gives no result
};

struct WhatIfResultInfo {
    WhatIfResult result;
    std::string_view key;
    std::string_view label;
    Unit unit;
};

inline constexpr double kNoLimit = 1e300;

inline constexpr std::array<WhatIfInputInfo, kWhatIfInputCount> kWhatIfInputs = {{
    {WhatIfInput::InterestRate, "interest", "Interest rate", Unit::Percent,
     &Investment::RateInterest, 0.0, 100.0},
    {WhatIfInput::CapitalGrowth, "growth", "Capital growth", Unit::Percent,
     &Investment::RateGrowth, -99.0, 100.0},
    {WhatIfInput::Inflation, "inflation", "Inflation", Unit::Percent, &Investment::RateInfl,
     -99.0, 100.0},
    {WhatIfInput::Rent, "rent", "Rent", Unit::Money, &Investment::Rent, 0.0, kNoLimit},
    {WhatIfInput::Price, "price", "Price", Unit::Money, &Investment::Price, 0.0, kNoLimit},
    {WhatIfInput::VacancyRate, "vacancy", "Vacancy rate", Unit::Percent,
     &Investment::VacancyRate, 0.0, 100.0},
    {WhatIfInput::DepositPC, "deposit", "Deposit", Unit::Percent, &Investment::DepositPC, 0.0,
     100.0},
    {WhatIfInput::TaxableIncome, "income", "Taxable income", Unit::Money,
     &Investment::TaxableHim, 0.0, kNoLimit},
}};

inline constexpr std::array<WhatIfResultInfo, kWhatIfResultCount> kWhatIfResults = {{
    {WhatIfResult::IRR, "irr", "IRR", Unit::Percent},
    {WhatIfResult::NPV, "npv", "NPV", Unit::Money},
    {WhatIfResult::IRRAfterSale, "irrAfterSale", "IRR after sale", Unit::Percent},
    {WhatIfResult::NPVAfterSale, "npvAfterSale", "NPV after sale", Unit::Money},
    {WhatIfResult::AvgCashFlowWeek, "avgCashFlowWeek", "Average cash flow / wk", Unit::Money},
    {WhatIfResult::CashFlowYear, "cashFlowYear", "Cash flow / yr", Unit::Money},
}};

inline const WhatIfInputInfo& InfoOf(WhatIfInput input) {
    return kWhatIfInputs[static_cast<int>(input)];
}
inline const WhatIfResultInfo& InfoOf(WhatIfResult result) {
    return kWhatIfResults[static_cast<int>(result)];
}
std::optional<WhatIfInput> InputOfKey(std::string_view key);
std::optional<WhatIfResult> ResultOfKey(std::string_view key);

// The result read off a worked-out record; NoValue when there is none (nothing bought, or no
// rate of return).
double ResultOf(const Investment& doc, WhatIfResult result);

// One input set to a new value.
struct InputChange {
    WhatIfInput input;
    double value;
};

// The investment as it stands, and its recalculation with inputs changed. The record is copied
// without its texts and views, so that working out a change costs a copy of numbers and one
// recalculation. Every question starts from the record as given: the open record, or a file
// as read, before the recalculation that may set some of its amounts (a deposit above the
// cost is cut to the cost, for one).
class WhatIf {
public:
    WhatIf(const Investment& doc, const Scales& scales);

    // The record as given, worked out under the scales.
    const Investment& Base() const { return base_; }
    const Scales& ScalesUsed() const { return scales_; }
    double BaseValue(WhatIfInput input) const { return inputs_.*InfoOf(input).field; }

    // The record recalculated with `changes` applied (later ones win), or nullptr when a value
    // lies outside its input's range or is not a number. The record lives until the next call.
    const Investment* WorkOut(std::span<const InputChange> changes);
    // The result with `changes` applied, or NoValue.
    double Result(std::span<const InputChange> changes, WhatIfResult result);

private:
    Investment inputs_;
    Investment base_;
    Investment work_;
    Scales scales_;
};
