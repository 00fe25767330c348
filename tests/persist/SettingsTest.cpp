#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "tests/persist/SampleInvestment.h"

namespace {

class Settings : public ::testing::Test {
protected:
    Scales scales;
    void SetUp() override {
        CurrentColours = Colours{};
    }

    std::optional<std::string> text(std::string_view name) {
        return store.ReadString(kSectionSettingsFile, name);
    }
    MemorySettingsStore store;
};

TEST_F(Settings, MemoryStoreLogsWritesAndRemovalsAndConvertsKinds) {
    store.WriteInt("S", "a", -7);
    store.WriteString("S", "b", "12");
    store.WriteString("S", "c", "1.5");
    store.Remove("S", "a");
    store.Remove("S", "never");
    EXPECT_EQ(store.log, (std::vector<std::string>{"S/a=-7", "S/b=12", "S/c=1.5", "S/a removed",
                                                   "S/never removed"}));
    EXPECT_EQ(store.ReadInt("S", "a"), std::nullopt);
    EXPECT_EQ(store.ReadInt("S", "b"), 12);
    EXPECT_EQ(store.ReadInt("S", "c"), std::nullopt); // not a whole number
    EXPECT_EQ(store.ReadInt("T", "b"), std::nullopt); // sections are separate
    store.WriteInt("S", "d", 42);
    EXPECT_EQ(store.ReadString("S", "d"), "42");
}

TEST_F(Settings, DoublesAreTextsWithTwoDecimals) {
    WriteSettingDouble(store, "RateInterest", 8.126);
    WriteSettingDouble(store, "TaxableHim", 47000);
    WriteSettingDouble(store, "Conveyancing", -0.004);
    WriteSettingInt(store, "LCYears", 7);
    EXPECT_EQ(text("RateInterest"), "8.13");
    EXPECT_EQ(text("TaxableHim"), "47000.00");
    EXPECT_EQ(text("Conveyancing"), "-0.00");
    EXPECT_EQ(store.ReadInt(kSectionSettingsFile, "LCYears"), 7);
    EXPECT_EQ(ReadSettingDouble(store, "RateInterest", 1), 8.13);
    EXPECT_EQ(ReadSettingInt(store, "LCYears", 5), 7);
}

TEST_F(Settings, MissingOrEmptyValuesGiveTheBuiltInDefault) {
    EXPECT_EQ(ReadSettingDouble(store, "RateInterest", 8.5), 8.5);
    EXPECT_EQ(ReadSettingInt(store, "LCYears", 5), 5);
    store.WriteString(kSectionSettingsFile, "RateInterest", "");
    store.WriteString(kSectionSettingsFile, "LCYears", "");
    EXPECT_EQ(ReadSettingDouble(store, "RateInterest", 8.5), 8.5);
    EXPECT_EQ(ReadSettingInt(store, "LCYears", 5), 5);
    // Text that is no number gives the built-in value too, never NoValue.
    for (const char* bad : {"fast", "abc", "8.5O", "?????", "1e5"}) {
        store.WriteString(kSectionSettingsFile, "RateInterest", bad);
        EXPECT_EQ(ReadSettingDouble(store, "RateInterest", 8.5), 8.5) << bad;
    }
    store.WriteString(kSectionSettingsFile, "RateInterest", "$1,234");
    EXPECT_EQ(ReadSettingDouble(store, "RateInterest", 8.5), 1234);
}

TEST_F(Settings, StartUpTaxScaleText) {
    EXPECT_EQ(TaxScaleToText(StartupTaxScale()),
              "5,0.00,6000.00,25000.00,75000.00,150000.00,0.00,0.00,0.00,0.00,0.00,0.00,15.00,"
              "30.00,40.00,45.00,0.00,0.00,0.00,0.00,0.00,1.50,15529.00,0,");
    TaxScale custom = StartupTaxScale();
    custom.Location = 4;
    const std::string t = TaxScaleToText(custom);
    EXPECT_EQ(t.substr(t.size() - 11), "15529.00,4,");
}

TEST_F(Settings, DutyScaleTextHas33Items) {
    DutyScale vic = ShippedDutyScale(2);
    vic.BaseDuty = 12.345;
    const std::string t = DutyScaleToText(vic);
    EXPECT_EQ(std::count(t.begin(), t.end(), ','), 33);
    EXPECT_EQ(t.substr(0, 40), "4,0.00,20000.00,115000.00,870000.00,0.00");
    // Flat rows as whole numbers, then BaseDuty and Location.
    EXPECT_NE(t.find("5.50,0.00,0.00,0.00,0.00,0.00,0.00,0,0,0,1,0,0,0,0,0,0,12.35,2,"),
              std::string::npos)
        << t;
}

TEST_F(Settings, ScaleTextsReadBackTheBuiltInScales) {
    // Every entry but "Tas 2025", whose first rate (1.6666667) the text keeps to two decimals.
    const int tas = FindDutyLocation("Tas 2025");
    for (int loc = 0; loc < kBuiltInDutyCount; ++loc) {
        DutyScale expected = ShippedDutyScale(loc);
        if (loc == tas) expected.Rate[0] = 1.67;
        EXPECT_EQ(DutyScaleFromText(DutyScaleToText(ShippedDutyScale(loc))), expected) << loc;
    }
    for (int loc = 0; loc < kBuiltInTaxCount; ++loc) {
        // The reduced levy is a value of its own beside the text.
        TaxScale expected = ShippedTaxScale(loc);
        expected.MedicareShadeIn = false;
        EXPECT_EQ(TaxScaleFromText(TaxScaleToText(ShippedTaxScale(loc))), expected) << loc;
    }
}

// The settings texts of the original entries, written out from the program before the
// further entries came: byte for byte the same.
TEST_F(Settings, ScaleTextsOfTheOriginalEntriesAreAsBefore) {
    const char* const duty[kDutyLocationCount] = {
        "7,0.00,20000.00,50000.00,100000.00,250000.00,500000.00,700000.00,0.00,0.00,0.00,"
        "1.50,2.25,2.75,3.25,3.50,4.00,4.50,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,0,",
        "7,0.00,14000.00,30000.00,80000.00,300000.00,1000000.00,3000000.00,0.00,0.00,"
        "0.00,1.25,1.50,1.75,3.50,4.50,5.50,7.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,"
        "1,",
        "4,0.00,20000.00,115000.00,870000.00,0.00,0.00,0.00,0.00,0.00,0.00,1.40,2.40,"
        "6.00,5.50,0.00,0.00,0.00,0.00,0.00,0.00,0,0,0,1,0,0,0,0,0,0,0.00,2,",
        "9,0.00,12000.00,30000.00,50000.00,100000.00,200000.00,250000.00,300000.00,"
        "500000.00,0.00,1.00,2.00,3.00,3.50,4.00,4.25,4.75,5.00,5.50,0.00,0,0,0,0,0,0,0,"
        "0,0,0,0.00,3,",
        "5,0.00,80000.00,100000.00,250000.00,500000.00,0.00,0.00,0.00,0.00,0.00,2.30,"
        "3.45,4.75,5.90,6.30,0.00,0.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,4,",
        "10,0.00,30000.00,50000.00,100000.00,150000.00,200000.00,250000.00,300000.00,"
        "350000.00,500000.00,2.30,2.61,3.08,3.72,4.38,5.02,5.68,6.32,7.62,5.40,0,0,0,0,0,"
        "0,0,0,0,1,0.00,5,",
        "6,0.00,10000.00,30000.00,75000.00,150000.00,225000.00,0.00,0.00,0.00,0.00,1.50,"
        "2.00,2.50,3.00,3.50,4.00,0.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,6,",
        "6,0.00,100000.00,200000.00,300000.00,500000.00,1000000.00,0.00,0.00,0.00,0.00,"
        "2.00,3.50,4.00,5.50,5.75,6.75,0.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,7,",
        "1,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
        "0.00,0.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,8,",
        "1,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
        "0.00,0.00,0.00,0.00,0.00,0,0,0,0,0,0,0,0,0,0,0.00,9,",
    };
    const char* const tax[kTaxLocationCount] = {
        "5,0.00,6000.00,30000.00,75000.00,150000.00,0.00,0.00,0.00,0.00,0.00,0.00,15.00,"
        "30.00,40.00,45.00,0.00,0.00,0.00,0.00,0.00,1.50,16740.00,0,",
        "3,0.00,38000.00,60000.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,19.50,33.00,39.00,"
        "0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,1,",
        "5,0.00,6000.00,21600.00,63000.00,95000.00,0.00,0.00,0.00,0.00,0.00,0.00,15.00,"
        "30.00,42.00,47.00,0.00,0.00,0.00,0.00,0.00,1.50,15529.00,2,",
        "0,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
        "0.00,0.00,0.00,0.00,0.00,0.00,0.00,3,",
        "0,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00,"
        "0.00,0.00,0.00,0.00,0.00,0.00,0.00,4,",
    };
    for (int loc = 0; loc < kDutyLocationCount; ++loc)
        EXPECT_EQ(DutyScaleToText(ShippedDutyScale(loc)), duty[loc]) << loc;
    for (int loc = 0; loc < kTaxLocationCount; ++loc)
        EXPECT_EQ(TaxScaleToText(ShippedTaxScale(loc)), tax[loc]) << loc;
}

TEST_F(Settings, AFurtherEntryIsStoredAndReadAtItsLocation) {
    const int nsw = FindDutyLocation("NSW 2025");
    const int au = FindTaxLocation("Australia (25/26)");
    scales.duty = ShippedDutyScale(nsw);
    scales.tax = ShippedTaxScale(au);
    StoreStampDuty(store, scales.duty);
    StoreTaxScale(store, scales.tax);
    EXPECT_TRUE(text("StampDuty").value_or("").ends_with(",0.00,11,")) << *text("StampDuty");
    EXPECT_TRUE(text("TaxScale").value_or("").ends_with(",2.00,28011.00,5,")) << *text("TaxScale");
    EXPECT_EQ(text("TaxScaleMedicareShadeIn"), "1");

    Investment doc;
    NewInvestment(doc, scales, store);
    EXPECT_EQ(scales.duty, ShippedDutyScale(nsw));
    EXPECT_EQ(scales.tax, ShippedTaxScale(au));

    // A location beyond every list is kept as it is.
    DutyScale beyond = ShippedDutyScale(nsw);
    beyond.Location = kBuiltInDutyCount;
    store.WriteString(kSectionSettingsFile, "StampDuty", DutyScaleToText(beyond));
    LoadScalesFromSettings(store, scales);
    EXPECT_EQ(scales.duty, beyond);
}

TEST_F(Settings, TheReducedLevyIsAValueBesideTheScaleWhileItIsOn) {
    scales.tax = ShippedTaxScale(FindTaxLocation("Australia (25/26)"));
    StoreTaxScale(store, scales.tax);
    const std::string on = *text("TaxScale");
    scales.tax.MedicareShadeIn = false;
    StoreTaxScale(store, scales.tax);
    // The scale's own text is the same either way; off, the value is gone.
    EXPECT_EQ(text("TaxScale"), on);
    EXPECT_EQ(text("TaxScaleMedicareShadeIn"), std::nullopt);
    scales.tax.MedicareShadeIn = true;
    LoadScalesFromSettings(store, scales);
    EXPECT_FALSE(scales.tax.MedicareShadeIn);

    store.WriteInt(kSectionSettingsFile, "TaxScaleMedicareShadeIn", 1);
    LoadScalesFromSettings(store, scales);
    EXPECT_TRUE(scales.tax.MedicareShadeIn);
    DeleteSettings(store);
    EXPECT_EQ(text("TaxScaleMedicareShadeIn"), std::nullopt);
}

TEST_F(Settings, ShortScaleTextFillsTheRestWithZero) {
    TaxScale t = TaxScaleFromText("3,0.00,10000.00,50000.00,0,10,20.5");
    EXPECT_EQ(t.Count, 3);
    EXPECT_EQ(t.Above[1], 10000);
    EXPECT_EQ(t.Above[2], 50000);
    EXPECT_EQ(t.Above[4], 10);
    EXPECT_EQ(t.Above[5], 20.5);
    EXPECT_EQ(t.Above[6], 0);
    EXPECT_EQ(t.Rate, TaxScale{}.Rate);
    EXPECT_EQ(t.MedicareRate, 0);
    EXPECT_EQ(t.MedicareThreshold, 0);
    EXPECT_EQ(t.Location, 0);
    EXPECT_EQ(DutyScaleFromText(""), DutyScale{});
}

TEST_F(Settings, ScaleTextItemsAreLimitedAndNeverOverflow) {
    // Leading spaces, whole numbers truncated toward zero, counts limited, locations kept.
    DutyScale d = DutyScaleFromText(" 11, 5.5,");
    EXPECT_EQ(d.Count, 10);
    EXPECT_EQ(d.Above[0], 5.5);
    EXPECT_EQ(DutyScaleFromText("-5,").Count, 0);
    EXPECT_EQ(DutyScaleFromText("3.9,").Count, 3);
    EXPECT_EQ(DutyScaleFromText("1e9,").Count, 0); // not a number: stays as it was

    std::string flats = "1,";
    for (int i = 0; i < 20; ++i) flats += "0,";
    flats += "-1.7,99999999,x,";
    for (int i = 0; i < 7; ++i) flats += "0,";
    flats += "abc,250.9,";
    DutyScale f = DutyScaleFromText(flats);
    EXPECT_EQ(f.Flat[0], -1);
    EXPECT_EQ(f.Flat[1], 32767);
    EXPECT_EQ(f.Flat[2], 0);
    EXPECT_EQ(f.BaseDuty, 0); // "abc" keeps the empty base's value
    EXPECT_EQ(f.Location, 250);

    // Items that are no number keep the base's value: "5O000" leaves Qld's 20,000 in place.
    DutyScale base = ShippedDutyScale(3);
    base.Location = 3;
    DutyScale kept = DutyScaleFromText("?????,", base);
    EXPECT_EQ(kept.Count, 9);
    EXPECT_EQ(kept.Location, 0); // a missing item is 0, not "no number"
    EXPECT_EQ(kept.Above[0], 0);
    DutyScale qld = DutyScaleFromText("7,0,5O000,", ShippedDutyScale(0));
    EXPECT_EQ(qld.Above[1], 20000);
    EXPECT_EQ(qld.Above[2], 0); // a missing item
    TaxScale taxBase = ShippedTaxScale(0);
    taxBase.Above[0] = 123;
    taxBase.MedicareRate = 1.25;
    TaxScale tax = TaxScaleFromText("-40000,abc,", taxBase);
    EXPECT_EQ(tax.Count, 0);
    EXPECT_EQ(tax.Above[0], 123);
    std::string medicare = "5,";
    for (int i = 0; i < 20; ++i) medicare += "0,";
    medicare += "1.5O,"; // MedicareRate
    EXPECT_EQ(TaxScaleFromText(medicare, taxBase).MedicareRate, 1.25);
}

TEST_F(Settings, StoredScalesReplaceTheScalesInForceOnlyWherePresent) {
    const DutyScale duty = scales.duty;
    LoadScalesFromSettings(store, scales);
    EXPECT_EQ(scales.duty, duty);
    EXPECT_EQ(scales.tax, StartupTaxScale());

    store.WriteString(kSectionSettingsFile, "StampDuty", "");
    store.WriteString(kSectionSettingsFile, "TaxScale", TaxScaleToText(ShippedTaxScale(1)));
    LoadScalesFromSettings(store, scales);
    EXPECT_EQ(scales.duty, duty);
    EXPECT_EQ(scales.tax, ShippedTaxScale(1));

    scales.duty = ShippedDutyScale(6);
    StoreStampDuty(store, scales.duty);
    scales.duty = duty;
    LoadScalesFromSettings(store, scales);
    EXPECT_EQ(scales.duty, ShippedDutyScale(6));
}

TEST_F(Settings, SaveSettingsWritesInItsOrder) {
    Investment doc;
    doc.RateInterest = 8.126;
    doc.CalcExpenses = 0;
    doc.DepFittMethod = 1;
    doc.ProjectionYear = 15;
    doc.SellingCostsPC = 3.126;
    SaveSettings(store, doc, scales);
    const std::string f = "SettingsFile/";
    std::vector<std::string> expected = {
        f + "StampDuty=" + DutyScaleToText(scales.duty),
        f + "TaxScale=" + TaxScaleToText(scales.tax),
        f + "UseSDScale=1",
        f + "CalcDeposit=1",
        f + "CalcLoanCosts=1",
        f + "CalcExpenses=0",
        f + "CalcDepFitt=1",
        f + "CalcDepBuild=1",
        f + "Conveyancing=950.00",
        f + "DepositPC=5.00",
        f + "LoanCostsPC=1.50",
        f + "LCYears=5",
        f + "LoanType=0",
        f + "RateInterest=8.13",
        f + "LoanTerm=25",
        f + "PeriodsPerYear=52",
        f + "VacancyRate=2.00",
        f + "ExpensesPC=22.50",
        f + "DepFittPC=6.00",
        f + "DepFittRate=20.00",
        f + "DepFittMethod=1",
        f + "DepBuildPC=50.00",
        f + "DepBuildRate=2.50",
        f + "DepBuildMethod=1",
        f + "TaxableHim=47000.00",
        f + "TaxableHer=19000.00",
        f + "NamesOnTitle=1",
        f + "RateGrowth=4.50",
        f + "RateInfl=2.00",
        f + "ShowYear=1",
        f + "ProjectionYear=15",
        // The assumptions, after the inputs of the fixed layout.
        f + "SellingCostsPC=3.13",
        f + "CGTDiscountPC=50.00",
        f + "LossTreatment=0",
        f + "LossRuleFromYear=1",
        f + "RentFollowsInflation=1",
        f + "RateRentGrowth=3.00",
        f + "InterestOnlyYears=0",
        f + "TaxLaw=0",
        f + "PurchaseMonth=7",
        f + "PurchaseYear=2026",
        f + "NewBuild=0",
        f + "FittingsBoughtNew=0",
        f + "ThresholdsGrow=0",
        f + "CGTSwitchMonth=7",
        f + "CGTSwitchYear=2027",
        f + "MinimumTaxPC=30.00",
        f + "BrightLineYears=2.00",
        f + "OffsetOpening=0.00",
        f + "OffsetMonthly=0.00",
        f + "OffsetSurplus=0",
        f + "ExtraRepayment=0.00",
        f + "ExtraFromYear=1",
        f + "ExpensesFollowInflation=1",
        f + "RateExpensesGrowth=3.00",
        // Land tax: the State and the choices, never one property's land values.
        f + "LandTaxState=0",
        f + "LandFollowsGrowth=1",
        f + "RateLandGrowth=4.50",
        f + "LandThresholdsGrow=0",
        f + "RateSteps=",
    };
    EXPECT_EQ(store.log, expected);
}

TEST_F(Settings, SaveSettingsThenNewReproducesTheInputsToTwoDecimals) {
    Investment doc;
    doc.Address = u"somewhere";
    doc.Price = 250000;
    doc.Conveyancing = 1200.456;
    doc.RateInterest = 8.126;
    doc.UseSDScale = 0;
    doc.LoanType = 1;
    doc.LoanTerm = 30;
    doc.PeriodsPerYear = 12;
    doc.DepBuildMethod = 0;
    doc.NamesOnTitle = 2;
    doc.TaxableHer = 55555.555;
    doc.ShowYear = 3;
    doc.ProjectionYear = 20;
    scales.duty = ShippedDutyScale(7);
    scales.tax = ShippedTaxScale(2);
    SaveSettings(store, doc, scales);

    Investment fresh;
    ASSERT_TRUE(NewInvestment(fresh, scales, store));
    EXPECT_EQ(fresh.RateInterest, 8.13);
    EXPECT_EQ(fresh.Conveyancing, 1200.46);
    EXPECT_EQ(fresh.TaxableHer, 55555.56);
    EXPECT_EQ(fresh.UseSDScale, 0);
    EXPECT_EQ(fresh.LoanType, 1);
    EXPECT_EQ(fresh.LoanTerm, 30);
    EXPECT_EQ(fresh.PeriodsPerYear, 12);
    EXPECT_EQ(fresh.DepBuildMethod, 0);
    EXPECT_EQ(fresh.NamesOnTitle, 2);
    EXPECT_EQ(fresh.ShowYear, 3);
    EXPECT_EQ(fresh.ProjectionYear, 20);
    EXPECT_EQ(scales.duty, ShippedDutyScale(7));
    EXPECT_EQ(scales.tax, ShippedTaxScale(2));
    // Not defaults: they start empty.
    EXPECT_EQ(fresh.Price, 0);
    EXPECT_TRUE(fresh.Address.empty());
}

TEST_F(Settings, DeleteSettingsRemovesEverythingAndChangesNothingInMemory) {
    Investment doc;
    doc.DepFittMethod = 1;
    SaveSettings(store, doc, scales);
    WriteColours(store, Colours{});
    scales.duty = ShippedDutyScale(4);
    CurrentColours.GR1Color = 0x123456;
    store.log.clear();

    DeleteSettings(store);
    const std::string f = "SettingsFile/", s = "Settings/";
    std::vector<std::string> expected = {f + "StampDuty removed", f + "TaxScale removed",
                                         f + "TaxScaleMedicareShadeIn removed"};
    for (const char* n :
         {"Conveyancing", "UseSDScale", "DepositPC", "CalcDeposit", "CalcLoanCosts",
          "LoanCostsPC", "LCYears", "LoanType", "RateInterest", "LoanTerm", "PeriodsPerYear",
          "VacancyRate", "ExpensesPC", "CalcExpenses", "CalcDepFitt", "DepFittPC", "DepFittRate",
          "DepFittMethod", "CalcDepBuild", "DepBuildPC", "DepBuildRate", "DepBuildMethod",
          "TaxableHim", "TaxableHer", "NamesOnTitle", "RateGrowth", "RateInfl", "ShowYear",
          "ProjectionYear", "SellingCostsPC", "CGTDiscountPC", "LossTreatment",
          "LossRuleFromYear", "RentFollowsInflation", "RateRentGrowth", "InterestOnlyYears",
          "TaxLaw", "PurchaseMonth", "PurchaseYear", "NewBuild", "FittingsBoughtNew",
          "ThresholdsGrow", "CGTSwitchMonth", "CGTSwitchYear", "MinimumTaxPC",
          "BrightLineYears", "OffsetOpening", "OffsetMonthly", "OffsetSurplus", "ExtraRepayment",
          "ExtraFromYear", "ExpensesFollowInflation", "RateExpensesGrowth", "LandTaxState",
          "LandFollowsGrowth", "RateLandGrowth", "LandThresholdsGrow", "RateSteps"})
        expected.push_back(f + n + " removed");
    for (const char* n : {"BG1Color", "BG2Color", "GR1Color", "GR2Color", "GR3Color"})
        expected.push_back(s + n + " removed");
    EXPECT_EQ(store.log, expected);
    EXPECT_TRUE(store.values.empty());
    EXPECT_EQ(scales.duty, ShippedDutyScale(4));
    EXPECT_EQ(CurrentColours.GR1Color, 0x123456u);
    EXPECT_EQ(doc.DepFittMethod, 1);

    Investment fresh;
    fresh.DepFittMethod = 1;
    NewInvestment(fresh, scales, store);
    EXPECT_EQ(fresh.DepFittMethod, 0);
}

TEST_F(Settings, LinkSwitchesAreWrittenInDialogOrder) {
    Investment doc;
    doc.CalcDeposit = 0;
    doc.CalcDepBuild = 0;
    StoreLinkSwitches(store, doc);
    EXPECT_EQ(store.log, (std::vector<std::string>{
                             "SettingsFile/UseSDScale=1", "SettingsFile/CalcDeposit=0",
                             "SettingsFile/CalcLoanCosts=1", "SettingsFile/CalcExpenses=1",
                             "SettingsFile/CalcDepFitt=1", "SettingsFile/CalcDepBuild=0"}));
}

TEST_F(Settings, ColoursAreSignedDecimalTexts) {
    EXPECT_EQ(ReadColours(store), Colours{});
    WriteColours(store, Colours{});
    EXPECT_EQ(store.log, (std::vector<std::string>{
                             "Settings/BG1Color=16777180", "Settings/BG2Color=16777215",
                             "Settings/GR1Color=16711680", "Settings/GR2Color=255",
                             "Settings/GR3Color=65280"}));
    Colours c;
    c.BG1Color = kAutomaticColour;
    c.GR3Color = 0x00010203;
    WriteColours(store, c);
    EXPECT_EQ(store.ReadString(kSectionSettings, "BG1Color"), "-16777216");
    EXPECT_EQ(ReadColours(store), c);
}

TEST_F(Settings, ColoursThatCannotBeReadKeepTheirDefaults) {
    store.WriteString(kSectionSettings, "BG1Color", "");
    store.WriteString(kSectionSettings, "BG2Color", "purple");
    store.WriteString(kSectionSettings, "GR1Color", "4278190080"); // unsigned text
    store.WriteString(kSectionSettings, "GR2Color", "1e30");
    store.WriteInt(kSectionSettings, "GR3Color", 65535);
    Colours c = ReadColours(store);
    EXPECT_EQ(c.BG1Color, Colours{}.BG1Color);
    EXPECT_EQ(c.BG2Color, Colours{}.BG2Color);
    EXPECT_EQ(c.GR1Color, 0xFF000000u);
    EXPECT_EQ(c.GR2Color, Colours{}.GR2Color);
    EXPECT_EQ(c.GR3Color, 65535u);
}

TEST_F(Settings, NewInvestmentWithEmptyStoreHasTheBuiltInDefaults) {
    Investment doc;
    doc.Address = u"old";
    doc.Price = 500000;
    doc.Rent = 400;
    doc.MarketValue = 500000;
    doc.Recalculate(scales);
    scales.tax = ShippedTaxScale(1); // no stored scale: the one in force stays
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    EXPECT_TRUE(store.log.empty()); // a new investment only reads
    EXPECT_EQ(scales.tax, ShippedTaxScale(1));
    EXPECT_EQ(scales.duty, StartupDutyScale());
    EXPECT_TRUE(doc.Address.empty());
    EXPECT_EQ(doc.Price, 0);
    EXPECT_EQ(doc.Rent, 0);
    EXPECT_EQ(doc.Conveyancing, 950);
    EXPECT_EQ(doc.DepBuildMethod, 1);
    // Every other input as a record built with the built-in values.
    EXPECT_EQ(SaveToString(doc, scales), SaveToString(Investment{}, scales));
    // No price: conveyancing does not count, so nothing is projected.
    EXPECT_EQ(doc.TotalCost, 0);
    EXPECT_EQ(doc.table, Investment::Table{});
    EXPECT_EQ(doc.IRR, 0);
    EXPECT_EQ(doc.NPV, 0);
    EXPECT_EQ(doc.AvgCashFlowWeek, 0);
}

TEST_F(Settings, StoredDefaultsAreLimitedBeforeUse) {
    WriteSettingInt(store, "ShowYear", 0);
    WriteSettingInt(store, "ProjectionYear", 1000);
    WriteSettingInt(store, "LCYears", -4);
    WriteSettingInt(store, "NamesOnTitle", 7);
    WriteSettingInt(store, "DepBuildMethod", 2);
    WriteSettingInt(store, "CalcDeposit", 5);
    store.WriteString(kSectionSettingsFile, "RateGrowth", "lots");
    store.WriteString(kSectionSettingsFile, "StampDuty", "99,");
    Investment doc;
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    EXPECT_EQ(doc.ShowYear, 1);
    EXPECT_EQ(doc.ProjectionYear, 40);
    EXPECT_EQ(doc.LCYears, 1);
    EXPECT_EQ(doc.NamesOnTitle, 1);
    EXPECT_EQ(doc.DepBuildMethod, 0);
    EXPECT_EQ(doc.CalcDeposit, 1);
    EXPECT_EQ(doc.RateGrowth, 4.5); // no number: the built-in value
    EXPECT_EQ(scales.duty.Count, 10);
}

} // namespace

