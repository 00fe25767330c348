// Four small editors that work nothing out: "Investor Details" (InvestorDetailsLogic), "Annual
// Projections" (ProjectionsLogic), "Specify Results Year" (ResultsYearLogic) and "Specify Linked
// Variables" (LinkedVariablesLogic). Logic only; the dialogs are in InvestorDialogs.h.
#pragma once

#include <array>

#include "ui/dialogs/EditorLogic.h"

// "Investor Details": names on the title and the present taxable incomes.
class InvestorDetailsLogic : public TypedEditorLogic {
  public:
    enum Control : int { kSingleName = 1, kJointNames, kInvestorIncome, kPartnerIncome };
    enum Title : int { kTitleSingle = 0, kTitleJoint = 1 };

    int title = kTitleSingle; // NamesOnTitle - 1
    double investorIncome = 0.0, partnerIncome = 0.0;

    void Refresh(ControlPort& port) override;

  protected:
    bool OnClick(ControlPort& port, int id) override;
    void TakeEdits(const ControlPort& port) override;
    void Settle(const ControlPort& port) override;
};

// The years of the projection and the results year index the table's 40 columns: what an
// editor hands back is limited to them when it is accepted.
int LimitToTableYears(int year);

// "Annual Projections": the years over which the returns are worked out, growth and inflation.
class ProjectionsLogic : public TypedEditorLogic {
  public:
    enum Control : int { kUpperLimit = 1, kGrowthRate, kInflationRate };

    int upperLimit = 1; // years, 1..40 once accepted
    double growthRate = 0.0, inflationRate = 0.0;

    void Refresh(ControlPort& port) override;
    Doubts Doubtful() const override;

  protected:
    void TakeEdits(const ControlPort& port) override;
    // Recalculate shows what was typed, even out of range; OK limits it.
    void Settle(const ControlPort& port) override;
};

// "Specify Results Year": the year whose results the summary shows.
class ResultsYearLogic : public EditorLogic {
  public:
    enum Control : int { kResultsYear = 1 };

    int resultsYear = 1; // 1..40 once accepted

    void Refresh(ControlPort& port) override;

  protected:
    void OnOk(ControlPort& port) override;
};

// "Specify Linked Variables": the six link switches in one place.
class LinkedVariablesLogic : public EditorLogic {
  public:
    // One check box per switch, in the order of the dialog.
    enum Control : int {
        kStampDuty = 1, // UseSDScale
        kCashDeposit,   // CalcDeposit
        kFittingsValue, // CalcDepFitt
        kBuildingValue, // CalcDepBuild
        kLoanCosts,     // CalcLoanCosts
        kExpenses,      // CalcExpenses
    };
    static constexpr int kSwitchCount = 6;

    // Indexed by control id - 1.
    std::array<int, kSwitchCount> switches{};

    void Refresh(ControlPort& port) override;

  protected:
    void OnOk(ControlPort& port) override;
};
