#include "ui/dialogs/InvestorEditors.h"

#include <algorithm>

#include "model/Investment.h"
#include "ui/dialogs/ValueExchange.h"

// --- "Investor Details" ---

void InvestorDetailsLogic::Refresh(ControlPort& port) {
    const bool joint = title == kTitleJoint;
    SetCheck(port, joint ? kSingleName : kJointNames, 0);
    SetCheck(port, joint ? kJointNames : kSingleName, 1);
    ShowValue(port, kInvestorIncome, investorIncome, kAmountFormat);
    ShowValue(port, kPartnerIncome, partnerIncome, kAmountFormat);
}

// The chosen title is the working title at once, so that a later refresh keeps it.
bool InvestorDetailsLogic::OnClick(ControlPort& port, int id) {
    if (id != kSingleName && id != kJointNames) return false;
    title = GetCheck(port, kJointNames) ? kTitleJoint : kTitleSingle;
    return false;
}

void InvestorDetailsLogic::TakeEdits(const ControlPort& port) {
    ReadValueIfChanged(port, kInvestorIncome, investorIncome, kAmountFormat);
    ReadValueIfChanged(port, kPartnerIncome, partnerIncome, kAmountFormat);
}

void InvestorDetailsLogic::Settle(const ControlPort& port) {
    title = GetCheck(port, kJointNames) ? kTitleJoint : kTitleSingle;
}

// --- "Annual Projections" and "Specify Results Year" ---

int LimitToTableYears(int year) {
    return std::clamp(year, 1, kTableColumns);
}

void ProjectionsLogic::Refresh(ControlPort& port) {
    ShowInt(port, kUpperLimit, upperLimit, kYearsFormat);
    ShowValue(port, kGrowthRate, growthRate, kPercentFormat);
    ShowValue(port, kInflationRate, inflationRate, kPercentFormat);
}

Doubts ProjectionsLogic::Doubtful() const {
    Doubts doubts;
    DoubtGrowth(doubts, kGrowthRate, growthRate);
    return doubts;
}

void ProjectionsLogic::TakeEdits(const ControlPort& port) {
    ReadIntIfChanged(port, kUpperLimit, upperLimit, kYearsFormat);
    ReadValueIfChanged(port, kGrowthRate, growthRate, kPercentFormat);
    ReadValueIfChanged(port, kInflationRate, inflationRate, kPercentFormat);
}

void ProjectionsLogic::Settle(const ControlPort&) { upperLimit = LimitToTableYears(upperLimit); }

void ResultsYearLogic::Refresh(ControlPort& port) {
    ShowInt(port, kResultsYear, resultsYear, kYearsFormat);
}

void ResultsYearLogic::OnOk(ControlPort& port) {
    ReadIntIfChanged(port, kResultsYear, resultsYear, kYearsFormat);
    resultsYear = LimitToTableYears(resultsYear);
}

// --- "Specify Linked Variables" ---

void LinkedVariablesLogic::Refresh(ControlPort& port) {
    for (int i = 0; i < kSwitchCount; ++i)
        SetCheck(port, i + 1, switches[static_cast<std::size_t>(i)]);
}

void LinkedVariablesLogic::OnOk(ControlPort& port) {
    for (int i = 0; i < kSwitchCount; ++i)
        switches[static_cast<std::size_t>(i)] = GetCheck(port, i + 1);
}
