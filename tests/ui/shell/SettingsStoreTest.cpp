// The settings file on disk: what "Save Settings" leaves in ~/.config/Orvane/VELPPC.conf, read
// back through QSettings, and how hand-edited or foreign values read.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

#include "model/Investment.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/shell/QtSettingsStore.h"
#include "ui/shell/RecentFileList.h"

#include "ShellTestSupport.h"

namespace {

// Points the user's configuration at a temporary folder for the length of a test.
class TemporaryConfigHome {
public:
    TemporaryConfigHome()
        : oldEnv_(qgetenv("XDG_CONFIG_HOME")), hadEnv_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
          oldPath_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        // QSettings keeps the folder it found first; tell it the new one.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    }
    ~TemporaryConfigHome() {
        if (hadEnv_) qputenv("XDG_CONFIG_HOME", oldEnv_);
        else qunsetenv("XDG_CONFIG_HOME");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, oldPath_);
    }
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;

    QString Path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray oldEnv_;
    bool hadEnv_;
    QString oldPath_;
};

} // namespace

TEST(QtSettingsStore, SaveSettingsLandsInTheUsersConfigFile) {
    Scales scales;
    ColoursGuard guard;
    TemporaryConfigHome home;
    const QString file = home.Path("Orvane/VELPPC.conf");
    {
        QtSettingsStore store;
        EXPECT_EQ(store.FileName(), file);
        Investment doc;
        SetUpWorkedExample(doc);
        doc.RateInterest = 8.126;
        doc.LoanType = 1;
        SaveSettings(store, doc, scales);
    }
    ASSERT_TRUE(QFile::exists(file));

    QSettings settings(QStringLiteral("Orvane"), QStringLiteral("VELPPC"));
    EXPECT_EQ(settings.value("SettingsFile/RateInterest").toString(), "8.13");
    EXPECT_EQ(settings.value("SettingsFile/Conveyancing").toString(), "950.00");
    EXPECT_EQ(settings.value("SettingsFile/LoanType").toInt(), 1);
    EXPECT_EQ(settings.value("SettingsFile/LCYears").toInt(), 5);
    EXPECT_EQ(settings.value("SettingsFile/UseSDScale").toInt(), 1);
    EXPECT_EQ(settings.value("SettingsFile/TaxScale").toString().toStdString(),
              TaxScaleToText(scales.tax));
    EXPECT_EQ(settings.value("SettingsFile/StampDuty").toString().toStdString(),
              DutyScaleToText(scales.duty));

    // Ints are plain numbers in the file, doubles texts.
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(raw.readAll());
    EXPECT_TRUE(text.contains("[SettingsFile]"));
    EXPECT_TRUE(text.contains("\nLCYears=5\n"));
    EXPECT_TRUE(text.contains("\nRateInterest=8.13\n"));

    // The next new investment starts from them.
    QtSettingsStore again;
    Investment next;
    ASSERT_TRUE(NewInvestment(next, scales, again));
    EXPECT_EQ(next.RateInterest, 8.13);
    EXPECT_EQ(next.LoanType, 1);

    DeleteSettings(again);
    QSettings after(QStringLiteral("Orvane"), QStringLiteral("VELPPC"));
    EXPECT_FALSE(after.contains("SettingsFile/RateInterest"));
    EXPECT_FALSE(after.contains("SettingsFile/TaxScale"));
}

TEST(QtSettingsStore, ValuesOfTheOtherKindAndHandEditedLists) {
    Scales scales;
    QTemporaryDir dir;
    const QString path = dir.filePath("edited.conf");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text));
        f.write("[SettingsFile]\nLCYears=7\nRateInterest=8.50\nTaxScale=5,0.00,6000.00,\n"
                "LoanTerm=lots\nEmpty=\n\n[Settings]\nBG1Color=-16777216\n");
    }
    QtSettingsStore store(path);
    EXPECT_EQ(store.ReadInt(kSectionSettingsFile, "LCYears"), 7);
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "LCYears"), "7");
    EXPECT_EQ(store.ReadInt(kSectionSettingsFile, "RateInterest"), std::nullopt);
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "RateInterest"), "8.50");
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "TaxScale"), "5,0.00,6000.00,");
    EXPECT_EQ(store.ReadInt(kSectionSettingsFile, "LoanTerm"), std::nullopt);
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "Empty"), "");
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "Missing"), std::nullopt);
    EXPECT_EQ(ReadColours(store).BG1Color, kAutomaticColour);

    // A new investment survives the bad values: built-in defaults where they do not read.
    Investment doc;
    ColoursGuard guard;
    ASSERT_TRUE(NewInvestment(doc, scales, store));
    EXPECT_EQ(doc.LoanTerm, 25);
    EXPECT_EQ(doc.LCYears, 7);

    store.WriteInt(kSectionSettingsFile, "LCYears", 3);
    store.Remove(kSectionSettingsFile, "RateInterest");
    store.WriteString(kSectionRecentFiles, "File1", "/tmp/a & b.vel");
    QSettings check(path, QSettings::IniFormat);
    EXPECT_EQ(check.value("SettingsFile/LCYears").toInt(), 3);
    EXPECT_FALSE(check.contains("SettingsFile/RateInterest"));
    EXPECT_EQ(check.value("Recent File List/File1").toString(), "/tmp/a & b.vel");
}

