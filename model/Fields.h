// Every number of the record's fixed layout and every single figure the recalculation works
// out, each listed once: its name (velcalc's, and the settings store's for the ones a new
// investment remembers), its field, a new investment's value and what it is. The defaults,
// the settings reads and writes, velcalc's output, the undo comparison and the check for
// numbers that overflowed all follow this table. The inputs beyond the file's fixed layout
// have a table of their own (model/Assumptions.h); the file's byte layout is written out in
// persist/InvestmentFile.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/Investment.h"

enum class FieldRole : std::uint8_t {
    Input,   // typed by the user
    Switch,  // a linked-variable switch, 0 or 1: on, the linked value is worked out
    Linked,  // typed, or worked out while its switch is on
    Derived, // always worked out
};

// Where a field stands in velcalc's output: with the fixed layout, with the sale's results,
// or with the results only the law of the years gives.
enum class FieldGroup : std::uint8_t { Record, Sale, LawSale };

struct RecordField {
    std::string_view name;
    double Investment::*doubleField = nullptr;
    int Investment::*intField = nullptr;
    std::int16_t Investment::*shortField = nullptr;
    double builtIn = 0;
    FieldRole role = FieldRole::Input;
    // Kept in the settings store ("SettingsFile") for new investments.
    bool remembered = false;
    FieldGroup group = FieldGroup::Record;
};

namespace fields {
using D = Investment;
constexpr RecordField Num(std::string_view n, double D::*f, double v, FieldRole r, bool kept = false,
                          FieldGroup g = FieldGroup::Record) {
    return {n, f, nullptr, nullptr, v, r, kept, g};
}
constexpr RecordField Int(std::string_view n, int D::*f, double v, FieldRole r, bool kept = false,
                          FieldGroup g = FieldGroup::Record) {
    return {n, nullptr, f, nullptr, v, r, kept, g};
}
constexpr auto In = FieldRole::Input;
constexpr auto Sw = FieldRole::Switch;
constexpr auto Ln = FieldRole::Linked;
constexpr auto Dv = FieldRole::Derived;
constexpr bool Kept = true;
} // namespace fields

