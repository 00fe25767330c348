#include "ui/dialogs/AssumptionEditors.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "format/Format.h"
#include "model/Assumptions.h"
#include "model/LandTax.h"
#include "model/Law.h"
#include "ui/dialogs/LoanEditors.h"
#include "ui/dialogs/ValueExchange.h"

namespace {

// As the summary shows its amounts and rates.
constexpr const char* kMoney = "$0,m(";
constexpr const char* kRate = "%0.00";
constexpr const char* kWhole = "0";

// A typed text that is no number leaves the percentage as it was.
void TakePercent(const ControlPort& port, int id, double& value) {
    double typed = value;
    if (ReadValueIfChanged(port, id, typed, kPercentFormat) && !IsNoValue(typed)) value = typed;
}

int LastYear(const Investment& w) {
    return std::clamp(w.ProjectionYear, 1, kTableColumns);
}

// Each page's working fields and the record's, in pairs: run with ToRecord by the page's Apply,
// with ToEditor when the page takes them from a record.
template <class Page, class Record, class Copy>
void SalePairs(Page& page, Record& doc, Copy copy) {
    copy(page.sellingCostsPC, doc.SellingCostsPC);
    copy(page.cgtDiscountPC, doc.CGTDiscountPC);
}

template <class Page, class Record, class Copy>
void TaxRulePairs(Page& page, Record& doc, Copy copy) {
    copy(page.lossTreatment, doc.LossTreatment);
    copy(page.lossRuleFromYear, doc.LossRuleFromYear);
}

template <class Page, class Record, class Copy>
void RentPairs(Page& page, Record& doc, Copy copy) {
    copy(page.rentFollowsInflation, doc.RentFollowsInflation);
    copy(page.rateRentGrowth, doc.RateRentGrowth);
    copy(page.expensesFollowInflation, doc.ExpensesFollowInflation);
    copy(page.rateExpensesGrowth, doc.RateExpensesGrowth);
}

// The interest rate's changes have pairs of their own: the page edits a fixed number of them.
template <class Page, class Record, class Copy>
void LoanPairs(Page& page, Record& doc, Copy copy) {
    copy(page.interestOnlyYears, doc.InterestOnlyYears);
    copy(page.offsetOpening, doc.OffsetOpening);
    copy(page.offsetMonthly, doc.OffsetMonthly);
    copy(page.offsetSurplus, doc.OffsetSurplus);
    copy(page.extraRepayment, doc.ExtraRepayment);
    copy(page.extraFromYear, doc.ExtraFromYear);
}

template <class Page, class Record, class Copy>
void LandTaxPairs(Page& page, Record& doc, Copy copy) {
    copy(page.state, doc.LandTaxState);
    copy(page.landValue, doc.LandValue);
    copy(page.otherLand, doc.OtherLandValue);
    copy(page.followsGrowth, doc.LandFollowsGrowth);
    copy(page.landGrowth, doc.RateLandGrowth);
    copy(page.thresholdsGrow, doc.LandThresholdsGrow);
    copy(page.rows, doc.LandTaxRows);
    copy(page.building, doc.BuildingSchedule);
    copy(page.plant, doc.PlantSchedule);
}

} // namespace

// --- every page ---

AssumptionPage::AssumptionPage(const Investment& record, const Scales& scales)
    : worked_(record), scales_(scales) {}

void AssumptionPage::Work() {
    if (sheet_.empty()) Apply(worked_);
    for (const AssumptionPage* page : sheet_) page->Apply(worked_);
    worked_.LimitInputs();
    worked_.Recalculate(scales_);
}

bool AssumptionPage::OnLeaveEdit(ControlPort& port, int) {
    TakeEdits(port);
    return true;
}

void AssumptionPage::Settle(const ControlPort&) {
    Apply(worked_);
    worked_.LimitInputs();
    TakeBack(worked_);
}

// --- "Purchase and Law" ---

LawAssumptions::LawAssumptions(const Investment& record, const Scales& scales) : AssumptionPage(record, scales) {
    CopyLawInputs(record, law);
}

void LawAssumptions::Apply(Investment& doc) const { CopyLawInputs(law, doc); }