// A batch's writes reach the file at its end, not when the event loop next turns (QSettings
// would write them then by itself).
TEST(QtSettingsStore, ABatchWritesAtItsEndOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("batch.conf");
    QtSettingsStore store(path);
    {
        SettingsBatch batch(store);
        store.WriteString(kSectionRecentFiles, "File1", "/tmp/a.vel");
        store.WriteInt(kSectionSettingsFile, "LCYears", 4);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_FALSE(QFile::exists(path));
    }
    QSettings check(path, QSettings::IniFormat);
    EXPECT_EQ(check.value("Recent File List/File1").toString(), "/tmp/a.vel");
    EXPECT_EQ(check.value("SettingsFile/LCYears").toInt(), 4);
}

// A home whose settings cannot be written (as root a read-only folder cannot be made, so: a
// folder that is a file, a settings file that is a folder, and a file-size limit as on a full
// disk): the program goes on with
// what it was given, says once that the defaults will not be remembered, and the file on disk
// stays as it was.
TEST(QtSettingsStore, UnwritableSettingsAreToldOnceAndKeptForTheRun) {
    Scales scales;
    ColoursGuard guard;
    QTemporaryDir dir;
    QFile blocker(dir.filePath("home"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString old = QStringLiteral("[SettingsFile]\nRateInterest=6.00\nLCYears=3\n");
    const QString sized = dir.filePath("sized.conf");
    {
        QFile f(sized);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old.toUtf8());
    }
    const struct {
        QString path;
        rlim_t limit; // 0 for none
        bool fails;
    } cases[] = {{dir.filePath("fine/VELPPC.conf"), 0, false},
                 {dir.filePath("home/Orvane/VELPPC.conf"), 0, true},
                 {dir.filePath("folder.conf"), 0, true},
                 {sized, 8, true}};
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.conf"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QtSettingsStore store(c.path);
        ScriptedUi ui;
        MainWindow frame(store, ui);
        frame.StartWith({});
        SetUpWorkedExample(frame.Document());
        frame.Document().RateInterest = 8.126;
        {
            std::optional<FileSizeLimit> limit;
            if (c.limit > 0) limit.emplace(c.limit);
            frame.Action("SaveSettings")->trigger();
            frame.Action("SaveSettings")->trigger();
            WriteColours(store, CurrentColours);
        }
        EXPECT_EQ(store.WriteFailed(), c.fails);
        // The first failure is told once for the run; the second explicit save reports its
        // own failure too.
        const QStringList told = {QStringLiteral("The settings could not be saved to %1, so the "
                                                 "defaults you set will not be remembered.")
                                      .arg(c.path),
                                  QStringLiteral("The settings could not be saved to %1.").arg(c.path)};
        EXPECT_EQ(ui.messages, c.fails ? told : QStringList());
        // The run goes on with the values given.
        EXPECT_EQ(store.ReadString(kSectionSettingsFile, "RateInterest"), "8.13");
        Investment next;
        ASSERT_TRUE(NewInvestment(next, scales, store));
        EXPECT_EQ(next.RateInterest, 8.13);
        EXPECT_EQ(next.LCYears, 5);
    }
    QFile f(sized);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // nothing left beside them
}

TEST(RecentFileList, LoadSkipsEmptyAndRepeatedEntries) {
    MemorySettingsStore store;
    store.WriteString(kSectionRecentFiles, "File1", "/a/one.vel");
    store.WriteString(kSectionRecentFiles, "File2", "");
    store.WriteString(kSectionRecentFiles, "File3", "/a/one.vel");
    store.WriteString(kSectionRecentFiles, "File4", "/a/two.vel");
    store.WriteString(kSectionRecentFiles, "File5", "/a/five.vel"); // beyond the list
    RecentFileList list;
    list.Load(store);
    EXPECT_EQ(list.Files(), (QStringList{"/a/one.vel", "/a/two.vel"}));

    list.Save(store);
    EXPECT_EQ(store.ReadString(kSectionRecentFiles, "File2"), "/a/two.vel");
    EXPECT_FALSE(store.ReadString(kSectionRecentFiles, "File3").has_value());
    EXPECT_FALSE(store.ReadString(kSectionRecentFiles, "File4").has_value());
}

TEST(RecentFileList, AddMovesToTheFrontAndKeepsFour) {
    RecentFileList list;
    for (const char* f : {"/f/1.vel", "/f/2.vel", "/f/3.vel", "/f/4.vel", "/f/5.vel", "/f/3.vel"})
        list.Add(f);
    EXPECT_EQ(list.Files(), (QStringList{"/f/3.vel", "/f/5.vel", "/f/4.vel", "/f/2.vel"}));
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(list.Files(), (QStringList{"/f/3.vel", "/f/4.vel", "/f/2.vel"}));
}

TEST(RecentFileList, MenuTextNumbersAndKeepsAmpersands) {
    RecentFileList list;
    list.Add("/home/me/R&D.vel");
    EXPECT_EQ(list.MenuText(0), "&1 /home/me/R&&D.vel");
    list.Add("/very/long/folder/name/that/goes/on/and/on/and/on/for/ever/house.vel");
    const QString text = list.MenuText(0);
    EXPECT_TRUE(text.startsWith("&1 /very/"));
    EXPECT_TRUE(text.endsWith("/house.vel"));
    EXPECT_LE(text.size(), 3 + 60);
    EXPECT_EQ(list.MenuText(2), "");
}
