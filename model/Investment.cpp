#include "model/Investment.h"

#include <algorithm>
#include <cmath>

#include "model/Assumptions.h"
#include "model/Sale.h"

CVELPPCDoc::CVELPPCDoc() {
    ResetFixedDefaults();
}

void CVELPPCDoc::ResetFixedDefaults() {
    ClearTable();

    Address.clear();
    Description.clear();
    Notes.clear();

    Price = 0;
    Renovations = 0;
    Furniture = 0;
    MarketValue = 0;
    StampDutyCost = 0;
    Conveyancing = 950.0;
    OtherCosts = 0;
    PurchaseCosts = 0;
    UseSDScale = 1;
    ReservedFlag = 0;
    CashDeposit = 0;
    DepositPC = 5.0;
    CalcDeposit = 1;
    CalcLoanCosts = 1;
    LoanCosts = 0;
    LoanCostsPC = 1.5;
    LCYears = 5;
    LoanType = 0;
    RateInterest = 8.5;
    AdditionalLoan = 0;
    LoanAmount = 0;
    LoanTerm = 25;
    TotalCost = 0;
    Rent = 0;
    PeriodsPerYear = 52;
    VacancyRate = 2.0;
    AnnualRent = 0;
    GrossYield = 0;
    NetYield = 0;
    Expenses = 0;
    ExpensesPC = 22.5;
    CalcExpenses = 1;
    CalcDepFitt = 1;
    DepFittPC = 6.0;
    DepFittValue = 0;
    DepFittRate = 20.0;
    DepFittMethod = 0;
    CalcDepBuild = 1;
    DepBuildPC = 50.0;
    DepBuildValue = 0;
    DepBuildRate = 2.5;
    DepBuildMethod = 1;
    Depreciation = 0;
    TaxableHim = 47000.0;
    TaxableHer = 19000.0;
    NamesOnTitle = 1;
    RateGrowth = 4.5;
    RateInfl = 2.0;
    ShowYear = 1;
    ProjectionYear = 10;

    // DepFittRemaining, DepBuildRemaining and the per-year incomes are working values that
    // the recalculation sets before it reads them.
    AvgCashFlowWeek = 0;
    IRR = 0;
    NPV = 0;

    SetBuiltInAssumptions(*this);
    ClearSaleResults(*this);
}

namespace {
int ZeroOrOne(int v) {
    return v == 1 ? 1 : 0;
}
int Switch(int v) {
    return v != 0 ? 1 : 0;
}
} // namespace

void CVELPPCDoc::LimitInputs() {
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
