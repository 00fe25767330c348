// Undo through the real editors: what an accepted dialog changed comes back exactly, a
// cancelled one leaves no step, and the defaults it wrote to the store stay.
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

#include "model/RecordHistory.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/dialogs/DepositRentEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/shell/SummaryView.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/Workspace.h"

TEST(UndoDialogs, AcceptedCashDepositUndoneAndRedone) {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame(store, ui);
    const Scales& scales = frame.InvestmentScales();
    frame.StartWith({});
    SetUpWorkedExample(frame.Document());
    const RecordState start = RecordState::Capture(frame.Document(), scales);

    OnNextDialog([](QDialog& d) { CancelButton(d)->click(); });
    emit frame.View()->itemActivated(ItemCashDeposit);
    EXPECT_FALSE(frame.Action("Undo")->isEnabled());
    // OK without a change is no step and marks nothing.
    OnNextDialog([](QDialog& d) { OkButton(d)->click(); });
    emit frame.View()->itemActivated(ItemRent);
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_FALSE(frame.Action("Undo")->isEnabled());

    OnNextDialog([](QDialog& d) {
        Retype(ControlOf<QLineEdit>(d, CashDepositLogic::kCashDeposit), QStringLiteral("60,000"));
        OkButton(d)->click();
    });
    emit frame.View()->itemActivated(ItemCashDeposit);
    EXPECT_EQ(frame.Document().CashDeposit, 60000);
    EXPECT_EQ(frame.Document().CalcDeposit, 0);
    const RecordState edited = RecordState::Capture(frame.Document(), scales);
    const auto table = dynamic_cast<Workspace*>(frame.Pane())->Table();
    EXPECT_EQ(table->Model().Value(1, 1), frame.Document().At(Row::Debt, 0));
    EXPECT_EQ(frame.Action("Undo")->text(), "&Undo Cash Deposit");
    const auto log = store.log;

    frame.Action("Undo")->trigger();
    EXPECT_TRUE(RecordState::Capture(frame.Document(), scales) == start);
    EXPECT_EQ(table->Model().Value(1, 1), start.record.At(Row::Debt, 0));
    EXPECT_EQ(store.log, log); // "CalcDeposit" stays as the editor stored it
    frame.Action("Redo")->trigger();
    EXPECT_TRUE(RecordState::Capture(frame.Document(), scales) == edited);
}

TEST(UndoDialogs, AWindowLeftOffScreenComesBack) {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    WindowState far;
    far.hasGeometry = true;
    far.geometry = {9000, 7000, 9900, 7600};
    WriteWindowState(store, far);
    MainWindow frame(store, ui);
    const QRect screen = frame.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(frame.geometry().topLeft())) << frame.geometry().x();
    EXPECT_LE(frame.width(), screen.width());
}
