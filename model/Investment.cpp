#include "model/Investment.h"

#include <algorithm>
#include <cmath>

#include "model/Assumptions.h"
#include "model/Fields.h"

Investment::Investment() {
    ResetFixedDefaults();
}

void Investment::ResetFixedDefaults() {
    ClearTable();

    Address.clear();
    Description.clear();
    Notes.clear();

    for (const RecordField& f : kRecordFields) SetFieldValue(*this, f, f.builtIn);

    SetBuiltInAssumptions(*this);
}

namespace {
int ZeroOrOne(int v) {
    return v == 1 ? 1 : 0;
}
int Switch(int v) {
    return v != 0 ? 1 : 0;
}
} // namespace

void Investment::LimitInputs() {
    ShowYear = std::clamp(ShowYear, 1, kTableColumns);
    ProjectionYear = std::clamp(ProjectionYear, 1, kTableColumns);
    // The file holds these three in 16 bits: a value beyond that range (from the settings)
    // would be worked with here but saved as another, so it takes the nearest one the file
    // can hold, as the file would.
    LCYears = std::clamp(LCYears, 1, 32767);
    LoanTerm = std::clamp(LoanTerm, -32768, 32767);
    PeriodsPerYear = std::clamp(PeriodsPerYear, -32768, 32767);
    if (NamesOnTitle != 1 && NamesOnTitle != 2) NamesOnTitle = 1;
    LoanType = ZeroOrOne(LoanType);
    DepFittMethod = ZeroOrOne(DepFittMethod);
    DepBuildMethod = ZeroOrOne(DepBuildMethod);
    UseSDScale = Switch(UseSDScale);
    CalcDeposit = Switch(CalcDeposit);
    CalcLoanCosts = Switch(CalcLoanCosts);
    CalcExpenses = Switch(CalcExpenses);
    CalcDepFitt = Switch(CalcDepFitt);
    CalcDepBuild = Switch(CalcDepBuild);
    for (const AssumptionInput& in : kAssumptionInputs) {
        if (in.intField) {
            int& v = this->*in.intField;
            v = std::clamp(v, static_cast<int>(in.min), static_cast<int>(in.max));
        } else {
            double& v = this->*in.doubleField;
            v = std::isnan(v) ? in.builtIn : std::clamp(v, in.min, in.max);
        }
    }
    LimitRateSteps(RateSteps);
    LimitSchedule(BuildingSchedule);
    LimitSchedule(PlantSchedule);
    LimitLandTaxRows(LandTaxRows);
}
