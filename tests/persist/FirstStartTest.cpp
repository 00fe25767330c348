// A user's first start: no defaults stored. Then new investments follow today's law.
#include <gtest/gtest.h>

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

} // namespace
