// The sale as the user meets it: the sheet "Assumptions" from the Settings menu and from the
// "Sale" tab, with live figures, undo and remembered defaults, and a file whose extension
// block is damaged.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include "persist/Settings.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "tests/ui/workspace/WorkedExampleFrame.h"
#include "ui/dialogs/AssumptionEditors.h"
#include "ui/dialogs/EditItem.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/workspace/SaleTab.h"
#include "ui/workspace/Workspace.h"

namespace {

QString FigureText(QDialog& d, int id) { return ControlOf<QLabel>(d, id)->text(); }

// Clicks the sheet's tab of this name, as the user does to reach a page after the first.
void ShowPage(QDialog& d, const QString& name) {
    auto* tabs = d.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i).remove(QLatin1Char('&')) == name) tabs->setCurrentIndex(i);
    ASSERT_EQ(tabs->tabText(tabs->currentIndex()).remove(QLatin1Char('&')), name);
}

struct SaleFrame : WorkedExampleFrame {
    SaleTab* Tab() { return dynamic_cast<Workspace*>(frame->Pane())->Sale(); }
};

// The worked example held ten years (figures worked out apart from the program).
TEST_F(SaleFrame, SheetShowsTheSaleLiveAndOkKeepsItWithUndoAndDefaults) {
    QString before, after;
    OnNextDialog([&](QDialog& d) {
        // The sheet opens on "Purchase and Law".
        ShowPage(d, QStringLiteral("Sale"));
        before = FigureText(d, SaleAssumptions::kSaleTax) + " " +
                 FigureText(d, SaleAssumptions::kValueAfter);
        Retype(ControlOf<QLineEdit>(d, SaleAssumptions::kSellingCosts), QStringLiteral("3"));
        Retype(ControlOf<QLineEdit>(d, SaleAssumptions::kDiscount), QStringLiteral("33"));
        ClickLikeUser(RecalculateOf(d));
        after = FigureText(d, SaleAssumptions::kSaleCosts) + " " +
                FigureText(d, SaleAssumptions::kSaleTax) + " " +
                FigureText(d, SaleAssumptions::kIRRAfter);
        OkButton(d)->click();
    });
    frame->Action("Assumptions")->trigger();
    EXPECT_EQ(before, "$35,844 $119,554");
    EXPECT_EQ(after, "$13,977 $49,345 6.58%");

    Investment& doc = frame->Document();
    EXPECT_EQ(doc.SellingCostsPC, 3.0);
    EXPECT_EQ(doc.CGTDiscountPC, 33.0);
    EXPECT_EQ(Tab()->AfterSale(SaleTab::kSaleTax), "$49,345");
    EXPECT_EQ(Tab()->IfKept(SaleTab::kIRR), "13.86%");
    EXPECT_EQ(ReadSettingDouble(store, "SellingCostsPC", -1), 3.0);
    EXPECT_EQ(ReadSettingDouble(store, "CGTDiscountPC", -1), 33.0);

    EXPECT_EQ(frame->Action("Undo")->text(), "&Undo Assumptions");
    frame->Action("Undo")->trigger();
    EXPECT_EQ(doc.SellingCostsPC, 2.5);
    EXPECT_EQ(Tab()->AfterSale(SaleTab::kValueAfter), "$119,554");
    EXPECT_EQ(ReadSettingDouble(store, "SellingCostsPC", -1), 3.0); // defaults stay
}

TEST_F(SaleFrame, TheSaleTabOpensTheSheetAndCancelChangesNothing) {
    bool opened = false;
    OnNextDialog([&](QDialog& d) {
        opened = d.windowTitle() == "Assumptions";
        Retype(ControlOf<QLineEdit>(d, SaleAssumptions::kSellingCosts), QStringLiteral("9"));
        CancelButton(d)->click();
    });
    auto* pane = dynamic_cast<Workspace*>(frame->Pane());
    pane->ShowPage(Tab());
    frame->show();
    auto* button = Tab()->findChild<QPushButton*>(QStringLiteral("SaleAssumptions"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(frame->Document().SellingCostsPC, 2.5);
    EXPECT_FALSE(frame->Action("Undo")->isEnabled());
    EXPECT_EQ(ReadSettingDouble(store, "SellingCostsPC", -1), -1.0);
}

TEST_F(SaleFrame, OkLimitsARateBeyondItsRange) {
    OnNextDialog([&](QDialog& d) {
        ShowPage(d, QStringLiteral("Sale"));
        Retype(ControlOf<QLineEdit>(d, SaleAssumptions::kDiscount), QStringLiteral("150"));
        OkButton(d)->click();
    });
    frame->Action("Assumptions")->trigger();
    EXPECT_EQ(frame->Document().CGTDiscountPC, 100.0);
    EXPECT_EQ(frame->Document().TaxableGain, 0.0);
}

TEST_F(SaleFrame, ADamagedBlockOpensWithTheDefaultsAndOneMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.vel"));
    {
        std::ifstream in(VEL_SOURCE_DIR "/examples/worked-example-interest-only.vel", std::ios::binary);
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << in.rdbuf() << std::string("VELX\x01\x00\x40\x00\x00\x00", 10); // length past the end
    }
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    EXPECT_EQ(frame->Document().SellingCostsPC, 2.5);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("damaged.vel"))) << ui.messages[0].toStdString();
    EXPECT_EQ(frame->Document().Price, 300000);
}

} // namespace
