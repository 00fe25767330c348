// The comparison behind Undo: every field of the record counts.
#include <gtest/gtest.h>

#include "model/RecordHistory.h"
#include "tests/model/WorkedExample.h"

namespace {

struct HistoryTest : ::testing::Test {
    Investment doc;
    HistoryTest() { SetUpWorkedExample(doc); }
};

} // namespace

// A change to the law's inputs alone is a change: the comparison behind Undo and the unmarked-
// change check sees every field, the ones added with the law included.
TEST_F(HistoryTest, AChangeToTheLawAloneIsSeen) {
    for (auto change : {+[](Investment& d) { d.TaxLaw = 1; }, +[](Investment& d) { d.PurchaseYear = 2030; },
                        +[](Investment& d) { d.BrightLineYears = 5; },
                        +[](Investment& d) { d.IncomeYearByYear[39] = 2065; }}) {
        Investment changed = doc;
        change(changed);
        EXPECT_FALSE(SameFields(doc, changed));
    }
}
