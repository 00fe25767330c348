// The law built in: income years, the scale of each, and the dates from which the rules on
// losses and depreciation apply. Figures by hand from the rules' dates and the published
// scales.
#include <gtest/gtest.h>

#include "model/Assumptions.h"
#include "model/Law.h"
#include "model/Scales.h"

namespace {

TEST(Law, IncomeYearOfADate) {
    struct Case {
        int kind, year, month, incomeYear;
    } const cases[] = {
        {kAustraliaByIncomeYear, 2026, 12, 2026},  {kAustraliaByIncomeYear, 2027, 6, 2026},
        {kAustraliaByIncomeYear, 2027, 7, 2027},   {kAustraliaByIncomeYear, 2027, 1, 2026},
        {kNewZealandByIncomeYear, 2026, 3, 2025},  {kNewZealandByIncomeYear, 2026, 4, 2026},
        {kNewZealandByIncomeYear, 2026, 12, 2026},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IncomeYearOf(c.kind, {c.year, c.month}), c.incomeYear)
            << c.kind << " " << c.year << "-" << c.month;
    EXPECT_EQ(IncomeYearText(2026), "2026-27");
    EXPECT_EQ(IncomeYearText(1999), "1999-00");
    EXPECT_EQ(IncomeYearText(2009), "2009-10");
}

// The lowest rate tells the Australian scales apart: 16 % in 2025-26, 15 % then 14 %.
TEST(Law, EachIncomeYearTakesItsScale) {
    struct Case {
        int kind, incomeYear;
        bool grow;
        double secondRate, secondAbove, medicareThreshold;
    } const cases[] = {
        {kAustraliaByIncomeYear, 2020, false, 16, 18200, 28011}, // before: the first
        {kAustraliaByIncomeYear, 2025, false, 16, 18200, 28011},
        {kAustraliaByIncomeYear, 2026, false, 15, 18200, 28011},
        {kAustraliaByIncomeYear, 2027, false, 14, 18200, 28011},
        {kAustraliaByIncomeYear, 2030, false, 14, 18200, 28011}, // after: the last, kept
        {kAustraliaByIncomeYear, 2027, true, 14, 18200, 28011},
        // Grown three years at 2.5 %: x 1.076890625.
        {kAustraliaByIncomeYear, 2030, true, 14, 19599.409375, 30164.783296875},
        {kNewZealandByIncomeYear, 2040, false, 17.5, 15600, 0},
    };
    for (const Case& c : cases) {
        const TaxScale s = IncomeYearTaxScale(c.kind, c.incomeYear, c.grow, 2.5);
        SCOPED_TRACE(c.incomeYear);
        EXPECT_DOUBLE_EQ(s.Rate[1], c.secondRate);
        EXPECT_DOUBLE_EQ(s.Above[1], c.secondAbove);
        EXPECT_DOUBLE_EQ(s.MedicareThreshold, c.medicareThreshold);
    }
}

// The levy's low-income reduction goes with the scale of the year: at 30,000 in 2026-27 the
// levy is 10 % of the 1,989 above 28,011 (198.90, less than 2 % of 30,000), on top of 15 % of
// 11,800; in 2030-31 with grown thresholds 30,000 is below the levy's threshold.
TEST(Law, MedicareReductionFollowsTheScaleOfTheYear) {
    EXPECT_NEAR(ComputeIncomeTax(30000, IncomeYearTaxScale(kAustraliaByIncomeYear, 2026, false, 2.5)),
                1770 + 198.9, 1e-9);
    EXPECT_NEAR(ComputeIncomeTax(30000, IncomeYearTaxScale(kAustraliaByIncomeYear, 2030, true, 2.5)),
                (30000 - 19599.409375) * 0.14, 1e-9);
    EXPECT_NEAR(ComputeIncomeTax(30000, IncomeYearTaxScale(kAustraliaByIncomeYear, 2030, false, 2.5)),
                1652 + 198.9, 1e-9);
}

struct RuleCase {
    const char* name;
    int law, year, month, newBuild, fittingsNew;
    int carryFrom, firstIncomeYear, lastIncomeYear;
    bool noFittings;
    int noBuildingFrom;
};

const RuleCase kRuleCases[] = {
    // Year 1 from December 2026; year 2 (December 2027) is the first from 1 July 2027.
    {"established, December 2026", 1, 2026, 12, 0, 0, 1, 2026, 2065, true, kTableColumns},
    {"new build, December 2026", 1, 2026, 12, 1, 0, kTableColumns, 2026, 2065, false,
     kTableColumns},
    {"fittings bought new", 1, 2026, 12, 0, 1, 1, 2026, 2065, false, kTableColumns},
    // The month of the cut-off counts as before it.
    {"established, May 2026", 1, 2026, 5, 0, 0, kTableColumns, 2025, 2064, true, kTableColumns},
    {"established, June 2026", 1, 2026, 6, 0, 0, 2, 2025, 2064, true, kTableColumns},
    {"established, July 2027", 1, 2027, 7, 0, 0, 0, 2027, 2066, true, kTableColumns},
    {"established, April 2017", 1, 2017, 4, 0, 0, kTableColumns, 2016, 2055, false,
     kTableColumns},
    {"New Zealand, 2026", 2, 2026, 6, 0, 0, 0, 2026, 2065, false, 0},
    // Ring-fenced from the year starting 1 April 2019; buildings 0 from 1 April 2011.
    {"New Zealand, January 2018", 2, 2018, 1, 0, 0, 2, 2017, 2056, false, 0},
    {"New Zealand, June 2009", 2, 2009, 6, 0, 0, 10, 2009, 2048, false, 2},
};

TEST(Law, DatesOfTheRulesOnLossesAndDepreciation) {
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.name);
        Investment doc;
        doc.TaxLaw = c.law;
        doc.PurchaseYear = c.year;
        doc.PurchaseMonth = c.month;
        doc.NewBuild = c.newBuild;
        doc.FittingsBoughtNew = c.fittingsNew;
        ProjectionLaw law;
        WorkOutProjectionLaw(doc, law);
        EXPECT_EQ(law.carryFrom, c.carryFrom);
        EXPECT_EQ(law.incomeYear.front(), c.firstIncomeYear);
        EXPECT_EQ(law.incomeYear.back(), c.lastIncomeYear);
        EXPECT_EQ(law.noFittingsDepreciation, c.noFittings);
        EXPECT_EQ(law.noBuildingFrom, c.noBuildingFrom);
        EXPECT_EQ(FittingsDepreciationNilReason(doc).empty(), !c.noFittings);
    }
}

TEST(Law, TodaysDutyScaleOfAState) {
    EXPECT_EQ(TodaysDutyScale(ShippedDutyScale(0)), ShippedDutyScale(FindDutyLocation("Qld 2025")));
    EXPECT_EQ(TodaysDutyScale(ShippedDutyScale(7)), ShippedDutyScale(FindDutyLocation("ACT 2025")));
    // "None", "Custom" and today's entries stay as they are.
    for (int location : {kDutyLocationNone, kDutyLocationCustom, FindDutyLocation("NT 2025")})
        EXPECT_EQ(TodaysDutyScale(ShippedDutyScale(location)), ShippedDutyScale(location));
}

} // namespace
