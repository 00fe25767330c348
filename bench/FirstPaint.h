// The start-up probes' watch: once every widget given has been painted, prints the time since
// the exec (read from VEL_LAUNCH_NS, which vel_launch sets) and the peak resident memory up to
// then, and ends the event loop.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

inline long PeakResidentKiB() {
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
                const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count();
                const char* start = std::getenv("VEL_LAUNCH_NS");
                std::printf("startup_ns %lld\npeak_rss_kib %ld\n",
                            now - (start ? std::atoll(start) : now), PeakResidentKiB());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    std::vector<QWidget*> waiting_;
};
