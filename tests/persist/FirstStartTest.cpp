// A user's first start: no defaults stored. Then new investments follow today's law.
#include <gtest/gtest.h>

#include "model/Investment.h"
#include "model/Law.h"
#include "persist/Defaults.h"
#include "persist/SettingsStore.h"

namespace {

TEST(FirstStart, OnlyAStoreWithoutDefaultsIsAFirstStart) {
    MemorySettingsStore store;
    EXPECT_TRUE(HoldsNoDefaults(store));
    // Colours and recent files are no defaults of new investments.
    store.WriteString(kSectionSettings, "BG1Color", "255");
    store.WriteString(kSectionRecentFiles, "File1", "/a.vel");
    EXPECT_TRUE(HoldsNoDefaults(store));
    for (const char* name : {"StampDuty", "RateInterest", "SellingCostsPC", "TaxLaw"}) {
        MemorySettingsStore held;
        held.WriteString(kSectionSettingsFile, name, "1");
        EXPECT_FALSE(HoldsNoDefaults(held)) << name;
    }
    MemorySettingsStore asInt;
    asInt.WriteInt(kSectionSettingsFile, "LoanTerm", 30);
    EXPECT_FALSE(HoldsNoDefaults(asInt));
}

TEST(FirstStart, TodaysLawWithThePurchaseThisMonth) {
    CVELPPCDoc doc;
    ApplyFirstStartLaw(doc, 2026, 12);
    EXPECT_EQ(doc.TaxLaw, kAustraliaByIncomeYear);
    EXPECT_EQ(doc.PurchaseYear, 2026);
    EXPECT_EQ(doc.PurchaseMonth, 12);
    EXPECT_EQ(doc.NewBuild, 0);
    // A clock far off still gives a date the record holds.
    ApplyFirstStartLaw(doc, 99999, 0);
    EXPECT_EQ(doc.PurchaseYear, 2200);
    EXPECT_EQ(doc.PurchaseMonth, 1);
}

} // namespace
