// The "Risk" tab as the user meets it: it runs when shown, the newest edit wins, a long run
// shows its progress and can be cancelled while the window keeps answering, and the record
// is left alone.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/ui/workspace/WorkedExampleFrame.h"
#include "ui/workspace/RiskTab.h"

namespace {

struct RiskFrame : WorkedExampleFrame {
    RiskTab* Tab() { return dynamic_cast<Workspace*>(frame->Pane())->Risk(); }
    void ShowTab() {
        frame->setGeometry(0, 0, 1200, 760);
        frame->show();
        auto* tabs = dynamic_cast<Workspace*>(frame->Pane());
        tabs->ShowPage(Tab());
    }
    // Runs the event loop until the tab's run ends (or 60 s pass).
    bool WaitForRun() {
        QElapsedTimer clock;
        clock.start();
        bool ended = false;
        auto c = QObject::connect(Tab(), &RiskTab::RunEnded, [&] { ended = true; });
        while (!ended && clock.elapsed() < 60000) QApplication::processEvents(QEventLoop::AllEvents, 20);
        QObject::disconnect(c);
        return ended;
    }
};

TEST_F(RiskFrame, RunsWhenShownAndTheNewestEditWins) {
    Investment& doc = frame->Document();
    doc.Recalculate(frame->InvestmentScales());
    const Investment::Table table = doc.table;
    EXPECT_FALSE(Tab()->Results().has_value());
    ShowTab();
    ASSERT_TRUE(WaitForRun());
    ASSERT_TRUE(Tab()->Results().has_value());
    EXPECT_EQ(Tab()->Results()->paths, kDefaultRiskPaths);
    EXPECT_TRUE(Tab()->SentencesText().contains("futures the property beats the index fund after tax"));

    // Two edits in a row: only the second one's futures are shown.
    RiskParameters first, second;
    first.growthSD = 3;
    second.growthSD = 11;
    Tab()->SetParameters(first, 2000, 4);
    Tab()->SetParameters(second, 2000, 4);
    ASSERT_TRUE(WaitForRun());
    EXPECT_EQ(Tab()->Results()->parameters.growthSD, 11.0);
    EXPECT_EQ(Tab()->Results()->seed, 4u);
    EXPECT_TRUE(doc.table == table);
    // The next window starts where this one was left.
    RiskTab next(doc, frame->InvestmentScales());
    next.RememberIn(store);
    EXPECT_EQ(next.Setup().parameters.growthSD, 11.0);
    EXPECT_EQ(next.Setup().paths, 2000);
    if (const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR"); !dir.isEmpty()) {
        Tab()->SetParameters(RiskParameters{}, kDefaultRiskPaths, 1);
        ASSERT_TRUE(WaitForRun());
        QDir().mkpath(dir);
        frame->grab().save(QDir(dir).filePath(QStringLiteral("workspace-risk.png")));
    }
}

// A million futures: after half a second the progress shows, the window answers its timers
// meanwhile, and Cancel stops the run and keeps the figures of the last run that finished.
TEST_F(RiskFrame, ALongRunShowsProgressAndCancels) {
    ShowTab();
    ASSERT_TRUE(WaitForRun());
    const std::int64_t before = Tab()->Results()->paths;
    Tab()->SetParameters(RiskParameters{}, kMaxRiskPaths, 2);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 900) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(Tab()->Running());
    EXPECT_TRUE(Tab()->Progress()->isVisible());
    EXPECT_GE(ticks, 8) << "the window's timers kept running";
    Tab()->Cancel();
    EXPECT_FALSE(Tab()->Running());
    EXPECT_EQ(Tab()->Results()->paths, before);
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    EXPECT_EQ(Tab()->Results()->paths, before) << "the cancelled run shows nothing";
}

} // namespace