// In the file's order, then the worked-out values the file does not hold, then the sale's.
inline constexpr auto kRecordFields = [] {
    using namespace fields;
    return std::to_array<RecordField>({
        Num("Price", &D::Price, 0, In),
        Num("Renovations", &D::Renovations, 0, In),
        Num("Furniture", &D::Furniture, 0, In),
        Num("MarketValue", &D::MarketValue, 0, In),
        Num("StampDutyCost", &D::StampDutyCost, 0, Ln),
        Num("Conveyancing", &D::Conveyancing, 950.0, In, Kept),
        Num("OtherCosts", &D::OtherCosts, 0, In),
        Num("PurchaseCosts", &D::PurchaseCosts, 0, Dv),
        Int("UseSDScale", &D::UseSDScale, 1, Sw, Kept),
        RecordField{"ReservedFlag", nullptr, nullptr, &D::ReservedFlag, 0, In},
        Num("CashDeposit", &D::CashDeposit, 0, Ln),
        Num("DepositPC", &D::DepositPC, 5.0, In, Kept),
        Int("CalcDeposit", &D::CalcDeposit, 1, Sw, Kept),
        Int("CalcLoanCosts", &D::CalcLoanCosts, 1, Sw, Kept),
        Num("LoanCosts", &D::LoanCosts, 0, Ln),
        Num("LoanCostsPC", &D::LoanCostsPC, 1.5, In, Kept),
        Int("LCYears", &D::LCYears, 5, In, Kept),
        Int("LoanType", &D::LoanType, 0, In, Kept),
        Num("RateInterest", &D::RateInterest, 8.5, In, Kept),
        Num("AdditionalLoan", &D::AdditionalLoan, 0, In),
        Num("LoanAmount", &D::LoanAmount, 0, Dv),
        Int("LoanTerm", &D::LoanTerm, 25, In, Kept),
        Num("TotalCost", &D::TotalCost, 0, Dv),
        Num("Rent", &D::Rent, 0, In),
        Int("PeriodsPerYear", &D::PeriodsPerYear, 52, In, Kept),
        Num("VacancyRate", &D::VacancyRate, 2.0, In, Kept),
        Num("AnnualRent", &D::AnnualRent, 0, Dv),
        Num("GrossYield", &D::GrossYield, 0, Dv),
        Num("NetYield", &D::NetYield, 0, Dv),
        Num("Expenses", &D::Expenses, 0, Ln),
        Num("ExpensesPC", &D::ExpensesPC, 22.5, In, Kept),
        Int("CalcExpenses", &D::CalcExpenses, 1, Sw, Kept),
        Int("CalcDepFitt", &D::CalcDepFitt, 1, Sw, Kept),
        Num("DepFittPC", &D::DepFittPC, 6.0, In, Kept),
        Num("DepFittValue", &D::DepFittValue, 0, Ln),
        Num("DepFittRate", &D::DepFittRate, 20.0, In, Kept),
        Int("DepFittMethod", &D::DepFittMethod, 0, In, Kept),
        Int("CalcDepBuild", &D::CalcDepBuild, 1, Sw, Kept),
        Num("DepBuildPC", &D::DepBuildPC, 50.0, In, Kept),
        Num("DepBuildValue", &D::DepBuildValue, 0, Ln),
        Num("DepBuildRate", &D::DepBuildRate, 2.5, In, Kept),
        Int("DepBuildMethod", &D::DepBuildMethod, 1, In, Kept),
        Num("Depreciation", &D::Depreciation, 0, Dv),
        Num("TaxableHim", &D::TaxableHim, 47000.0, In, Kept),
        Num("TaxableHer", &D::TaxableHer, 19000.0, In, Kept),
        Int("NamesOnTitle", &D::NamesOnTitle, 1, In, Kept),
        Num("RateGrowth", &D::RateGrowth, 4.5, In, Kept),
        Num("RateInfl", &D::RateInfl, 2.0, In, Kept),
        Int("ShowYear", &D::ShowYear, 1, In, Kept),
        Int("ProjectionYear", &D::ProjectionYear, 10, In, Kept),
        // Worked out, not in the file.
        Num("DepFittRemaining", &D::DepFittRemaining, 0, Dv),
        Num("DepBuildRemaining", &D::DepBuildRemaining, 0, Dv),
        Num("AvgCashFlowWeek", &D::AvgCashFlowWeek, 0, Dv),
        Num("IRR", &D::IRR, 0, Dv),
        Num("NPV", &D::NPV, 0, Dv),
        // The sale at the end of the projection period (model/Sale.h).
        Num("SalePrice", &D::SalePrice, 0, Dv, false, FieldGroup::Sale),
        Num("SaleCosts", &D::SaleCosts, 0, Dv, false, FieldGroup::Sale),
        Num("CostBase", &D::CostBase, 0, Dv, false, FieldGroup::Sale),
        Num("CapitalGain", &D::CapitalGain, 0, Dv, false, FieldGroup::Sale),
        Num("TaxableGain", &D::TaxableGain, 0, Dv, false, FieldGroup::Sale),
        Num("SaleTax", &D::SaleTax, 0, Dv, false, FieldGroup::Sale),
        Num("ValueAfterSale", &D::ValueAfterSale, 0, Dv, false, FieldGroup::Sale),
        Num("IRRAfterSale", &D::IRRAfterSale, 0, Dv, false, FieldGroup::Sale),
        Num("NPVAfterSale", &D::NPVAfterSale, 0, Dv, false, FieldGroup::Sale),
        Num("GainBeforeSwitch", &D::GainBeforeSwitch, 0, Dv, false, FieldGroup::LawSale),
        Num("GainAfterSwitch", &D::GainAfterSwitch, 0, Dv, false, FieldGroup::LawSale),
        Num("IndexedCostBase", &D::IndexedCostBase, 0, Dv, false, FieldGroup::LawSale),
        Num("MinimumTaxTopUp", &D::MinimumTaxTopUp, 0, Dv, false, FieldGroup::LawSale),
        Int("WithinBrightLine", &D::WithinBrightLine, 0, Dv, false, FieldGroup::LawSale),
    });
}();

consteval bool EveryFieldHasItsMember() {
    for (const RecordField& f : kRecordFields)
        if ((f.doubleField != nullptr) + (f.intField != nullptr) + (f.shortField != nullptr) != 1)
            return false;
    return true;
}
static_assert(EveryFieldHasItsMember());

// The field's value as a double.
inline double FieldValue(const Investment& doc, const RecordField& f) {
    if (f.doubleField) return doc.*f.doubleField;
    if (f.intField) return static_cast<double>(doc.*f.intField);
    return static_cast<double>(doc.*f.shortField);
}

// Sets the field to `value` (an int field takes it as an int).
inline void SetFieldValue(Investment& doc, const RecordField& f, double value) {
    if (f.doubleField) doc.*f.doubleField = value;
    else if (f.intField) doc.*f.intField = static_cast<int>(value);
    else doc.*f.shortField = static_cast<std::int16_t>(value);
}

// The fields of the table for which `keep` holds, in the table's order, as an array made
// while compiling.
template <auto keep> constexpr auto FieldsWhere() {
    constexpr auto count = [] {
        std::size_t n = 0;
        for (const RecordField& f : kRecordFields) n += keep(f) ? 1 : 0;
        return n;
    }();
    std::array<RecordField, count> chosen{};
    std::size_t i = 0;
    for (const RecordField& f : kRecordFields)
        if (keep(f)) chosen[i++] = f;
    return chosen;
}

// The fields a new investment takes from the settings store, in the table's order.
inline constexpr auto kRememberedFields =
    FieldsWhere<[](const RecordField& f) { return f.remembered; }>();
