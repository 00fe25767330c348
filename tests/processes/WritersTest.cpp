// Two copies of the program writing settings at the same moment, and a copy killed at a
// random moment of a save or of a settings write: real child processes (vel_stress_writer)
// writing through the program's own code. Rounds come from VEL_WRITER_ROUNDS and
// VEL_KILL_ROUNDS for longer runs.
#include <QSettings>
#include <QString>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "tests/helpers/StressSettings.h"
#include "tests/processes/ChildProcess.h"
#include "tests/support/TestFiles.h"
#include "ui/shell/QtSettingsStore.h"

namespace {

const std::string kWriter = VEL_STRESS_WRITER;

// "done KEY VALUE" lines and "bad ..." lines of a writer's output.
void ReadOutput(ChildProcess& child, std::map<std::string, int>& last, std::vector<std::string>& bad,
                int* newest = nullptr) {
    std::string line;
    while (child.ReadLine(line)) {
        std::istringstream in(line);
        std::string word, key;
        int value = -1;
        in >> word;
        if (word == "done" && (in >> key >> value)) {
            last[key] = value;
            if (newest) *newest = value;
        } else if (word != "ready") {
            bad.push_back(line);
        }
    }
}

// Read from a copy under a name never used before: Qt keeps a file it has read in memory while
// its size and time look unchanged, and a writer's next file can match both within a
// millisecond.
int ValueOf(const std::filesystem::path& file, const std::string& key, bool* sound) {
    static int reads = 0;
    *sound = true;
    if (!std::filesystem::exists(file)) return -1;
    const std::filesystem::path copy = file.string() + ".read" + std::to_string(++reads);
    std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
    const QString path = QString::fromStdString(copy.string());
    *sound = SoundSettingsFile(path);
    int value = -1;
    {
        QSettings settings(path, QSettings::IniFormat);
        bool ok = false;
        value = settings.value(QString::fromStdString("Stress/" + key)).toInt(&ok);
        if (!ok) value = -1;
    }
    std::filesystem::remove(copy);
    return value;
}

} // namespace

// Both write eight values of their own and do "Save Settings" every round, one accepts the
// colour preferences as well, and both read the whole file afresh every round. At the end the
// file holds the last value of every key that either wrote, and no read ever met a damaged
// file.
TEST(TwoCopies, SettingsWrittenAtOnceAreAllKept) {
    const auto dir = FreshTestFolder("vel-two-copies");
    const std::string file = (dir / "VELPPC.conf").string();
    const int rounds = Rounds("VEL_WRITER_ROUNDS", 40);
    ChildProcess a({kWriter, "settings", file, "a", std::to_string(rounds), "save-settings"});
    ChildProcess b({kWriter, "settings", file, "b", std::to_string(rounds), "save-settings",
                    "colours"});
    ASSERT_TRUE(a.Started() && b.Started());
    std::map<std::string, int> last;
    std::vector<std::string> bad;
    std::thread readA([&] {
        std::map<std::string, int> mine;
        std::vector<std::string> wrong;
        ReadOutput(a, mine, wrong);
        last.insert(mine.begin(), mine.end());
        bad.insert(bad.end(), wrong.begin(), wrong.end());
    });
    std::map<std::string, int> lastB;
    std::vector<std::string> badB;
    ReadOutput(b, lastB, badB);
    readA.join();
    EXPECT_EQ(a.Wait(), 0);
    EXPECT_EQ(b.Wait(), 0);
    last.insert(lastB.begin(), lastB.end());
    bad.insert(bad.end(), badB.begin(), badB.end());
    EXPECT_EQ(bad, std::vector<std::string>{});

    ASSERT_EQ(last.size(), 16u);
    int lost = 0;
    for (const auto& [key, value] : last) {
        // The last value of key k is the last round i < rounds with i % 8 == k.
        const int k = key[1] - '0';
        EXPECT_EQ(value, (rounds - 1 - k) / 8 * 8 + k) << key;
        bool sound = false;
        const int onDisk = ValueOf(file, key, &sound);
        EXPECT_TRUE(sound);
        if (onDisk != value) ++lost;
        EXPECT_EQ(onDisk, value) << key;
    }
    EXPECT_EQ(lost, 0);
    // "Save Settings" of the last round is there whole (both wrote the same), and so are the
    // colours.
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Settings/BG1Color").toInt(), rounds - 1);
    EXPECT_EQ(settings.value("Settings/GR1Color").toInt(), 0xFF0000);
    EXPECT_EQ(settings.value("SettingsFile/RateInterest").toString(),
              QString::number(StressRate(rounds - 1), 'f', 2));
    EXPECT_EQ(settings.value("SettingsFile/Conveyancing").toString(),
              QString::number(StressConveyancing(rounds - 1), 'f', 2));
    EXPECT_EQ(settings.value("SettingsFile/LCYears").toInt(), 5);
    std::filesystem::remove_all(dir);
}