void LawAssumptions::Refresh(ControlPort& port) {
    Work();
    const Investment& w = Worked();
    const bool byYear = w.TaxLaw != kOneScaleForEveryYear;
    const bool australia = w.TaxLaw == kAustraliaByIncomeYear;
    port.PutChoice(kTaxLaw, w.TaxLaw);
    port.PutChoice(kPurchaseMonth, law.PurchaseMonth - 1);
    ShowInt(port, kPurchaseYear, law.PurchaseYear, kWhole);
    port.PutChoice(kDwelling, law.NewBuild != 0 ? 1 : 0);
    SetCheck(port, kThresholdsGrow, law.ThresholdsGrow != 0 ? 1 : 0);
    port.PutChoice(kSwitchMonth, law.CGTSwitchMonth - 1);
    ShowInt(port, kSwitchYear, law.CGTSwitchYear, kWhole);
    ShowValue(port, kMinimumTax, law.MinimumTaxPC, kPercentFormat);
    ShowValue(port, kBrightLine, law.BrightLineYears, "0.00");
    for (int id : {kPurchaseMonth, kPurchaseYear, kDwelling}) port.Enable(id, byYear);
    for (int id : {kThresholdsGrow, kSwitchMonth, kSwitchYear, kMinimumTax})
        port.Enable(id, australia);
    port.Enable(kBrightLine, w.TaxLaw == kNewZealandByIncomeYear);

    const int last = LastYear(w) - 1;
    ShowText(port, kIncomeYears,
             byYear ? "Year 1 is taxed under " + IncomeYearText(w.IncomeYearByYear[0]) +
                          ", year " + FormatValue(last + 1, kWhole) + " under " +
                          IncomeYearText(w.IncomeYearByYear[static_cast<std::size_t>(last)]) +
                          "; sold " + MonthText(PurchaseDate(w).YearsLater(last + 1)) +
                          "."
                    : "Every year is taxed under the scale in force.");
    std::string losses = "Rental losses reduce other income.";
    if (byYear) {
        ProjectionLaw years;
        WorkOutProjectionLaw(w, years);
        if (years.carryFrom < kTableColumns)
            losses = "Rental losses are carried forward from year " +
                     FormatValue(years.carryFrom + 1, kWhole) + ".";
    } else if (w.LossTreatment == 1) {
        losses = "Rental losses are carried forward as the Tax Rules page says.";
    }
    ShowText(port, kLosses, losses);
    ShowText(port, kFittingsNil, FittingsDepreciationNilReason(w));
    ShowText(port, kBuildingNil, BuildingDepreciationNilReason(w));
    ShowValue(port, kSaleTax, w.SaleTax, kMoney);
    ShowValue(port, kTopUp, w.MinimumTaxTopUp, kMoney);
    ShowValue(port, kIRRAfter, w.IRRAfterSale, kRate);
}

bool LawAssumptions::OnClick(ControlPort& port, int id) {
    if (id != kThresholdsGrow) return false;
    TakeEdits(port);
    law.ThresholdsGrow = GetCheck(port, id) != 0 ? 1 : 0;
    return true;
}

bool LawAssumptions::OnChoose(ControlPort& port, int id) {
    const int choice = port.GetChoice(id);
    if (choice < 0) return false;
    TakeEdits(port);
    switch (id) {
    case kTaxLaw: law.TaxLaw = choice; break;
    case kPurchaseMonth: law.PurchaseMonth = choice + 1; break;
    case kDwelling: law.NewBuild = choice; break;
    case kSwitchMonth: law.CGTSwitchMonth = choice + 1; break;
    default: return false;
    }
    return true;
}

void LawAssumptions::TakeEdits(const ControlPort& port) {
    ReadIntIfChanged(port, kPurchaseYear, law.PurchaseYear, kWhole);
    ReadIntIfChanged(port, kSwitchYear, law.CGTSwitchYear, kWhole);
    TakePercent(port, kMinimumTax, law.MinimumTaxPC);
    double years = law.BrightLineYears;
    if (ReadValueIfChanged(port, kBrightLine, years, "0.00") && !IsNoValue(years))
        law.BrightLineYears = years;
}

void LawAssumptions::TakeBack(const Investment& limited) { CopyLawInputs(limited, law); }

// --- "Sale" ---

SaleAssumptions::SaleAssumptions(const Investment& record, const Scales& scales)
    : AssumptionPage(record, scales) {
    TakeBack(record);
}

void SaleAssumptions::Apply(Investment& doc) const { SalePairs(*this, doc, ToRecord{}); }

