// The pictures of the workspace in the documentation: the worked example in a first start's
// window, on the table, on a chart and on "What If". Runs only when VEL_SCREENSHOT_DIR is set.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include "tests/ui/shell/ShellTestSupport.h"
#include "app/MainWindow.h"
#include "ui/charts/ChartKind.h"
#include "ui/workspace/CompareWindow.h"
#include "ui/workspace/Workspace.h"

TEST(Screenshots, Workspace) {
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";

    ColoursGuard guard;
    CurrentColours = Colours{};
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame(store, ui);
    frame.StartWith({});
    SetUpWorkedExample(frame.Document());
    frame.Document().Address = u"12 Example St, Toowong";
    frame.Document().Recalculate(frame.InvestmentScales());
    // The views hear of the investment as they would of one opened.
    frame.Doc().NotifyChanged();
    frame.setGeometry(QRect(QPoint(0, 0), frame.FirstStartSize()));
    frame.show();
    ASSERT_TRUE(QDir().mkpath(dir));
    for (const auto& [tab, name] : {std::pair{0, "workspace.png"}, {2, "workspace-chart.png"},
                                    {6, "workspace-sale.png"}, {7, "workspace-whatif.png"}}) {
        frame.Pane()->SetCurrentTab(tab);
        QApplication::processEvents();
        ASSERT_TRUE(frame.grab().save(QDir(dir).filePath(QString::fromUtf8(name))));
    }

    // "Compare Investments..." with two of the examples beside it.
    for (const char* example : {"joint-names.vel", "worked-example-principal-and-interest.vel"})
        ui.openNames.push_back(QStringLiteral(VEL_SOURCE_DIR "/examples/") + QString::fromUtf8(example));
    frame.Action("Compare")->trigger();
    auto* compare = frame.findChild<CompareWindow*>(QStringLiteral("CompareWindow"));
    ASSERT_NE(compare, nullptr);
    ASSERT_TRUE(compare->AddFile() && compare->AddFile());
    QApplication::processEvents();
    ASSERT_TRUE(compare->grab().save(QDir(dir).filePath(QStringLiteral("compare.png"))));
}
