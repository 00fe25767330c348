// Undo and redo of the record: the state comes back whole, and the modified mark follows the
// way back to the state last saved.
#include <gtest/gtest.h>

#include "model/RecordHistory.h"
#include "tests/model/WorkedExample.h"

namespace {

struct HistoryTest : ::testing::Test {
    CVELPPCDoc doc;
    RecordHistory history;
    int redraws = 0;

    HistoryTest() {
        ResetScalesToStartup();
        SetUpWorkedExample(doc);
        doc.onUpdateAllViews = [this] { ++redraws; };
    }
    ~HistoryTest() override { ResetScalesToStartup(); }

    // An accepted editor: a new price, recalculated and marked changed.
    void Change(double price) {
        RecordState before = RecordState::Capture(doc);
        doc.Price = doc.MarketValue = price;
        doc.Recalculate(true);
        history.Record("Property Value", std::move(before), RecordState::Capture(doc));
    }
};

} // namespace

TEST_F(HistoryTest, UndoRestoresEveryFieldAndTheScalesAndRedrawsOnce) {
    const RecordState start = RecordState::Capture(doc);
    RecordState before = start;
    CurrentDutyScale = ShippedDutyScale(3);
    doc.Recalculate(true);
    history.Record("Stamp Duty", std::move(before), RecordState::Capture(doc));
    EXPECT_NE(doc.StampDutyCost, 8975); // SA's duty, not Qld's
    redraws = 0;
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_TRUE(RecordState::Capture(doc) == start);
    EXPECT_EQ(doc.StampDutyCost, 8975); // the worked example's duty under the Qld scale
    EXPECT_EQ(CurrentDutyScale.Location, 0);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(history.RedoName(), "Stamp Duty");
    EXPECT_FALSE(history.Undo(doc));
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
        case 'u': history.Undo(doc); break;
        case 'r': history.Redo(doc); break;
        }
        EXPECT_EQ(doc.IsModified(), s.modified) << "step " << index;
        ++index;
    }
}

TEST_F(HistoryTest, OnlyTheLastHundredStepsAreKept) {
    for (int i = 1; i <= 105; ++i) Change(300000 + i * 1000);
    EXPECT_EQ(history.Size(), RecordHistory::kMaxSteps);
    while (history.Undo(doc)) {
    }
    // Back as far as it goes: the price after the fifth change, and not the saved state.
    EXPECT_EQ(doc.Price, 305000);
    EXPECT_TRUE(doc.IsModified());
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.AtSavedState());
}
