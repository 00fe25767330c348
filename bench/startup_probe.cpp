// Starts Pocket VEL the way velppc does, on the file named on the command line, and exits as
// soon as the summary and the pane beside it have been painted for the first time. It prints
// the wall-clock time of that paint (nanoseconds since the epoch) and the peak resident memory
// up to then, so that bench/startup.sh can measure from process start to the first painted
// workspace.
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/charts/Charts.h"
#include "ui/colours/PrefColours.h"
#include "ui/dialogs/EditItem.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/VELPPCApp.h"
#include "ui/shell/VELPPCView.h"
#include "ui/workspace/ProjectionTable.h"
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
    explicit FirstPaint(std::vector<QWidget*> widgets) : waiting_(std::move(widgets)) {
        for (QWidget* w : waiting_) w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const auto it = std::find(waiting_.begin(), waiting_.end(), watched);
        if (it == waiting_.end()) return false;
        waiting_.erase(it);
        if (waiting_.empty()) {
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
    std::vector<QWidget*> waiting_;
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
    std::vector<QWidget*> widgets = {viewport};
    if (auto* pane = dynamic_cast<Workspace*>(app.MainFrame()->Pane()))
        widgets.push_back(pane->Table()->viewport());
    FirstPaint probe(widgets);
    for (QWidget* w : widgets) w->update();
    return QApplication::exec();
}