void SaleAssumptions::Refresh(ControlPort& port) {
    // The sale changes nothing else of the projection; working the record out again keeps
    // one way to its figures.
    Work();
    const Investment& w = Worked();
    ShowValue(port, kSellingCosts, sellingCostsPC, kPercentFormat);
    ShowValue(port, kDiscount, cgtDiscountPC, kPercentFormat);
    ShowText(port, kHeld, "Sold at the end of year " + FormatValue(w.ProjectionYear, kWhole) +
                              ", the last year of the projections.");
    ShowValues(port, kMoney,
               {{kSalePrice, w.SalePrice}, {kSaleCosts, w.SaleCosts}, {kCostBase, w.CostBase},
                {kGain, w.CapitalGain}, {kTaxableGain, w.TaxableGain}, {kSaleTax, w.SaleTax},
                {kValueAfter, w.ValueAfterSale}});
    ShowValue(port, kIRRAfter, w.IRRAfterSale, kRate);
    ShowValue(port, kNPVAfter, w.NPVAfterSale, kMoney);
}

void SaleAssumptions::TakeEdits(const ControlPort& port) {
    TakePercent(port, kSellingCosts, sellingCostsPC);
    TakePercent(port, kDiscount, cgtDiscountPC);
}

void SaleAssumptions::TakeBack(const Investment& limited) {
    SalePairs(*this, limited, ToEditor{});
}

// --- "Tax Rules" ---

TaxRulesAssumptions::TaxRulesAssumptions(const Investment& record, const Scales& scales)
    : AssumptionPage(record, scales) {
    TakeBack(record);
}

void TaxRulesAssumptions::Apply(Investment& doc) const { TaxRulePairs(*this, doc, ToRecord{}); }

void TaxRulesAssumptions::Refresh(ControlPort& port) {
    Work();
    const Investment& w = Worked();
    SetCheck(port, kCarryForward, lossTreatment == 1 ? 1 : 0);
    ShowInt(port, kFromYear, lossRuleFromYear, kWhole);
    port.Enable(kFromYear, lossTreatment == 1);
    ShowValue(port, kCarriedAtSale, w.CarriedLossByYear[LastYear(w) - 1], kMoney);
    ShowValue(port, kTaxSaving,
              w.At(Row::TaxSaving, std::clamp(w.ShowYear, 1, kTableColumns) - 1), kMoney);
    ShowValue(port, kTaxableGain, w.TaxableGain, kMoney);
    ShowValue(port, kIRR, w.IRR, kRate);
}

bool TaxRulesAssumptions::OnClick(ControlPort& port, int id) {
    if (id != kCarryForward) return false;
    TakeEdits(port);
    lossTreatment = GetCheck(port, kCarryForward) != 0 ? 1 : 0;
    return true;
}

void TaxRulesAssumptions::TakeEdits(const ControlPort& port) {
    ReadIntIfChanged(port, kFromYear, lossRuleFromYear, kWhole);
}

void TaxRulesAssumptions::TakeBack(const Investment& limited) {
    TaxRulePairs(*this, limited, ToEditor{});
}

// --- "Rent" ---

RentAssumptions::RentAssumptions(const Investment& record, const Scales& scales)
    : AssumptionPage(record, scales) {
    TakeBack(record);
}

void RentAssumptions::Apply(Investment& doc) const { RentPairs(*this, doc, ToRecord{}); }

void RentAssumptions::Refresh(ControlPort& port) {
    Work();
    const Investment& w = Worked();
    SetCheck(port, kFollowsInflation, rentFollowsInflation != 0 ? 1 : 0);
    ShowValue(port, kRentGrowth, rateRentGrowth, kPercentFormat);
    port.Enable(kRentGrowth, rentFollowsInflation == 0);
    ShowValue(port, kRentLastYear, w.At(Row::RentReceived, LastYear(w) - 1), kMoney);
    SetCheck(port, kExpensesFollowInflation, expensesFollowInflation != 0 ? 1 : 0);
    ShowValue(port, kExpensesGrowth, rateExpensesGrowth, kPercentFormat);
    port.Enable(kExpensesGrowth, expensesFollowInflation == 0);
    ShowValue(port, kExpensesLastYear, w.At(Row::ExpensesPaid, LastYear(w) - 1), kMoney);
    ShowValue(port, kIRR, w.IRR, kRate);
}

bool RentAssumptions::OnClick(ControlPort& port, int id) {
    if (id != kFollowsInflation && id != kExpensesFollowInflation) return false;
    TakeEdits(port);
    (id == kFollowsInflation ? rentFollowsInflation : expensesFollowInflation) =
        GetCheck(port, id) != 0 ? 1 : 0;
    return true;
}