namespace {

TEST_F(Settings, ANewInvestmentTakesTheRememberedAssumptions) {
    store.WriteString(kSectionSettingsFile, "SellingCostsPC", "3.30");
    store.WriteString(kSectionSettingsFile, "CGTDiscountPC", "no number");
    Investment doc;
    NewInvestment(doc, scales, store);
    EXPECT_EQ(doc.SellingCostsPC, 3.3);
    EXPECT_EQ(doc.CGTDiscountPC, 50.0);
    // Beyond its range the store's value is limited, as a file's is.
    store.WriteString(kSectionSettingsFile, "SellingCostsPC", "-4.00");
    NewInvestment(doc, scales, store);
    EXPECT_EQ(doc.SellingCostsPC, 0.0);
    // The rate's changes, as a list; one that cannot be read gives none.
    store.WriteString(kSectionSettingsFile, "RateSteps", "5:6.5;2:7");
    NewInvestment(doc, scales, store);
    EXPECT_EQ(doc.RateSteps, (std::vector<RateStep>{{2, 7}, {5, 6.5}}));
    store.WriteString(kSectionSettingsFile, "RateSteps", "2:seven");
    NewInvestment(doc, scales, store);
    EXPECT_TRUE(doc.RateSteps.empty());
    // The land tax State is remembered; a land value in the store is not taken.
    store.WriteString(kSectionSettingsFile, "LandTaxState", "3");
    store.WriteString(kSectionSettingsFile, "LandValue", "400000.00");
    NewInvestment(doc, scales, store);
    EXPECT_EQ(doc.LandTaxState, 3);
    EXPECT_EQ(doc.LandValue, 0.0);
}

} // namespace
