// The main window at the smallest size it is made for (800 x 600), on a common laptop's screen
// and at a first start's size: every
// tab leaves the summary's lines in view at a readable width, and the first start shows every
// tab's title.
#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/shell/SummaryView.h"
#include "ui/workspace/Workspace.h"

namespace {

struct Size {
    int width, height;
};

class SmallWindowTest : public ::testing::TestWithParam<Size> {
protected:
    SmallWindowTest() : frame(store, ui) {
        frame.StartWith({});
        SetUpWorkedExample(frame.Document());
        frame.Document().Recalculate(frame.InvestmentScales());
        frame.Doc().Replaced();
    }
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame;
};

} // namespace

TEST_P(SmallWindowTest, EveryTabLeavesTheSummaryInView) {
    const Size size = GetParam();
    // 0 x 0: the size a first start asks for.
    const QSize first = frame.FirstStartSize();
    frame.setGeometry(0, 0, size.width > 0 ? size.width : first.width(),
                      size.height > 0 ? size.height : first.height());
    frame.show();
    Workspace* pane = frame.Pane();
    SummaryView* view = frame.View();
    for (int tab = 0; tab < pane->count(); ++tab) {
        pane->SetCurrentTab(tab);
        QApplication::processEvents();
        const QString pictures = qEnvironmentVariable("VEL_LAYOUT_PICTURES");
        if (!pictures.isEmpty())
            frame.grab().save(QDir(pictures).filePath(
                QStringLiteral("%1x%2-tab%3.png").arg(size.width).arg(size.height).arg(tab)));
        // The summary keeps its width (the pane scrolls instead of squeezing it) ...
        EXPECT_GE(view->width(), 300) << "tab " << tab;
        // ... and its last line, the average cash flow, shows without scrolling.
        EXPECT_GE(view->viewport()->height(), kSummaryRows * view->Summary().RowHeight())
            << "tab " << tab;
    }
    // At a first start every tab's title shows whole: the bar has room for all of them.
    if (size.width == 0) {
        const QTabBar* bar = pane->tabBar();
        EXPECT_LE(bar->sizeHint().width(), bar->width());
        EXPECT_GE(first.width(), 1100);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmallWindowTest, ::testing::Values(Size{800, 600}, Size{1366, 768}, Size{0, 0}));
