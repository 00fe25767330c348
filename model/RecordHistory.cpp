#include "model/RecordHistory.h"

#include <tuple>
#include <utility>

namespace {

// Every field of the record, in one place, so that a comparison misses none.
auto Fields(const CVELPPCDoc& d) {
    return std::tie(
        d.Address, d.Description, d.Notes, d.Price, d.Renovations, d.Furniture, d.MarketValue,
        d.StampDutyCost, d.Conveyancing, d.OtherCosts, d.PurchaseCosts, d.UseSDScale,
        d.ReservedFlag, d.CashDeposit, d.DepositPC, d.CalcDeposit, d.CalcLoanCosts, d.LoanCosts,
        d.LoanCostsPC, d.LCYears, d.LoanType, d.RateInterest, d.AdditionalLoan, d.LoanAmount,
        d.LoanTerm, d.TotalCost, d.Rent, d.PeriodsPerYear, d.VacancyRate, d.AnnualRent,
        d.GrossYield, d.NetYield, d.Expenses, d.ExpensesPC, d.CalcExpenses, d.CalcDepFitt,
        d.DepFittPC, d.DepFittValue, d.DepFittRate, d.DepFittMethod, d.CalcDepBuild,
        d.DepBuildPC, d.DepBuildValue, d.DepBuildRate, d.DepBuildMethod, d.Depreciation,
        d.TaxableHim, d.TaxableHer, d.NamesOnTitle, d.RateGrowth, d.RateInfl, d.ShowYear,
        d.ProjectionYear, d.DepFittRemaining, d.DepBuildRemaining, d.AvgCashFlowWeek, d.IRR,
        d.NPV, d.TaxableHimByYear, d.TaxableHerByYear, d.table, d.SellingCostsPC, d.CGTDiscountPC,
        d.LossTreatment, d.LossRuleFromYear, d.RentFollowsInflation, d.RateRentGrowth,
        d.InterestOnlyYears, d.TaxLaw, d.PurchaseMonth, d.PurchaseYear, d.NewBuild,
        d.FittingsBoughtNew, d.ThresholdsGrow, d.CGTSwitchMonth, d.CGTSwitchYear, d.MinimumTaxPC,
        d.BrightLineYears, d.OffsetOpening, d.OffsetMonthly, d.OffsetSurplus,
        d.ExtraRepayment, d.ExtraFromYear, d.ExpensesFollowInflation, d.RateExpensesGrowth,
        d.RateSteps, d.LandTaxState, d.LandValue, d.OtherLandValue, d.LandFollowsGrowth,
        d.RateLandGrowth, d.LandThresholdsGrow, d.LandTaxRows, d.BuildingSchedule, d.PlantSchedule,
        d.LandTaxByYear, d.OffsetByYear, d.InterestSavedByYear, d.OffsetPaidInByYear,
        d.RepaymentByYear,
        d.LoanPaidOffYear, d.CarriedLossByYear, d.UnknownAssumptions, d.SalePrice, d.SaleCosts,
        d.CostBase, d.CapitalGain, d.TaxableGain, d.SaleTax, d.ValueAfterSale, d.IRRAfterSale,
        d.NPVAfterSale, d.GainBeforeSwitch, d.GainAfterSwitch, d.IndexedCostBase,
        d.MinimumTaxTopUp, d.WithinBrightLine, d.IncomeYearByYear);
}

} // namespace

bool SameFields(const CVELPPCDoc& a, const CVELPPCDoc& b) { return Fields(a) == Fields(b); }

RecordState RecordState::Capture(const CVELPPCDoc& doc, const Scales& scales) {
    return RecordState{doc, scales};
}

void RecordState::Restore(CVELPPCDoc& doc, Scales& into) const {
    const bool modified = doc.IsModified();
    doc = record;
    doc.SetModifiedFlag(modified);
    into = scales;
}

bool RecordState::SameRecord(const RecordState& other) const {
    return SameFields(record, other.record);
}

bool RecordState::SameScales(const RecordState& other) const {
    return scales == other.scales;
}

namespace {

std::array<std::u16string*, 3> Texts(CVELPPCDoc& d) { return {&d.Address, &d.Description, &d.Notes}; }

} // namespace

KeptState KeptState::Keep(RecordState state, const KeptState* neighbour) {
    KeptState kept;
    const auto texts = Texts(state.record);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (neighbour && *neighbour->texts[i] == *texts[i]) kept.texts[i] = neighbour->texts[i];
        else kept.texts[i] = std::make_shared<const std::u16string>(std::move(*texts[i]));
        // Its memory goes too, not just its characters.
        std::u16string().swap(*texts[i]);
    }
    kept.state = std::move(state);
    return kept;
}

RecordState KeptState::Full() const {
    RecordState full = state;
    const auto fullTexts = Texts(full.record);
    for (std::size_t i = 0; i < fullTexts.size(); ++i) *fullTexts[i] = *texts[i];
    return full;
}
