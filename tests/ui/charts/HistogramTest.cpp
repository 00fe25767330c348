// The chart window on screen: title, fixed scale, painting at whatever size it has, the
// Graphics hook, and the screenshots of the worked example.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/charts/WorkedExample.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/Charts.h"
#include "ui/charts/ChartWindow.h"
#include "ui/charts/ChartKind.h"
#include "ui/shell/QPainterSurface.h"

namespace {

ColourValue Pixel(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

// Runs `check` on the modal window once it is up, then closes it.
void WhenModalOpens(std::function<void(QWidget*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            check(w);
            w->close();
        }
    });
    timer->start();
}

} // namespace

TEST(ChartWindow, TitleModalAndResizable) {
    std::vector<double> values(25, 7300);
    ChartRequest request;
    request.count = 25;
    request.series[0] = values.data();
    request.caption = "Value & Debt";
    ChartWindow window(request);
    EXPECT_EQ(window.windowTitle().toStdString(), "Value & Debt");
    EXPECT_TRUE(window.isModal());
    EXPECT_LT(window.minimumWidth(), window.maximumWidth());
    EXPECT_LT(window.minimumHeight(), window.maximumHeight());
    EXPECT_EQ(window.Scale().upper, 8000);

    // The scale was chosen on opening; later changes to the values do not move it.
    values[0] = 120000;
    window.update();
    EXPECT_EQ(window.Scale().upper, 8000);
}

TEST(ChartWindow, PaintsTheChartForItsSize) {
    const Colours saved = CurrentColours;
    CurrentColours.BG2Color = RGBColour(255, 255, 200);
    std::vector<double> values(25, 1000);
    ChartRequest request;
    request.count = 25;
    request.series[0] = values.data();
    request.colours[0] = RGBColour(0, 0, 255);
    ChartWindow window(request);

    for (auto [w, h] : {std::pair{480, 400}, std::pair{300, 250}}) {
        SCOPED_TRACE(w);
        window.resize(w, h);
        const QImage image = window.grab().toImage();
        ASSERT_EQ(image.width(), w);
        const int T = h / 10, Y = h * 6 / 10, X0 = w * 9 / 40;
        EXPECT_EQ(Pixel(image, w - 1, h - 1), RGBColour(255, 255, 200));
        EXPECT_EQ(Pixel(image, X0, T + 1), 0u);      // frame
        EXPECT_EQ(Pixel(image, X0 + 1, Y), 0u);      // time axis
        EXPECT_EQ(Pixel(image, X0 + 1, T + 1), RGBColour(255, 255, 200));
        // Inside the first bar, the checkerboard of blue and the background.
        const int x = X0 + 2, y = Y - 3;
        const ColourValue expected = ((x + y) & 1) ? RGBColour(0, 0, 255) : RGBColour(255, 255, 200);
        EXPECT_EQ(Pixel(image, x, y), expected);
    }
    CurrentColours = saved;
}

TEST(Charts, GraphicsCommandOpensTheChartModally) {
    const Investment doc = WorkedExample(0);
    const Scales scales;
    const FontSpec fonts[2] = {{}, {"Arial", 15, 700}};
    std::string title;
    WhenModalOpens([&](QWidget* w) { title = w->windowTitle().toStdString(); });
    ShowChart(doc, scales, ChartWhoPays, fonts, nullptr);
    EXPECT_EQ(title, "Who Pays?");

    // Charts never touch the record.
    const Investment before = doc;
    WhenModalOpens([](QWidget*) {});
    ShowChart(doc, scales, ChartRateOfReturn, fonts, nullptr);
    EXPECT_EQ(doc.table, before.table);
    EXPECT_EQ(doc.IRR, before.IRR);
}

// Writes every chart of the worked example, interest only and principal and interest, as
// PNG files when VEL_SCREENSHOT_DIR names a folder.
TEST(Screenshots, Charts) {
    Scales scales;
    const char* dir = std::getenv("VEL_SCREENSHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "VEL_SCREENSHOT_DIR not set";
    const Colours saved = CurrentColours;
    CurrentColours = Colours{};
    const FontSpec fonts[2] = {{}, {"Arial", 15, 700}};
    const std::pair<int, const char*> charts[] = {{ChartValueDebt, "value-debt"},
                                                  {ChartCashFlows, "cash-flows"},
                                                  {ChartWhoPays, "who-pays"},
                                                  {ChartBankComparison, "bank-comparison"},
                                                  {ChartRateOfReturn, "rate-of-return"}};
    for (int loanType : {0, 1}) {
        const Investment doc = WorkedExample(loanType);
        for (const auto& [command, name] : charts) {
            auto chart = BuildChart(doc, scales, command, CurrentColours);
            ASSERT_TRUE(chart);
            if (command == ChartRateOfReturn) WithoutLosses(*chart); // as the Graphics menu shows it
            ChartWindow window(chart->Request(fonts));
            window.resize(480, 400);
            const std::string file = std::string(dir) + "/chart-" + name +
                                     (loanType == 1 ? "-pi" : "") + ".png";
            EXPECT_TRUE(window.grab().save(QString::fromStdString(file))) << file;
        }
    }
    CurrentColours = saved;
}
