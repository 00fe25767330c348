// Starts Pocket VEL the way velppc does, on the file named on the command line, and exits as
// soon as the summary has been painted for the first time. It prints the wall-clock time of
// that first paint (nanoseconds since the epoch) and the peak resident memory up to then, so
// that bench/startup.sh can measure from process start to the first painted summary.
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "ui/charts/Charts.h"
#include "ui/colours/PrefColours.h"
#include "ui/dialogs/EditItem.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/VELPPCApp.h"
#include "ui/shell/VELPPCView.h"
#include "ui/workspace/Workspace.h"

namespace {

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* viewport) : viewport_(viewport) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == viewport_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report once this paint has been handled.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("first_paint_ns %lld\npeak_rss_kib %ld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now)
                                    .count()),
                            PeakResidentKiB());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget* viewport_;
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallDialogHooks();
    InstallChartHooks();
    InstallColourHooks();
    InstallWorkspaceHooks();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CVELPPCApp app;
    if (!app.InitInstance(arguments)) return 1;
    QWidget* viewport = app.MainFrame()->View()->viewport();
    FirstPaint probe(viewport);
    viewport->installEventFilter(&probe);
    viewport->update();
    return QApplication::exec();
}
