// A seeded random user of the whole program on the offscreen platform: it opens the editors,
// the sheet pages, the scale editors, the charts, the workspace tabs and the menus, types
// random and hostile text, clicks, accepts, cancels, undoes and redoes, and saves and opens
// files in a folder of its own. After every step the record must keep its promises (see
// Check). The same seed gives the same run, so that a failure replays.
#pragma once

#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/RecordHistory.h"
#include "persist/SettingsStore.h"
#include "ui/shell/Platform.h"

class MainWindow;
class QWidget;

class Monkey {
public:
    explicit Monkey(std::uint64_t seed);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Runs `events` steps; the first broken promise ends the run with its description.
    std::optional<std::string> Run(long events);
    long Event() const { return event_; }
    // What the run did: dialogs driven, acts on their widgets, files saved and opened.
    long dialogs = 0, pokes = 0, roundTrips = 0, undoChecks = 0;
    std::set<QString> dialogTitles;

    // What a step may leave behind: empty when every promise holds.
    std::string Check();

private:
    friend class MonkeyUi;
    class MonkeyUi;

    void Step();
    void RunCommand(const QString& command);
    void ClickSummary();
    void PokeWorkspace();
    void OpenMenu();
    std::string UndoToSaved();
    std::string RoundTripFiles();
    void NoteSaved();
    // Drives a modal dialog (or message box) the way a user might, then closes it.
    void DriveModal(QWidget* dialog);
    // One random act on a widget inside `root`; false when it has nothing to act on.
    bool Poke(QWidget* root);
    void Watch();
    // With VEL_MONKEY_TRACE set, every act is printed, to follow a replay.
    void Trace(const QString& what) const;

    QString HostileText();
    QString LongText(int length);
    QString SavePath();
    QString OpenPath();
    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::mt19937_64 rng_;
    long event_ = 0;
    QTemporaryDir dir_;
    MemorySettingsStore store_;
    std::unique_ptr<MonkeyUi> ui_;
    std::unique_ptr<MainWindow> frame_;
    // One watcher per level of nested dialogs: Qt never runs a timer inside its own handler.
    std::vector<std::unique_ptr<QTimer>> watchers_;
    std::vector<QPointer<QWidget>> driving_;
    std::vector<QString> files_;
    int nextFile_ = 0;
    std::optional<RecordState> saved_;
    std::string failure_;
    bool trace_ = false;
};
