// A child process for the tests of two copies of the program and of a crash during a write:
// it writes through the program's own code in a loop and says on its output what it finished,
// so that the test can kill it at any moment or run two at once and check what is on disk.
//
//   vel_stress_writer save TARGET OLD NEW
//       prints "ready", then writes TARGET with the bytes of OLD and NEW in turn, for ever.
//   vel_stress_writer settings FILE TAG ROUNDS [save-settings] [colours]
//       prints "ready", then writes the int i as "Stress/TAG<i % 8>" for i = 0 .. ROUNDS-1,
//       printing "done TAG<k> i" after each; with save-settings, "Save Settings" of a new
//       investment with an interest rate of 1 + (i % 900) / 100 and conveyancing of
//       1000 + i % 900 as well (one write: the two always agree), and with colours the
//       preferences accepted with i as the first background colour. Every round it also reads
//       the file afresh and prints "bad ..." when it does not read as a sound settings file.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "tests/helpers/StressSettings.h"
#include "ui/shell/DocumentFile.h"
#include "ui/shell/QtSettingsStore.h"

namespace {

QByteArray ReadAll(const char* path) {
    QFile f(QString::fromLocal8Bit(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int SaveLoop(const char* target, const char* oldPath, const char* newPath) {
    const QByteArray bytes[2] = {ReadAll(oldPath), ReadAll(newPath)};
    const QString path = QString::fromLocal8Bit(target);
    std::puts("ready");
    std::fflush(stdout);
    for (unsigned i = 1;; ++i) {
        QString reason;
        if (!WriteFileReplacing(path, bytes[i % 2], reason)) {
            std::printf("bad %s\n", qPrintable(reason));
            return 1;
        }
    }
}

int SettingsLoop(const char* file, const std::string& tag, int rounds, bool saveSettings,
                 bool colours) {
    const QString path = QString::fromLocal8Bit(file);
    QtSettingsStore store(path);
    Investment doc;
    Scales scales;
    NewInvestment(doc, scales, store);
    std::puts("ready");
    std::fflush(stdout);
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        const std::string key = tag + std::to_string(i % 8);
        store.WriteInt("Stress", key, i);
        std::printf("done %s %d\n", key.c_str(), i);
        std::fflush(stdout);
        if (saveSettings) {
            doc.RateInterest = StressRate(i);
            doc.Conveyancing = StressConveyancing(i);
            SaveSettings(store, doc, scales);
        }
        if (colours) {
            Colours chosen;
            chosen.BG1Color = static_cast<std::uint32_t>(i);
            WriteColours(store, chosen);
        }
        if (!SoundSettingsFile(path)) {
            std::printf("bad file after %s %d\n", key.c_str(), i);
            ++failures;
        }
        std::fflush(stdout);
    }
    if (store.WriteFailed()) std::puts("bad write");
    return failures == 0 && !store.WriteFailed() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "save" && argc == 5) return SaveLoop(argv[2], argv[3], argv[4]);
    if (mode == "settings" && argc >= 5) {
        bool saveSettings = false, colours = false;
        for (int i = 5; i < argc; ++i) {
            saveSettings = saveSettings || std::string(argv[i]) == "save-settings";
            colours = colours || std::string(argv[i]) == "colours";
        }
        return SettingsLoop(argv[2], argv[3], std::atoi(argv[4]), saveSettings, colours);
    }
    std::fputs("usage: vel_stress_writer save TARGET OLD NEW | settings FILE TAG ROUNDS "
               "[save-settings] [colours]\n",
               stderr);
    return 2;
}
