#include "ui/dialogs/InvestorEditors.h"

#include <algorithm>

#include "model/Investment.h"
#include "ui/dialogs/ValueExchange.h"

// --- "Investor Details" ---

void CInvestorDetails::Refresh(ControlPort& port) {
    const bool joint = title == kTitleJoint;
    SetCheck(port, joint ? kSingleName : kJointNames, 0);
    SetCheck(port, joint ? kJointNames : kSingleName, 1);
    ShowValue(port, kInvestorIncome, investorIncome, kAmountFormat);
    ShowValue(port, kPartnerIncome, partnerIncome, kAmountFormat);
}

// The chosen title is the working title at once, so that a later refresh keeps it.
bool CInvestorDetails::OnClick(ControlPort& port, int id) {
    if (id != kSingleName && id != kJointNames) return false;
    title = GetCheck(port, kJointNames) ? kTitleJoint : kTitleSingle;
    return false;
}

void CInvestorDetails::TakeIncomes(const ControlPort& port) {
    ReadValueIfChanged(port, kInvestorIncome, investorIncome, kAmountFormat);
    ReadValueIfChanged(port, kPartnerIncome, partnerIncome, kAmountFormat);
}

bool CInvestorDetails::OnRecalculate(ControlPort& port) {
    TakeIncomes(port);
    return true;
}

void CInvestorDetails::OnOk(ControlPort& port) {
    TakeIncomes(port);
    title = GetCheck(port, kJointNames) ? kTitleJoint : kTitleSingle;
}

// --- "Annual Projections" and "Specify Results Year" ---

int LimitToTableYears(int year) {
    return std::clamp(year, 1, kTableColumns);
}

void CProjections::Refresh(ControlPort& port) {
    ShowInt(port, kUpperLimit, upperLimit, kYearsFormat);
    ShowValue(port, kGrowthRate, growthRate, kPercentFormat);
    ShowValue(port, kInflationRate, inflationRate, kPercentFormat);
}

void CProjections::TakeEdits(const ControlPort& port) {
    ReadIntIfChanged(port, kUpperLimit, upperLimit, kYearsFormat);
    ReadValueIfChanged(port, kGrowthRate, growthRate, kPercentFormat);
    ReadValueIfChanged(port, kInflationRate, inflationRate, kPercentFormat);
}

// Recalculate shows what was typed, even out of range; OK limits it.
bool CProjections::OnRecalculate(ControlPort& port) {
    TakeEdits(port);
    return true;
}

void CProjections::OnOk(ControlPort& port) {
    TakeEdits(port);
    upperLimit = LimitToTableYears(upperLimit);
}

void CResultsYear::Refresh(ControlPort& port) {
    ShowInt(port, kResultsYear, resultsYear, kYearsFormat);
}

void CResultsYear::OnOk(ControlPort& port) {
    ReadIntIfChanged(port, kResultsYear, resultsYear, kYearsFormat);
    resultsYear = LimitToTableYears(resultsYear);
}

// --- "Specify Linked Variables" ---

void CLinkedVars::Refresh(ControlPort& port) {
    for (int i = 0; i < kSwitchCount; ++i)
        SetCheck(port, i + 1, switches[static_cast<std::size_t>(i)]);
}

void CLinkedVars::OnOk(ControlPort& port) {
    for (int i = 0; i < kSwitchCount; ++i)
        switches[static_cast<std::size_t>(i)] = GetCheck(port, i + 1);
}
