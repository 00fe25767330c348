#include "model/Law.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

LawMonth LimitedMonth(int year, int month) {
    return {std::clamp(year, 1, 9999), std::clamp(month, 1, 12)};
}

std::span<const IncomeYearScale> ScalesOf(int kind) {
    if (kind == kNewZealandByIncomeYear) return kNewZealandScales;
    return kAustralianScales;
}

// The first column whose year starts on or after `date`; kTableColumns when none does.
int FirstYearFrom(LawMonth bought, LawMonth date) {
    for (int c = 0; c < kTableColumns; ++c)
        if (!(bought.YearsLater(c) < date)) return c;
    return kTableColumns;
}

} // namespace

LawMonth PurchaseDate(const Investment& doc) {
    return LimitedMonth(doc.PurchaseYear, doc.PurchaseMonth);
}

LawMonth CgtSwitchDate(const Investment& doc) {
    return LimitedMonth(doc.CGTSwitchYear, doc.CGTSwitchMonth);
}

int IncomeYearOf(int kind, LawMonth date) {
    const int first = kind == kNewZealandByIncomeYear ? kNewZealandYearStartMonth
                                                       : kAustraliaYearStartMonth;
    return date.month >= first ? date.year : date.year - 1;
}

std::string IncomeYearText(int firstYear) {
    const int next = (firstYear + 1) % 100;
    std::string text = std::to_string(firstYear) + "-";
    if (next < 10) text += '0';
    return text + std::to_string(next);
}

std::string MonthText(LawMonth date) {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return std::string(kMonths[static_cast<std::size_t>(std::clamp(date.month, 1, 12) - 1)]) +
           " " + std::to_string(date.year);
}

std::string LawDescription(const Investment& doc) {
    const int kind = std::clamp(doc.TaxLaw, 0, 2);
    std::string text(kTaxLawNames[static_cast<std::size_t>(kind)]);
    if (kind == kOneScaleForEveryYear) return text;
    return text + (doc.NewBuild != 0 ? ", new build" : ", established dwelling") + " bought " +
           MonthText(PurchaseDate(doc));
}

TaxScale IncomeYearTaxScale(int kind, int incomeYear, bool grow, double inflationPercent) {
    const std::span<const IncomeYearScale> scales = ScalesOf(kind);
    const IncomeYearScale* chosen = &scales.front();
    for (const IncomeYearScale& s : scales)
        if (s.firstYear <= incomeYear) chosen = &s;
    TaxScale scale = ShippedTaxScale(chosen->location);
    const int later = incomeYear - scales.back().firstYear;
    if (grow && later > 0) {
        const double factor = std::pow(1 + inflationPercent * 0.01, later);
        for (double& above : scale.Above) above *= factor;
        scale.MedicareThreshold *= factor;
    }
    return scale;
}

void WorkOutProjectionLaw(const Investment& doc, ProjectionLaw& law) {
    law.kind = doc.TaxLaw == kAustraliaByIncomeYear || doc.TaxLaw == kNewZealandByIncomeYear
                   ? doc.TaxLaw
                   : kOneScaleForEveryYear;
    law.carryFrom = kTableColumns;
    law.noFittingsDepreciation = false;
    law.noBuildingFrom = kTableColumns;
    if (law.kind == kOneScaleForEveryYear) {
        law.incomeYear.fill(0);
        return;
    }
    const LawMonth bought = PurchaseDate(doc);
    const bool grow = doc.ThresholdsGrow != 0;
    const std::span<const IncomeYearScale> built = ScalesOf(law.kind);
    for (int c = 0; c < kTableColumns; ++c) {
        const auto column = static_cast<std::size_t>(c);
        const int year = IncomeYearOf(law.kind, bought.YearsLater(c));
        law.incomeYear[column] = static_cast<std::int16_t>(year);
        // Past the last built-in year, kept thresholds make every year's scale the same.
        const bool asBefore = c > 0 && !grow && year - 1 >= built.back().firstYear;
        law.scales[column] = asBefore ? law.scales[column - 1]
                                      : IncomeYearTaxScale(law.kind, year, grow, doc.RateInfl);
    }
    // A purchase in the month of a cut-off counts as before it: settlement follows the
    // contract by weeks.
    const bool established = doc.NewBuild == 0;
    if (law.kind == kAustraliaByIncomeYear) {
        if (established && kNegativeGearingCutOff.Month() < bought)
            law.carryFrom = FirstYearFrom(bought, kLossQuarantine.Month());
        law.noFittingsDepreciation = SecondHandFittingsRuleApplies(doc) && doc.FittingsBoughtNew == 0;
    } else {
        law.carryFrom = FirstYearFrom(bought, kRingFencing.Month());
        law.noBuildingFrom = FirstYearFrom(bought, kNoBuildingDepreciation.Month());
    }
}

bool SecondHandFittingsRuleApplies(const Investment& doc) {
    return doc.TaxLaw == kAustraliaByIncomeYear && doc.NewBuild == 0 &&
           kSecondHandPlant.Month() < PurchaseDate(doc);
}

DutyScale TodaysDutyScale(const DutyScale& scale) {
    if (scale.Location < 0 || scale.Location >= kDutyLocationNone) return scale;
    const int today =
        FindDutyLocation(std::string(DutyLocationName(scale.Location)) + " 2025");
    return today >= 0 ? ShippedDutyScale(today) : scale;
}

std::string_view FittingsDepreciationNilReason(const Investment& doc) {
    ProjectionLaw law;
    WorkOutProjectionLaw(doc, law);
    return law.noFittingsDepreciation ? kNoFittingsReason : std::string_view{};
}

std::string_view BuildingDepreciationNilReason(const Investment& doc) {
    ProjectionLaw law;
    WorkOutProjectionLaw(doc, law);
    return law.noBuildingFrom == 0 ? kNoBuildingReason : std::string_view{};
}
