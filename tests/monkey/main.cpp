// vel_monkey --events N --seed S: N random steps of a user on the whole program, offscreen.
// A broken promise, a crash or a sanitizer report names the seed and the step, so that
// `make monkey SEED=S EVENTS=<step + 1>` replays it.
#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "tests/monkey/Monkey.h"

namespace {

const Monkey* gMonkey = nullptr;
unsigned long long gSeed = 0;

// Only async-signal-safe calls: what was running when the program died.
void OnFatalSignal(int signal) {
    char line[256];
    const long event = gMonkey ? gMonkey->Event() : -1;
    const int n = std::snprintf(line, sizeof line,
                                "\nmonkey: died (signal %d) at step %ld of seed %llu\n"
                                "replay: make monkey SEED=%llu EVENTS=%ld\n",
                                signal, event, gSeed, gSeed, event + 1);
    if (n > 0) (void)!write(STDERR_FILENO, line, static_cast<std::size_t>(n));
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char** argv) {
    long events = 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--events") == 0) events = std::atol(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0) gSeed = std::strtoull(argv[i + 1], nullptr, 10);
        else {
            std::fprintf(stderr, "usage: %s [--events N] [--seed S]\n", argv[0]);
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Beside the sanitizers' own handlers, which report first and then abort.
    for (int s : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) {
        struct sigaction old {};
        if (sigaction(s, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
            std::signal(s, OnFatalSignal);
    }
    // The offscreen platform's notes on what it cannot do are no news.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtDebugMsg || text.startsWith(QStringLiteral("This plugin does not support")))
            return;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication application(argc, argv);
    std::printf("monkey: seed %llu, %ld steps\n", gSeed, events);
    std::fflush(stdout);
    Monkey monkey(gSeed);
    gMonkey = &monkey;
    const auto failure = monkey.Run(events);
    gMonkey = nullptr;
    if (failure) {
        std::fprintf(stderr, "monkey: %s\n  at step %ld of seed %llu\nreplay: make monkey SEED=%llu EVENTS=%ld\n",
                     failure->c_str(), monkey.Event(), gSeed, gSeed, monkey.Event() + 1);
        return 1;
    }
    std::printf("monkey: %ld steps of seed %llu, every check held (%ld dialogs of %zu kinds, "
                "%ld acts in them, %ld save-open-save rounds, %ld undos back to a saved "
                "state)\n",
                events, gSeed, monkey.dialogs, monkey.dialogTitles.size(), monkey.pokes,
                monkey.roundTrips, monkey.undoChecks);
    if (qEnvironmentVariableIsSet("VEL_MONKEY_TITLES"))
        for (const QString& title : monkey.dialogTitles) std::printf("  %s\n", qPrintable(title));
    return 0;
}
