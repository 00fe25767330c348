// The investment document: one notice per change, undo and redo of the record and the scales
// on its stack, and the modified state following the way back to the state last saved.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <malloc.h>

#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"
#include "ui/shell/InvestmentDocument.h"

namespace {

struct DocumentTest : ::testing::Test {
    InvestmentDocument document;
    Investment& doc = document.Record();
    Scales& scales = document.InvestmentScales();
    int notices = 0;

    DocumentTest() {
        SetUpWorkedExample(doc);
        document.Replaced();
        QObject::connect(&document, &InvestmentDocument::changed, [this] { ++notices; });
    }

    // An accepted editor: a new price, recalculated and marked changed.
    void Change(double price) {
        document.Change(QStringLiteral("Property Value"), [&] {
            doc.Price = doc.MarketValue = price;
            doc.Recalculate(scales);
        });
    }
};

} // namespace

TEST_F(DocumentTest, UndoRestoresEveryFieldAndTheScalesWithOneNoticeEach) {
    const RecordState start = RecordState::Capture(doc, scales);
    document.Change(QStringLiteral("Stamp Duty"), [&] {
        scales.duty = ShippedDutyScale(3);
        doc.Recalculate(scales);
    });
    EXPECT_EQ(notices, 1);
    EXPECT_NE(doc.StampDutyCost, 8975); // SA's duty, not Qld's
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.UndoStack().undoText(), QStringLiteral("Stamp Duty"));
    document.UndoStack().undo();
    EXPECT_EQ(notices, 2);
    EXPECT_TRUE(RecordState::Capture(doc, scales) == start);
    EXPECT_EQ(doc.StampDutyCost, 8975); // the worked example's duty under the Qld scale
    EXPECT_EQ(scales.duty.Location, 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.UndoStack().redoText(), QStringLiteral("Stamp Duty"));
    EXPECT_FALSE(document.UndoStack().canUndo());
}

// A cancelled editor, and one closed with OK that changed nothing, leave no step and no mark.
TEST_F(DocumentTest, OnlyChangingEditsAreSteps) {
    document.Change(QStringLiteral("Cancelled"), [] {});
    document.Change(QStringLiteral("Unchanged"), [&] { doc.Recalculate(scales); });
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(notices, 2);
    document.Change(QStringLiteral("Rent"), [&] {
        doc.Rent += 10;
        doc.Recalculate(scales);
    });
    EXPECT_EQ(document.UndoStack().count(), 1);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, ModifiedStateFollowsTheSavedState) {
    struct Step {
        char action; // c: change, s: save, u: undo, r: redo
        bool modified;
    };
    const Step steps[] = {{'c', true},  {'c', true},  {'s', false}, {'u', true},
                          {'r', false}, {'u', true},  {'u', true},  {'r', true},
                          {'r', false}, {'u', true},  {'c', true},  {'u', true},
                          {'u', true}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.vel"));
    double price = 300000;
    int index = 0;
    for (const Step& s : steps) {
        QString failure;
        switch (s.action) {
        case 'c': Change(price += 10000); break;
        case 's': ASSERT_TRUE(document.Write(path, failure)) << failure.toStdString(); break;
        case 'u': document.UndoStack().undo(); break;
        case 'r': document.UndoStack().redo(); break;
        }
        EXPECT_EQ(document.IsModified(), s.modified) << "step " << index;
        ++index;
    }
}

// New and Open replace the investment: one notice, whether or not there were steps to drop.
TEST_F(DocumentTest, ReplacingTellsTheViewsOnce) {
    document.Replaced();
    EXPECT_EQ(notices, 1);
    Change(310000);
    document.UndoStack().undo();
    notices = 0;
    document.Replaced();
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(document.UndoStack().canRedo());
}

TEST_F(DocumentTest, OnlyTheLastHundredStepsAreKept) {
    for (int i = 1; i <= 105; ++i) Change(300000 + i * 1000);
    EXPECT_EQ(document.UndoStack().count(), 100);
    while (document.UndoStack().canUndo()) document.UndoStack().undo();
    // Back as far as it goes: the price after the fifth change, and not the saved state.
    EXPECT_EQ(doc.Price, 305000);
    EXPECT_TRUE(document.IsModified());
    document.Replaced();
    EXPECT_FALSE(document.UndoStack().canUndo());
    EXPECT_FALSE(document.IsModified());
}

// A hundred steps that never touch the texts keep one copy of them: texts of 3 × 64 KB would
// otherwise take 2 × 100 × 192 KB = 38 MB. The heap in use is counted by glibc, which the
// sanitizers replace.
TEST_F(DocumentTest, StepsShareTextsTheyDidNotChange) {
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
    for (int i = 0; i < 100; ++i) document.UndoStack().undo();
    EXPECT_EQ(doc.Notes, std::u16string(32767, u'c'));
    EXPECT_EQ(doc.Price, 300000);
#endif
}