void RentAssumptions::TakeEdits(const ControlPort& port) {
    TakePercent(port, kRentGrowth, rateRentGrowth);
    TakePercent(port, kExpensesGrowth, rateExpensesGrowth);
}

void RentAssumptions::TakeBack(const Investment& limited) {
    RentPairs(*this, limited, ToEditor{});
}

// --- "Loan" ---

LoanAssumptions::LoanAssumptions(const Investment& record, const Scales& scales)
    : AssumptionPage(record, scales) {
    TakeBack(record);
}

void LoanAssumptions::Apply(Investment& doc) const {
    LoanPairs(*this, doc, ToRecord{});
    doc.RateSteps.clear();
    for (const RateStep& step : steps)
        if (step.fromYear > 0) doc.RateSteps.push_back(step);
}

std::string RepaymentPeriods(const Investment& w) {
    const int last = LastYear(w);
    const Investment::YearArray rates = InterestRateByYear(w);
    std::string text;
    int from = 0;
    for (int c = 1; c <= last; ++c) {
        if (c < last && w.RepaymentByYear[c] == w.RepaymentByYear[from] &&
            rates[c] == rates[from])
            continue;
        const std::string years = c - from == 1
                                      ? "ear " + FormatValue(from + 1, kWhole)
                                      : "ears " + FormatValue(from + 1, kWhole) + "-" +
                                            FormatValue(c, kWhole);
        text += (text.empty() ? "Y" : "; y") + years + ": ";
        text += w.RepaymentByYear[from] > 0 ? FormatValue(w.RepaymentByYear[from], kMoney) +
                                                  " / month at " +
                                                  FormatValue(rates[from], kPercentFormat)
                                            : std::string("repaid");
        from = c;
    }
    return text + ".";
}

// A rate the loan changes to is doubtful as the first rate is.
Doubts LoanAssumptions::Doubtful() const {
    Doubts doubts;
    for (std::size_t i = 0; i < kMaxRateSteps; ++i)
        if (steps[i].fromYear > 0) DoubtInterestRate(doubts, kStepRate + static_cast<int>(i), steps[i].rate);
    return doubts;
}

void LoanAssumptions::Refresh(ControlPort& port) {
    Work();
    const Investment& w = Worked();
    const bool principalAndInterest = w.LoanType == LoanTypeLogic::kTypePrincipalInterest;
    const int k = w.InterestOnlyYears;
    ShowInt(port, kInterestOnlyYears, interestOnlyYears, kWhole);
    port.Enable(kInterestOnlyYears, principalAndInterest);
    ShowText(port, kApplies, principalAndInterest
                                 ? "Then principal and interest over the rest of the term."
                                 : "The loan is interest only: these years change nothing.");
    const double before = LoanTypeLogic::MonthlyRepayment(w.LoanAmount, w.RateInterest,
                                                      LoanTypeLogic::kTypeInterestOnly, w.LoanTerm);
    // A term that ends within the interest-only years is never repaid.
    const bool repaid = principalAndInterest && !(k > 0 && k >= w.LoanTerm);
    const double after =
        repaid ? LoanTypeLogic::MonthlyRepayment(w.LoanAmount, w.RateInterest, w.LoanType,
                                             w.LoanTerm - k)
               : before;
    ShowValue(port, kRepaymentBefore, k > 0 || !principalAndInterest ? before : after, kMoney);
    ShowValue(port, kRepaymentAfter, after, kMoney);
    for (std::size_t i = 0; i < kMaxRateSteps; ++i) {
        const int id = static_cast<int>(i);
        if (steps[i].fromYear > 0) {
            ShowInt(port, kStepYear + id, steps[i].fromYear, kWhole);
            ShowValue(port, kStepRate + id, steps[i].rate, kPercentFormat);
        } else {
            ShowText(port, kStepYear + id, "");
            ShowText(port, kStepRate + id, "");
        }
    }
    ShowValue(port, kOffsetOpening, offsetOpening, kMoney);
    ShowValue(port, kOffsetMonthly, offsetMonthly, kMoney);
    SetCheck(port, kOffsetSurplus, offsetSurplus);
    ShowValue(port, kExtraRepayment, extraRepayment, kMoney);
    ShowInt(port, kExtraFromYear, extraFromYear, kWhole);
    port.Enable(kExtraRepayment, principalAndInterest);
    port.Enable(kExtraFromYear, principalAndInterest);
    ShowText(port, kPeriods, RepaymentPeriods(w));
    double saved = 0;
    for (int c = 0; c < LastYear(w); ++c) saved += w.InterestSavedByYear[c];
    ShowValue(port, kInterestSaved, saved, kMoney);
    ShowValue(port, kOffsetAtSale, w.OffsetByYear[LastYear(w) - 1], kMoney);
    ShowText(port, kPaidOff,
             !principalAndInterest ? "Interest only: the loan is never repaid."
             : w.LoanPaidOffYear > 0
                 ? "The loan is repaid in year " + FormatValue(w.LoanPaidOffYear, kWhole) + "."
                 : "The loan is not repaid within 40 years.");
    ShowValue(port, kIRR, w.IRR, kRate);
}

