// A child process for the tests of two copies of the program and of a crash during a write:
// it writes through the program's own code in a loop and says on its output what it finished,
// so that the test can kill it at any moment or run two at once and check what is on disk.
//
//   vel_stress_writer save TARGET OLD NEW
//       prints "ready", then writes TARGET with the bytes of OLD and NEW in turn, for ever.
//   vel_stress_writer settings FILE TAG ROUNDS [save-settings]
//       prints "ready", then writes the int i as "Stress/TAG<i % 8>" for i = 0 .. ROUNDS-1,
//       printing "done TAG<k> i" after each; with save-settings, "Save Settings" of a new
//       investment whose interest rate is (i % 90) / 10 + 1 as well. Every round it also reads
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
#include "persist/Defaults.h"
#include "persist/Settings.h"
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

// A read of the whole file, as another copy of the program starting now would make it.
bool SoundFile(const QString& path) {
    QSettings check(path, QSettings::IniFormat);
    if (check.status() != QSettings::NoError) return false;
    const QVariant rate = check.value(QStringLiteral("SettingsFile/RateInterest"));
    if (!rate.isValid()) return true;
    bool ok = false;
    const double value = rate.toString().toDouble(&ok);
    return ok && value >= 1 && value <= 10;
}

int SettingsLoop(const char* file, const std::string& tag, int rounds, bool saveSettings) {
    const QString path = QString::fromLocal8Bit(file);
    QtSettingsStore store(path);
    CVELPPCDoc doc;
    NewInvestment(doc, store);
    std::puts("ready");
    std::fflush(stdout);
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        const std::string key = tag + std::to_string(i % 8);
        store.WriteInt("Stress", key, i);
        std::printf("done %s %d\n", key.c_str(), i);
        std::fflush(stdout);
        if (saveSettings) {
            doc.RateInterest = (i % 90) / 10.0 + 1;
            SaveSettings(store, doc);
        }
        if (!SoundFile(path)) {
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
    if (mode == "settings" && (argc == 5 || argc == 6))
        return SettingsLoop(argv[2], argv[3], std::atoi(argv[4]),
                            argc == 6 && std::string(argv[5]) == "save-settings");
    std::fputs("usage: vel_stress_writer save TARGET OLD NEW | settings FILE TAG ROUNDS "
               "[save-settings]\n",
               stderr);
    return 2;
}