// "Save Settings" in one copy counts for the next new investment of a copy already running.
TEST(TwoCopies, NewInvestmentTakesWhatTheOtherCopySaved) {
    const auto dir = FreshTestFolder("vel-other-copy");
    const QString file = QString::fromStdString((dir / "VELPPC.conf").string());
    QtSettingsStore store(file);
    store.WriteInt("Stress", "mine", 1);
    for (const int rounds : {3, 7}) {
        ChildProcess other({kWriter, "settings", file.toStdString(), "o", std::to_string(rounds),
                            "save-settings"});
        ASSERT_TRUE(other.Started());
        std::map<std::string, int> last;
        std::vector<std::string> bad;
        ReadOutput(other, last, bad);
        ASSERT_EQ(other.Wait(), 0);
        Investment doc;
        Scales scales;
        ASSERT_TRUE(NewInvestment(doc, scales, store));
        EXPECT_EQ(doc.RateInterest, StressRate(rounds - 1));
        EXPECT_EQ(doc.Conveyancing, StressConveyancing(rounds - 1));
        // And a write here keeps what the other copy wrote.
        store.WriteInt("Stress", "mine", rounds);
        bool sound = false;
        EXPECT_EQ(ValueOf(dir / "VELPPC.conf", "o" + std::to_string((rounds - 1) % 8), &sound),
                  rounds - 1);
        EXPECT_TRUE(sound);
        EXPECT_EQ(ValueOf(dir / "VELPPC.conf", "mine", &sound), rounds);
    }
    std::filesystem::remove_all(dir);
}

// Killed at a random moment of a save, again and again: the file is always the old bytes or
// the new ones, whole. (The unfinished new file of a killed save can stay beside it, hidden
// under the file's name, until the next save; nothing else in the folder changes.)
TEST(KilledWriter, SaveLeavesTheOldFileOrTheNewOne) {
    const auto dir = FreshTestFolder("vel-killed-save");
    // Two investments' worth of bytes of different lengths and patterns, so that a mix or a
    // truncation of either is neither of them.
    std::string oldBytes(48 * 1024, '\0'), newBytes(80 * 1024, '\0');
    for (std::size_t i = 0; i < oldBytes.size(); ++i) oldBytes[i] = static_cast<char>('a' + i % 23);
    for (std::size_t i = 0; i < newBytes.size(); ++i) newBytes[i] = static_cast<char>('A' + i % 19);
    const auto oldPath = dir / "old", newPath = dir / "new", target = dir / "investment.vel";
    std::ofstream(oldPath, std::ios::binary) << oldBytes;
    std::ofstream(newPath, std::ios::binary) << newBytes;
    std::ofstream(target, std::ios::binary) << oldBytes;

    const int rounds = Rounds("VEL_KILL_ROUNDS", 100);
    std::mt19937 random(21);
    std::uniform_int_distribution<int> micros(0, 3000);
    int damaged = 0, olds = 0, news = 0;
    for (int round = 0; round < rounds; ++round) {
        ChildProcess child({kWriter, "save", target.string(), oldPath.string(), newPath.string()});
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.KillWhenRunning(micros(random)));
        child.Wait();
        const std::string now = Slurp(target);
        if (now == oldBytes) ++olds;
        else if (now == newBytes) ++news;
        else ++damaged;
    }
    EXPECT_EQ(damaged, 0);
    // Kills landed in both halves of the loop.
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);
    // A killed save leaves its hidden temporary file; the next save removes it, so at most the
    // last round's is left.
    int others = 0, leftovers = 0;
    for (const std::string& name : Listing(dir)) {
        if (name.rfind(".investment.vel.part-", 0) == 0) ++leftovers;
        else if (name != "new" && name != "old" && name != "investment.vel") ++others;
    }
    EXPECT_EQ(others, 0);
    EXPECT_LE(leftovers, 1);
    EXPECT_EQ(Slurp(oldPath), oldBytes);
    EXPECT_EQ(Slurp(newPath), newBytes);
    std::filesystem::remove_all(dir);
}

// Killed at a random moment while writing settings: the file always reads whole, "Save
// Settings" is in it whole or not at all, and every value the writer finished is there (or
// the one it was writing when it was killed).
TEST(KilledWriter, SettingsKeepEveryFinishedValue) {
    const auto dir = FreshTestFolder("vel-killed-settings");
    const std::string file = (dir / "VELPPC.conf").string();
    std::mt19937 random(4);
    std::uniform_int_distribution<int> micros(0, 20000);
    const int rounds = Rounds("VEL_KILL_ROUNDS", 50);
    std::map<std::string, int> last;
    int damaged = 0, lost = 0;
    for (int round = 0; round < rounds; ++round) {
        ChildProcess child({kWriter, "settings", file, "k", "1000000", "save-settings"});
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.KillWhenRunning(micros(random)));
        std::map<std::string, int> done;
        std::vector<std::string> bad;
        int newest = -1;
        ReadOutput(child, done, bad, &newest);
        child.Wait();
        EXPECT_EQ(bad, std::vector<std::string>{});
        for (const auto& [key, value] : done) last[key] = value;
        for (auto& [key, value] : last) {
            bool sound = false;
            const int onDisk = ValueOf(file, key, &sound);
            if (!sound) ++damaged;
            // The write after the newest reported one may have finished before the kill; then
            // it is the value the later rounds must find.
            const bool inFlight = onDisk == newest + 1 && onDisk % 8 == key[1] - '0';
            if (inFlight) value = onDisk;
            else if (onDisk != value) ++lost;
        }
    }
    EXPECT_EQ(damaged, 0);
    EXPECT_EQ(lost, 0);
    std::filesystem::remove_all(dir);
}
