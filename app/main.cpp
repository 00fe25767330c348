// velppc: Pocket VEL, the analysis of one residential property investment.
#include <QApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Program.h"
#include "app/Application.h"

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// An X display given as ":N", ":N.S" or "unix:N" lives on this machine; Qt aborts when it
// cannot reach one, so look for its socket first. Other forms are left to Qt.
bool LocalDisplayMissing() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) return false;
    std::string text = display;
    if (text.rfind("unix:", 0) == 0) text = text.substr(4);
    if (text.empty() || text[0] != ':') return false;
    std::string number;
    for (std::size_t i = 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number += text[i];
    if (number.empty()) return false;
    const std::string socket = "/tmp/.X11-unix/X" + number;
    if (QFileInfo::exists(QString::fromStdString(socket))) return false;
    // Linux also offers the display in the abstract socket name space.
    if (std::FILE* sockets = std::fopen("/proc/net/unix", "r")) {
        char line[512];
        const std::string abstract = "@" + socket;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, sockets)) {
            std::string entry(line);
            while (!entry.empty() && (entry.back() == '\n' || entry.back() == ' '))
                entry.pop_back();
            found = entry.size() >= abstract.size() &&
                    entry.compare(entry.size() - abstract.size(), abstract.size(), abstract) == 0;
        }
        std::fclose(sockets);
        if (found) return false;
    }
    return true;
}

void PrintHowToRun(const char* program, const char* reason) {
    std::fprintf(stderr,
                 "velppc: %s\n"
                 "Pocket VEL is a desktop program and needs a graphical display.\n"
                 "Start it from a desktop session, or without one under a virtual X server:\n"
                 "    xvfb-run -a %s [FILE.vel]\n"
                 "or, from the source folder, xvfb-run -a make run\n",
                 reason, program);
}

} // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with an error we can report and clean up after,
    // instead of the process being killed with a part-written file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!Set("QT_QPA_PLATFORM")) {
        if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
            PrintHowToRun(argv[0], "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).");
            return 2;
        }
        if (!Set("WAYLAND_DISPLAY") && LocalDisplayMissing()) {
            PrintHowToRun(argv[0], "the display named by DISPLAY cannot be reached.");
            return 2;
        }
    }

    QApplication application(argc, argv);
    Application app;
    if (!StartProgram(app)) return 1;
    return QApplication::exec();
}
