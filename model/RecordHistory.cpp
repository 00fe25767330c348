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
        d.RateSteps, d.OffsetByYear, d.InterestSavedByYear, d.OffsetPaidInByYear,
        d.RepaymentByYear,
        d.LoanPaidOffYear, d.CarriedLossByYear, d.UnknownAssumptions, d.SalePrice, d.SaleCosts,
        d.CostBase, d.CapitalGain, d.TaxableGain, d.SaleTax, d.ValueAfterSale, d.IRRAfterSale,
        d.NPVAfterSale, d.GainBeforeSwitch, d.GainAfterSwitch, d.IndexedCostBase,
        d.MinimumTaxTopUp, d.WithinBrightLine, d.IncomeYearByYear);
}

} // namespace

bool SameFields(const CVELPPCDoc& a, const CVELPPCDoc& b) { return Fields(a) == Fields(b); }

RecordState RecordState::Capture(const CVELPPCDoc& doc, const Scales& scales) {
    RecordState s{doc, scales};
    s.record.onUpdateAllViews = nullptr;
    return s;
}

void RecordState::Restore(CVELPPCDoc& doc, Scales& into) const {
    auto views = std::move(doc.onUpdateAllViews);
    const bool modified = doc.IsModified();
    doc = record;
    doc.onUpdateAllViews = std::move(views);
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

RecordHistory::Kept RecordHistory::Keep(RecordState state, const Kept* neighbour) {
    Kept kept;
    const auto texts = Texts(state.record);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (neighbour && *neighbour->texts[i] == *texts[i]) kept.texts[i] = neighbour->texts[i];
        else kept.texts[i] = std::make_shared<const std::u16string>(std::move(*texts[i]));
        texts[i]->clear();
    }
    kept.state = std::move(state);
    return kept;
}

RecordState RecordHistory::Full(const Kept& kept) {
    RecordState state = kept.state;
    const auto texts = Texts(state.record);
    for (std::size_t i = 0; i < texts.size(); ++i) *texts[i] = *kept.texts[i];
    return state;
}

void RecordHistory::Record(std::string name, RecordState before, RecordState after) {
    steps_.resize(done_);
    // The saved state lay among the steps just dropped: nothing leads back to it now.
    if (saved_ > static_cast<long>(done_)) saved_ = -1;
    Kept keptBefore = Keep(std::move(before), steps_.empty() ? nullptr : &steps_.back().after);
    Kept keptAfter = Keep(std::move(after), &keptBefore);
    steps_.push_back({std::move(name), std::move(keptBefore), std::move(keptAfter)});
    ++done_;
    if (steps_.size() > kMaxSteps) {
        steps_.erase(steps_.begin());
        --done_;
        saved_ = saved_ > 0 ? saved_ - 1 : -1;
    }
}

std::string RecordHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : ""; }
std::string RecordHistory::RedoName() const { return CanRedo() ? steps_[done_].name : ""; }

void RecordHistory::Apply(const RecordState& state, CVELPPCDoc& doc, Scales& scales) const {
    state.Restore(doc, scales);
    doc.SetModifiedFlag(!AtSavedState());
    doc.UpdateAllViews();
}

bool RecordHistory::Undo(CVELPPCDoc& doc, Scales& scales) {
    if (!CanUndo()) return false;
    --done_;
    Apply(Full(steps_[done_].before), doc, scales);
    return true;
}

bool RecordHistory::Redo(CVELPPCDoc& doc, Scales& scales) {
    if (!CanRedo()) return false;
    ++done_;
    Apply(Full(steps_[done_ - 1].after), doc, scales);
    return true;
}

void RecordHistory::Clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
}
