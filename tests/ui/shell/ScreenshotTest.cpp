// The picture of the summary in the documentation: the worked example, drawn by the real view.
// Runs only when VEL_SCREENSHOT_DIR names the folder to write to.
#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include "model/Investment.h"
#include "persist/SettingsStore.h"
#include "ui/shell/SummaryView.h"

#include "ShellTestSupport.h"

TEST(Screenshots, Summary) {
    Scales scales;
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";

    ColoursGuard guard;
    CurrentColours = Colours{};
    MemorySettingsStore store;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.Address = u"12 Example St, Toowong";
    doc.Recalculate(scales);

    SummaryView view(doc, scales, store);
    view.resize(280, 320);
    view.show();
    const QPixmap picture = view.grab();
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_TRUE(picture.save(QDir(dir).filePath("summary.png")));
}
