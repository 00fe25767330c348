// The default inputs that section "SettingsFile" remembers, in the order in which a new
// investment reads them. Each is either an int or a double field of the record.
#pragma once

#include <array>
#include <string_view>

#include "model/Investment.h"

struct DefaultInput {
    std::string_view name;
    int CVELPPCDoc::*intField;       // set for int values, else nullptr
    double CVELPPCDoc::*doubleField; // set for double values, else nullptr
    double builtIn;                  // used when the store holds nothing
    bool linkSwitch;                 // one of the six switches that StoreLinkSwitches writes
};

inline const std::array<DefaultInput, 29> kDefaultInputs = {{
    {"Conveyancing", nullptr, &CVELPPCDoc::Conveyancing, 950.0, false},
    {"UseSDScale", &CVELPPCDoc::UseSDScale, nullptr, 1, true},
    {"DepositPC", nullptr, &CVELPPCDoc::DepositPC, 5.0, false},
    {"CalcDeposit", &CVELPPCDoc::CalcDeposit, nullptr, 1, true},
    {"CalcLoanCosts", &CVELPPCDoc::CalcLoanCosts, nullptr, 1, true},
    {"LoanCostsPC", nullptr, &CVELPPCDoc::LoanCostsPC, 1.5, false},
    {"LCYears", &CVELPPCDoc::LCYears, nullptr, 5, false},
    {"LoanType", &CVELPPCDoc::LoanType, nullptr, 0, false},
    {"RateInterest", nullptr, &CVELPPCDoc::RateInterest, 8.5, false},
    {"LoanTerm", &CVELPPCDoc::LoanTerm, nullptr, 25, false},
    {"PeriodsPerYear", &CVELPPCDoc::PeriodsPerYear, nullptr, 52, false},
    {"VacancyRate", nullptr, &CVELPPCDoc::VacancyRate, 2.0, false},
    {"ExpensesPC", nullptr, &CVELPPCDoc::ExpensesPC, 22.5, false},
    {"CalcExpenses", &CVELPPCDoc::CalcExpenses, nullptr, 1, true},
    {"CalcDepFitt", &CVELPPCDoc::CalcDepFitt, nullptr, 1, true},
    {"DepFittPC", nullptr, &CVELPPCDoc::DepFittPC, 6.0, false},
    {"DepFittRate", nullptr, &CVELPPCDoc::DepFittRate, 20.0, false},
    {"DepFittMethod", &CVELPPCDoc::DepFittMethod, nullptr, 0, false},
    {"CalcDepBuild", &CVELPPCDoc::CalcDepBuild, nullptr, 1, true},
    {"DepBuildPC", nullptr, &CVELPPCDoc::DepBuildPC, 50.0, false},
    {"DepBuildRate", nullptr, &CVELPPCDoc::DepBuildRate, 2.5, false},
    {"DepBuildMethod", &CVELPPCDoc::DepBuildMethod, nullptr, 1, false},
    {"TaxableHim", nullptr, &CVELPPCDoc::TaxableHim, 47000.0, false},
    {"TaxableHer", nullptr, &CVELPPCDoc::TaxableHer, 19000.0, false},
    {"NamesOnTitle", &CVELPPCDoc::NamesOnTitle, nullptr, 1, false},
    {"RateGrowth", nullptr, &CVELPPCDoc::RateGrowth, 4.5, false},
    {"RateInfl", nullptr, &CVELPPCDoc::RateInfl, 2.0, false},
    {"ShowYear", &CVELPPCDoc::ShowYear, nullptr, 1, false},
    {"ProjectionYear", &CVELPPCDoc::ProjectionYear, nullptr, 10, false},
}};

inline constexpr std::string_view kSettingStampDuty = "StampDuty";
inline constexpr std::string_view kSettingTaxScale = "TaxScale";
// The tax scale's reduced Medicare levy: 1 while it is on; absent while it is off.
inline constexpr std::string_view kSettingTaxScaleShadeIn = "TaxScaleMedicareShadeIn";