bool LoanAssumptions::OnClick(ControlPort& port, int id) {
    if (id != kOffsetSurplus) return false;
    TakeEdits(port);
    offsetSurplus = GetCheck(port, kOffsetSurplus);
    return true;
}

void LoanAssumptions::TakeEdits(const ControlPort& port) {
    ReadIntIfChanged(port, kInterestOnlyYears, interestOnlyYears, kWhole);
    for (std::size_t i = 0; i < kMaxRateSteps; ++i) {
        const int id = static_cast<int>(i);
        RateStep& step = steps[i];
        const int wasYear = step.fromYear;
        ReadIntIfChanged(port, kStepYear + id, step.fromYear, kWhole);
        if (step.fromYear < 0) step.fromYear = 0;
        // A new row starts at the rate of the loan until one is typed.
        if (wasYear == 0 && step.fromYear > 0) step.rate = Worked().RateInterest;
        TakePercent(port, kStepRate + id, step.rate);
    }
    for (auto [id, value] : {std::pair{kOffsetOpening, &offsetOpening},
                             std::pair{kOffsetMonthly, &offsetMonthly},
                             std::pair{kExtraRepayment, &extraRepayment}}) {
        double typed = *value;
        if (ReadValueIfChanged(port, id, typed, kMoney) && !IsNoValue(typed)) *value = typed;
    }
    ReadIntIfChanged(port, kExtraFromYear, extraFromYear, kWhole);
}

void LoanAssumptions::TakeBack(const Investment& limited) {
    LoanPairs(*this, limited, ToEditor{});
    steps = {};
    for (std::size_t i = 0; i < limited.RateSteps.size() && i < kMaxRateSteps; ++i)
        steps[i] = limited.RateSteps[i];
}

// --- "Land Tax and Depreciation" ---

LandTaxAssumptions::LandTaxAssumptions(const Investment& record, const Scales& scales)
    : AssumptionPage(record, scales) {
    TakeBack(record);
}

void LandTaxAssumptions::Apply(Investment& doc) const { LandTaxPairs(*this, doc, ToRecord{}); }

std::string ScheduleLines(const std::vector<double>& schedule) {
    std::string text;
    for (double figure : schedule) {
        char buf[32];
        text.append(buf, std::to_chars(buf, buf + sizeof buf, figure).ptr);
        text += '\n';
    }
    return text;
}

void LandTaxAssumptions::Refresh(ControlPort& port) {
    Work();
    const Investment& w = Worked();
    port.PutChoice(kState, state);
    ShowValue(port, kLandValue, landValue, kMoney);
    ShowValue(port, kOtherLand, otherLand, kMoney);
    SetCheck(port, kFollowsGrowth, followsGrowth);
    ShowValue(port, kLandGrowth, landGrowth, kPercentFormat);
    port.Enable(kLandGrowth, followsGrowth == 0);
    SetCheck(port, kThresholdsGrow, thresholdsGrow);
    // Land held elsewhere does not count where each property is taxed alone.
    port.Enable(kOtherLand, !BuiltInLandTaxScale(state).eachPropertyAlone);
    // The rows in force: the edited ones, or the State's.
    const LandTaxScale scale = LandTaxScaleInForce(w);
    for (int i = 0; i < kLandTaxRows; ++i) {
        if (i < scale.count) {
            const LandTaxRow& r = scale.rows[static_cast<std::size_t>(i)];
            ShowValue(port, kRowAbove + i, r.above, kMoney);
            ShowValue(port, kRowRate + i, r.rate, kPercentFormat);
            ShowValue(port, kRowFlat + i, r.flat, kMoney);
            SetCheck(port, kRowAtStart + i, r.atStart ? 1 : 0);
        } else {
            for (int id : {kRowAbove, kRowRate, kRowFlat}) ShowText(port, id + i, "");
            SetCheck(port, kRowAtStart + i, 0);
        }
    }
    port.Enable(kBuiltInRows, !rows.empty());
    ShowValue(port, kTaxFirstYear, w.LandTaxByYear[0], kMoney);
    ShowValue(port, kTaxLastYear, w.LandTaxByYear[static_cast<std::size_t>(LastYear(w) - 1)],
              kMoney);
    ShowText(port, kBuilding, ScheduleLines(building));
    ShowText(port, kPlant, ScheduleLines(plant));
    std::string note;
    if (unreadable) note = "A line is not a figure (or there are more than 40): the schedule "
                           "stays as it was. ";
    if (building.empty() && plant.empty())
        note += "No schedule: the rate and method of the depreciation apply.";
    else
        note += "The schedule replaces the rate and method: year 1 deducts " +
                FormatValue(w.At(Row::BuildingDep, 0), kMoney) + " for the building and " +
                FormatValue(w.At(Row::FittingsDep, 0), kMoney) + " for the plant.";
    ShowText(port, kScheduleNote, note);
    ShowValue(port, kIRR, w.IRR, kRate);
}

