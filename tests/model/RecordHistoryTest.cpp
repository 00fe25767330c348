// The comparison behind Undo: every field of the record counts.
#include <gtest/gtest.h>

#include "model/RecordHistory.h"
#include "tests/model/WorkedExample.h"

namespace {

struct HistoryTest : ::testing::Test {
    CVELPPCDoc doc;
    HistoryTest() { SetUpWorkedExample(doc); }
};

} // namespace

// A change to the law's inputs alone is a change: the comparison behind Undo and the unmarked-
// change check sees every field, the ones added with the law included.
TEST_F(HistoryTest, AChangeToTheLawAloneIsSeen) {
    for (auto change : {+[](CVELPPCDoc& d) { d.TaxLaw = 1; }, +[](CVELPPCDoc& d) { d.PurchaseYear = 2030; },
                        +[](CVELPPCDoc& d) { d.BrightLineYears = 5; },
                        +[](CVELPPCDoc& d) { d.IncomeYearByYear[39] = 2065; }}) {
        CVELPPCDoc changed = doc;
        change(changed);
        EXPECT_FALSE(SameFields(doc, changed));
    }
}
