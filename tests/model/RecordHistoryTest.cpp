// Undo and redo of the record: the state comes back whole, and the modified mark follows the
// way back to the state last saved.
#include <gtest/gtest.h>

#include <malloc.h>

#include "model/RecordHistory.h"
#include "tests/model/WorkedExample.h"

namespace {

struct HistoryTest : ::testing::Test {
    Scales scales;
    CVELPPCDoc doc;
    RecordHistory history;
    int redraws = 0;

    HistoryTest() {
        SetUpWorkedExample(doc);
        doc.onUpdateAllViews = [this] { ++redraws; };
    }

    // An accepted editor: a new price, recalculated and marked changed.
    void Change(double price) {
        RecordState before = RecordState::Capture(doc, scales);
        doc.Price = doc.MarketValue = price;
        doc.Recalculate(true, scales);
        history.Record("Property Value", std::move(before), RecordState::Capture(doc, scales));
    }
};

} // namespace

TEST_F(HistoryTest, UndoRestoresEveryFieldAndTheScalesAndRedrawsOnce) {
    const RecordState start = RecordState::Capture(doc, scales);
    RecordState before = start;
    scales.duty = ShippedDutyScale(3);
    doc.Recalculate(true, scales);
    history.Record("Stamp Duty", std::move(before), RecordState::Capture(doc, scales));
    EXPECT_NE(doc.StampDutyCost, 8975); // SA's duty, not Qld's
    redraws = 0;
    ASSERT_TRUE(history.Undo(doc, scales));
    EXPECT_TRUE(RecordState::Capture(doc, scales) == start);
    EXPECT_EQ(doc.StampDutyCost, 8975); // the worked example's duty under the Qld scale
    EXPECT_EQ(scales.duty.Location, 0);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(history.RedoName(), "Stamp Duty");
    EXPECT_FALSE(history.Undo(doc, scales));
}

TEST_F(HistoryTest, ModifiedMarkFollowsTheSavedState) {
    struct Step {
        char action; // c: change, s: save, u: undo, r: redo
        bool modified;
    };
    const Step steps[] = {{'c', true},  {'c', true},  {'s', false}, {'u', true},
                          {'r', false}, {'u', true},  {'u', true},  {'r', true},
                          {'r', false}, {'u', true},  {'c', true},  {'u', true},
                          {'u', true}};
    double price = 300000;
    int index = 0;
    for (const Step& s : steps) {
        switch (s.action) {
        case 'c': Change(price += 10000); break;
        case 's':
            doc.SetModifiedFlag(false);
            history.MarkSaved();
            break;
        case 'u': history.Undo(doc, scales); break;
        case 'r': history.Redo(doc, scales); break;
        }
        EXPECT_EQ(doc.IsModified(), s.modified) << "step " << index;
        ++index;
    }
}

TEST_F(HistoryTest, OnlyTheLastHundredStepsAreKept) {
    for (int i = 1; i <= 105; ++i) Change(300000 + i * 1000);
    EXPECT_EQ(history.Size(), RecordHistory::kMaxSteps);
    while (history.Undo(doc, scales)) {
    }
    // Back as far as it goes: the price after the fifth change, and not the saved state.
    EXPECT_EQ(doc.Price, 305000);
    EXPECT_TRUE(doc.IsModified());
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.AtSavedState());
}

// A hundred steps that never touch the texts keep one copy of them: texts of 3 × 64 KB would
// otherwise take 2 × 100 × 192 KB = 38 MB. The heap in use is counted by glibc, which the
// sanitizers replace.
TEST_F(HistoryTest, StepsShareTextsTheyDidNotChange) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' heap is not counted";
#else
    doc.Address.assign(32767, u'a');
    doc.Description.assign(32767, u'b');
    doc.Notes.assign(32767, u'c');
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100; ++i) Change(300000 + i);
    const std::size_t grown = mallinfo2().uordblks - before;
    // Each step's two records without texts, a few kilobytes each; the texts once.
    EXPECT_LT(grown, 4u << 20) << grown;
    // The texts still come back whole with every step.
    doc.Notes = u"changed";
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(history.Undo(doc, scales));
    EXPECT_EQ(doc.Notes, std::u16string(32767, u'c'));
    EXPECT_EQ(doc.Price, 300000);
#endif
}

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