bool LandTaxAssumptions::OnClick(ControlPort& port, int id) {
    if (id == kBuiltInRows) {
        TakeEdits(port);
        rows.clear();
        return true;
    }
    if (id >= kRowAtStart && id < kRowAtStart + kLandTaxRows) {
        TakeEdits(port);
        return true;
    }
    if (id != kFollowsGrowth && id != kThresholdsGrow) return false;
    TakeEdits(port);
    (id == kFollowsGrowth ? followsGrowth : thresholdsGrow) = GetCheck(port, id) != 0 ? 1 : 0;
    return true;
}

bool LandTaxAssumptions::OnChoose(ControlPort& port, int id) {
    const int choice = port.GetChoice(id);
    if (id != kState || choice < 0) return false;
    TakeEdits(port);
    state = choice;
    // Another State: its own rows.
    rows.clear();
    return true;
}

void LandTaxAssumptions::TakeEdits(const ControlPort& port) {
    for (auto [id, value] : {std::pair{kLandValue, &landValue}, std::pair{kOtherLand, &otherLand}}) {
        double typed = *value;
        if (ReadValueIfChanged(port, id, typed, kMoney) && !IsNoValue(typed))
            *value = std::max(0.0, typed);
    }
    TakePercent(port, kLandGrowth, landGrowth);
    // The rows as the page shows them; any change makes them the edited rows. A row whose
    // amount is blank is none.
    Investment shown;
    shown.LandTaxState = state;
    shown.LandTaxRows = rows;
    const LandTaxScale scale = LandTaxScaleInForce(shown);
    std::vector<LandTaxRow> typed;
    bool changed = false;
    for (int i = 0; i < kLandTaxRows; ++i) {
        LandTaxRow r = i < scale.count ? scale.rows[static_cast<std::size_t>(i)] : LandTaxRow{};
        const bool was = i < scale.count;
        if (port.GetText(kRowAbove + i).empty()) {
            changed = changed || was;
            continue;
        }
        for (auto [id, value] : {std::pair{kRowAbove + i, &r.above},
                                 std::pair{kRowFlat + i, &r.flat}}) {
            double v = *value;
            if (ReadValueIfChanged(port, id, v, kMoney) && !IsNoValue(v)) *value = v;
        }
        TakePercent(port, kRowRate + i, r.rate);
        r.atStart = GetCheck(port, kRowAtStart + i) != 0;
        changed = changed || !was || !(r == scale.rows[static_cast<std::size_t>(i)]);
        typed.push_back(r);
    }
    if (changed) {
        LimitLandTaxRows(typed);
        rows = std::move(typed);
    }
    unreadable = false;
    for (auto [id, schedule] : {std::pair{kBuilding, &building}, std::pair{kPlant, &plant}}) {
        std::string text;
        for (char16_t ch : port.GetText(id)) text += ch < 0x80 ? static_cast<char>(ch) : '?';
        std::vector<double> figures = ParseScheduleColumn(text);
        // Nothing read from a text with something other than zeros in it: not a column.
        if (figures.empty() &&
            text.find_first_not_of(" \t\r\n0.$,") != std::string::npos) {
            unreadable = true;
            continue;
        }
        *schedule = std::move(figures);
    }
}

void LandTaxAssumptions::TakeBack(const Investment& limited) {
    LandTaxPairs(*this, limited, ToEditor{});
}
