// The main window and the document framework: menus and tool bar, New, Open, Save, Save As,
// the save question, recent files, failed reads and writes, the Settings commands and the
// start-up.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "persist/Defaults.h"
#include "persist/InvestmentFile.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/shell/QtSettingsStore.h"
#include "model/Law.h"
#include "app/Application.h"
#include "ui/shell/SummaryView.h"

#include "ShellTestSupport.h"
#include "tests/ui/dialogs/DialogTestSupport.h"

namespace {

using Answer = DocumentUi::SaveAnswer;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct MenuEntry {
    QString text;
    QString name; // empty for a separator or a submenu
    QString shortcut;
};

std::vector<MenuEntry> Entries(const QMenu* menu) {
    std::vector<MenuEntry> out;
    for (const QAction* a : menu->actions()) {
        if (!a->isVisible()) continue;
        if (a->isSeparator()) out.push_back({QString(), QString(), QString()});
        else out.push_back({a->text(), a->objectName(), a->shortcut().toString()});
    }
    return out;
}

class FrameTest : public ::testing::Test {
protected:
    FrameTest() : frame(store, ui) {
        EXPECT_TRUE(dir.isValid());
        frame.StartWith({});
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // Saves the worked example under `name` and starts a new investment again.
    QString SaveWorkedExample(const QString& name) {
        SetUpWorkedExample(frame.Document());
        frame.Document().Address = u"1 Example St";
        ui.saveNames.push_back(Path(name));
        EXPECT_TRUE(frame.FileSaveAs());
        EXPECT_TRUE(frame.FileNew());
        return Path(name);
    }

    void Edit(double price) { AcceptPrice(frame.Doc(), price); }

    ColoursGuard guard;
    QTemporaryDir dir;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame;
};

} // namespace

// A first start (nothing stored) gets today's law and the State's duty of today; once a
// default is stored, new investments take the stored defaults as before.
TEST(FirstStart, NewInvestmentsFollowTodaysLawUntilDefaultsAreStored) {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame(store, ui);
    Scales& scales = frame.InvestmentScales();
    frame.SetFirstStartMonth(2026, 12);
    ASSERT_TRUE(frame.StartWith({}));
    EXPECT_EQ(frame.Document().TaxLaw, kAustraliaByIncomeYear);
    EXPECT_EQ(frame.Document().PurchaseYear, 2026);
    EXPECT_EQ(frame.Document().PurchaseMonth, 12);
    EXPECT_EQ(frame.Document().NewBuild, 0);
    EXPECT_EQ(scales.duty, ShippedDutyScale(FindDutyLocation("Qld 2025")));
    // December 2026 falls in the income year 2026-27.
    EXPECT_EQ(scales.tax, ShippedTaxScale(FindTaxLocation("Australia (26/27)")));
    EXPECT_FALSE(frame.Doc().IsModified());

    // Once a default is stored, New leaves the scales in force alone.
    scales = Scales{};
    store.WriteString(kSectionSettingsFile, "RateInterest", "7.00");
    ASSERT_TRUE(frame.FileNew());
    EXPECT_EQ(frame.Document().TaxLaw, kOneScaleForEveryYear);
    EXPECT_EQ(scales.duty, StartupDutyScale());
}

TEST_F(FrameTest, MenusHoldEveryEntryInOrderWithShortcuts) {
    const QList<QAction*> menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), 6);
    const QStringList titles = {"&File", "&Edit", "&View", "&Graphics", "&Settings", "&Help"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(menus[i]->text(), titles[i]);

    const auto file = Entries(menus[0]->menu());
    const std::vector<MenuEntry> expectedFile = {
        {"&New", "FileNew", "Ctrl+N"},       {"&Open...", "FileOpen", "Ctrl+O"},
        {"&Save", "FileSave", "Ctrl+S"},     {"Save &As...", "FileSaveAs", ""},
        {"&Export", "", ""},                   {"&Print...", "Print", "Ctrl+P"},
        {"Print Pre&view...", "PrintPreview", ""},
        {"&Compare Investments...", "Compare", ""},
        {"", "", ""},                          {"Recent File", "RecentFile", ""},
        {"", "", ""},                          {"E&xit", "Exit", ""}};
    ASSERT_EQ(file.size(), expectedFile.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(file[i].text, expectedFile[i].text) << i;
        EXPECT_EQ(file[i].name, expectedFile[i].name) << i;
        EXPECT_EQ(file[i].shortcut, expectedFile[i].shortcut) << i;
    }
    EXPECT_FALSE(frame.menuBar()->actions()[0]->menu()->actions()[9]->isEnabled()); // "Recent File"
    const auto exports = Entries(menus[0]->menu()->actions()[4]->menu());
    const std::vector<std::pair<QString, QString>> expectedExports = {
        {"&Report (PDF)...", "ExportReport"},
        {"&Workbook (XLSX)...", "ExportWorkbook"},
        {"&Projection (CSV)...", "ExportProjection"}};
    ASSERT_EQ(exports.size(), expectedExports.size());
    for (std::size_t i = 0; i < exports.size(); ++i) {
        EXPECT_EQ(exports[i].text, expectedExports[i].first);
        EXPECT_EQ(exports[i].name, expectedExports[i].second);
    }

    const auto graphics = Entries(menus[3]->menu());
    const std::vector<std::pair<QString, QString>> expectedGraphics = {
        {"&Property vs Cash...", "BankComparison"}, {"Internal &Rates of Return", "RateOfReturn"},
        {"&Cash Flows", "CashFlows"},              {"&Value && Debt", "ValueDebt"},
        {"&Who Pays?", "WhoPays"}};
    ASSERT_EQ(graphics.size(), expectedGraphics.size());
    for (std::size_t i = 0; i < graphics.size(); ++i) {
        EXPECT_EQ(graphics[i].text, expectedGraphics[i].first);
        EXPECT_EQ(graphics[i].name, expectedGraphics[i].second);
    }

    const auto settings = Entries(menus[4]->menu());
    const std::vector<std::pair<QString, QString>> expectedSettings = {
        {"&Preferences", "Preferences"},     {"Pro&jections", "Projections"},
        {"&Linked Variables", "LinkedVariables"}, {"Stamp &Duty", "StampDuty"},
        {"&Tax Scales", "TaxScales"},        {"&Save Settings", "SaveSettings"},
        {"D&elete settings", "DeleteSettings"}, {"", ""}, {"&Assumptions", "Assumptions"}};
    ASSERT_EQ(settings.size(), expectedSettings.size());
    for (std::size_t i = 0; i < settings.size(); ++i) {
        EXPECT_EQ(settings[i].text, expectedSettings[i].first);
        EXPECT_EQ(settings[i].name, expectedSettings[i].second);
    }

    // The desktop's own menus.
    const std::vector<MenuEntry> expectedDesktop[] = {
        {{"&Undo", "Undo", "Ctrl+Z"}, {"&Redo", "Redo", "Ctrl+Shift+Z"}, {"", "", ""},
         {"&Copy", "Copy", "Ctrl+C"}},
        {{"Zoom &In", "ZoomIn", "Ctrl++"}, {"Zoom &Out", "ZoomOut", "Ctrl+-"},
         {"&Actual Size", "ActualSize", "Ctrl+0"}, {"", "", ""},
         {"&Projection Pane", "ProjectionPane", "F9"}},
        {{"Pocket VEL &Help", "Help", "F1"}, {"&About Pocket VEL", "About", ""}},
    };
    int menu = 0;
    for (int index : {1, 2, 5}) {
        const auto entries = Entries(menus[index]->menu());
        const auto& expected = expectedDesktop[menu++];
        ASSERT_EQ(entries.size(), expected.size()) << index;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].text, expected[i].text) << index << " " << i;
            EXPECT_EQ(entries[i].name, expected[i].name) << index << " " << i;
            EXPECT_EQ(entries[i].shortcut, expected[i].shortcut) << index << " " << i;
        }
    }
}

// Within each menu every entry has its own access key, so the keyboard reaches each one.
TEST_F(FrameTest, EveryMenuEntryHasItsOwnAccessKey) {
    for (const QAction* menu : frame.menuBar()->actions()) {
        QList<QChar> keys;
        for (const QAction* a : menu->menu()->actions()) {
            // The disabled "Recent File" only says that there are none.
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
            const QString text = QString(a->text()).replace(QStringLiteral("&&"), QString());
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(at, 0) << a->text().toStdString() << " has no access key";
            const QChar key = text.at(at + 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << a->text().toStdString() << " shares its key";
            keys << key;
        }
    }
}

TEST_F(FrameTest, ToolBarAtTheTopSendsNewOpenSave) {
    const auto bars = frame.findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 1);
    EXPECT_EQ(frame.toolBarArea(bars[0]), Qt::TopToolBarArea);
    QStringList commands;
    for (const QAction* a : bars[0]->actions()) commands << a->objectName();
    EXPECT_EQ(commands, (QStringList{"", "FileNew", "FileOpen", "FileSave", ""}));
    // Each command shows its own picture, drawn at 24 and 48 pixels.
    for (const QAction* a : bars[0]->actions()) {
        if (a->isSeparator()) continue;
        EXPECT_EQ(a->icon().availableSizes(), (QList<QSize>{{24, 24}, {48, 48}}))
            << a->objectName().toStdString();
    }
}

TEST_F(FrameTest, StartsUntitledWithTheStoresDefaultsAndUnchanged) {
    EXPECT_EQ(frame.windowTitle(), "Untitled - Pocket VEL");
    EXPECT_EQ(frame.DocumentTitle(), "Untitled");
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_EQ(frame.Document().RateInterest, 8.5);
    EXPECT_EQ(frame.focusWidget(), frame.View()); // the keyboard starts on the summary

    WriteSettingDouble(store, "RateInterest", 7.25);
    ASSERT_TRUE(frame.FileNew());
    EXPECT_EQ(frame.Document().RateInterest, 7.25);
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(FrameTest, SaveAsAddsTheExtensionNamesTheWindowAndClearsTheMark) {
    frame.Doc().Change(QStringLiteral("Worked example"), [&] {
        SetUpWorkedExample(frame.Document());
    });
    ui.saveNames.push_back(Path("house"));
    ASSERT_TRUE(frame.FileSave()); // no name yet: asks for one
    ASSERT_EQ(ui.proposedNames.size(), 1);
    EXPECT_TRUE(ui.proposedNames[0].endsWith("Untitled.vel"));
    EXPECT_TRUE(QFile::exists(Path("house.vel")));
    EXPECT_EQ(frame.PathName(), QDir(dir.path()).absoluteFilePath("house.vel"));
    EXPECT_EQ(frame.windowTitle(), "house.vel - Pocket VEL");
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_EQ(ReadAll(Path("house.vel")).size(), kFileFixedSize);
    EXPECT_TRUE(ui.messages.isEmpty());

    // Save again goes to the same file without asking.
    Edit(310000);
    ASSERT_TRUE(frame.FileSave());
    EXPECT_EQ(ui.proposedNames.size(), 1);
    EXPECT_FALSE(frame.Doc().IsModified());

    // A name with an extension keeps it.
    ui.saveNames.push_back(Path("copy.backup"));
    ASSERT_TRUE(frame.FileSaveAs());
    EXPECT_TRUE(QFile::exists(Path("copy.backup")));
}

TEST_F(FrameTest, OpenRestoresTheInvestmentAndItsName) {
    const QString file = SaveWorkedExample("example.vel");
    ASSERT_EQ(frame.Document().Price, 0);
    ui.openNames.push_back(file);
    ASSERT_TRUE(frame.FileOpen());
    EXPECT_EQ(frame.Document().Price, 300000);
    EXPECT_EQ(frame.Document().Address, u"1 Example St");
    EXPECT_NEAR(frame.Document().LoanAmount, 298845.18125, 1e-6);
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_EQ(frame.windowTitle(), "example.vel - Pocket VEL");
    EXPECT_TRUE(ui.questions.isEmpty());

    ui.openNames.push_back({}); // the user cancels the file dialog
    EXPECT_FALSE(frame.FileOpen());
    EXPECT_EQ(frame.Document().Price, 300000);
}

TEST_F(FrameTest, SaveQuestionBeforeReplacingAChangedInvestment) {
    Edit(250000);
    ASSERT_TRUE(frame.Doc().IsModified());

    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(frame.FileNew());
    ASSERT_EQ(ui.questions, QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(frame.Document().Price, 250000);
    EXPECT_TRUE(frame.Doc().IsModified());

    ui.answers.push_back(Answer::No);
    EXPECT_TRUE(frame.FileNew());
    EXPECT_EQ(frame.Document().Price, 0);
    EXPECT_FALSE(frame.Doc().IsModified());

    // "Yes" saves first, asking for a name when there is none.
    Edit(260000);
    ui.answers.push_back(Answer::Yes);
    ui.saveNames.push_back(Path("yes.vel"));
    EXPECT_TRUE(frame.FileNew());
    EXPECT_TRUE(QFile::exists(Path("yes.vel")));
    EXPECT_EQ(frame.windowTitle(), "Untitled - Pocket VEL");

    // "Save As..." asks for a name even when there is one; the question names the file.
    ui.openNames.push_back(Path("yes.vel"));
    ASSERT_TRUE(frame.FileOpen());
    Edit(270000);
    ui.answers.push_back(Answer::SaveAs);
    ui.saveNames.push_back(Path("other.vel"));
    EXPECT_TRUE(frame.FileNew());
    EXPECT_EQ(ui.questions.last(), "Save changes to yes.vel?");
    EXPECT_TRUE(QFile::exists(Path("other.vel")));

    // Cancelling the name of "Yes" abandons the New.
    Edit(280000);
    ui.answers.push_back(Answer::Yes);
    EXPECT_FALSE(frame.FileNew());
    EXPECT_EQ(frame.Document().Price, 280000);
}

TEST_F(FrameTest, SaveQuestionBeforeOpenAndRecentFile) {
    const QString file = SaveWorkedExample("a.vel");
    Edit(123000);
    ui.openNames.push_back(file);
    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(frame.FileOpen());
    EXPECT_EQ(frame.Document().Price, 123000);

    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(frame.OpenRecentFile(0));
    EXPECT_EQ(frame.Document().Price, 123000);
    ui.answers.push_back(Answer::No);
    EXPECT_TRUE(frame.OpenRecentFile(0));
    EXPECT_EQ(frame.Document().Price, 300000);
    EXPECT_EQ(ui.questions.size(), 3);
}

TEST_F(FrameTest, ExitAsksAndCancelKeepsTheWindow) {
    frame.show();
    Edit(200000);
    ui.answers.push_back(Answer::Cancel);
    frame.Action("Exit")->trigger();
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(ui.questions.size(), 1);
    ui.answers.push_back(Answer::No);
    frame.close();
    EXPECT_FALSE(frame.isVisible());

    // Unchanged: no question.
    frame.show();
    frame.History().setClean();
    frame.close();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(ui.questions.size(), 2);
}

TEST_F(FrameTest, RecentFilesHoldTheLastFourNewestFirst) {
    for (const char* name : {"1.vel", "2.vel", "3.vel", "4.vel", "5.vel"}) SaveWorkedExample(name);
    const QStringList files = frame.RecentFiles().Files();
    ASSERT_EQ(files.size(), 4);
    EXPECT_TRUE(files[0].endsWith("5.vel"));
    EXPECT_TRUE(files[3].endsWith("2.vel"));
    EXPECT_EQ(store.ReadString(kSectionRecentFiles, "File1"), files[0].toStdString());
    EXPECT_EQ(store.ReadString(kSectionRecentFiles, "File4"), files[3].toStdString());

    // The menu shows them in place of "Recent File".
    ASSERT_EQ(frame.RecentFileActions().size(), 4u);
    EXPECT_TRUE(frame.RecentFileActions()[0]->text().startsWith("&1 "));
    EXPECT_TRUE(frame.RecentFileActions()[0]->text().endsWith("5.vel"));
    // New, Open, Save, Save As, Export, Print, Print Preview, Compare Investments; two
    // separators and Exit.
    EXPECT_EQ(Entries(frame.menuBar()->actions()[0]->menu()).size(), 8u + 3 + 4);

    // Opening one moves it to the front.
    ASSERT_TRUE(frame.OpenRecentFile(3));
    EXPECT_TRUE(frame.RecentFiles().Files()[0].endsWith("2.vel"));
    EXPECT_EQ(frame.windowTitle(), "2.vel - Pocket VEL");

    // One that has gone leaves the list with a message.
    QFile::remove(Path("4.vel"));
    const int gone = static_cast<int>(frame.RecentFiles().Files().indexOf(QDir(dir.path()).absoluteFilePath("4.vel")));
    ASSERT_GE(gone, 0);
    EXPECT_FALSE(frame.OpenRecentFile(gone));
    EXPECT_EQ(frame.RecentFiles().Size(), 3);
    EXPECT_FALSE(store.ReadString(kSectionRecentFiles, "File4").has_value());
    EXPECT_EQ(ui.messages.size(), 1);
}

TEST_F(FrameTest, FileThatFailsToOpenChangesNothing) {
    Scales& scales = frame.InvestmentScales();
    const QString good = SaveWorkedExample("good.vel");
    ui.openNames.push_back(good);
    ASSERT_TRUE(frame.FileOpen());
    Edit(333000);
    const Investment before = frame.Document();
    const DutyScale duty = scales.duty;
    const TaxScale tax = scales.tax;
    auto expectUnchanged = [&] {
        EXPECT_EQ(frame.Document().Price, before.Price);
        EXPECT_EQ(frame.Document().Address, before.Address);
        EXPECT_EQ(frame.Document().table, before.table);
        EXPECT_TRUE(frame.Doc().IsModified());
        EXPECT_EQ(scales.duty, duty);
        EXPECT_EQ(scales.tax, tax);
        EXPECT_EQ(frame.windowTitle(), "good.vel* - Pocket VEL");
    };

    // Another program's file: one error that names the file and says why in words.
    WriteBytes(Path("other.vel"), QByteArray("Q1.02VEL\0PPC\0", 13) + QByteArray(800, '\x01'));
    ui.answers.push_back(Answer::No);
    ui.openNames.push_back(Path("other.vel"));
    EXPECT_FALSE(frame.FileOpen());
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("The file %1 could not be read.\nIt is not an "
                                                      "investment saved by this program (it does "
                                                      "not begin as one does).")
                                           .arg(QDir::toNativeSeparators(Path("other.vel")))});
    EXPECT_EQ(ui.icons, QStringList{"error"});
    expectUnchanged();

    // A truncated file, whose scales would already have been read in part: named, refused.
    QByteArray cut = ReadAll(good);
    cut.chop(1);
    WriteBytes(Path("cut.vel"), cut);
    ui.answers.push_back(Answer::No);
    ui.openNames.push_back(Path("cut.vel"));
    EXPECT_FALSE(frame.FileOpen());
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_TRUE(ui.messages[1].contains(QDir::toNativeSeparators(Path("cut.vel"))));
    EXPECT_TRUE(ui.messages[1].contains("could not be read.\nIt ends before the investment does"));
    expectUnchanged();

    // A file that is not there.
    ui.answers.push_back(Answer::No);
    ui.openNames.push_back(Path("missing.vel"));
    EXPECT_FALSE(frame.FileOpen());
    ASSERT_EQ(ui.messages.size(), 3);
    EXPECT_TRUE(ui.messages[2].contains("missing.vel"));
    EXPECT_EQ(ui.icons, (QStringList{"error", "error", "error"}));
    expectUnchanged();
}

TEST_F(FrameTest, LaterVersionIsReadAfterItsNotice) {
    QByteArray bytes = ReadAll(SaveWorkedExample("later.vel"));
    bytes[3] = '1'; // "P1.1" with release "2": version 112
    WriteBytes(Path("later.vel"), bytes);
    ui.openNames.push_back(Path("later.vel"));
    EXPECT_TRUE(frame.FileOpen());
    // A warning that names the file; the investment opens.
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(QDir::toNativeSeparators(Path("later.vel")) + "\nIt was saved by a later version"));
    EXPECT_EQ(ui.icons, QStringList{"warning"});
    EXPECT_EQ(frame.Document().Price, 300000);

    // A later version that is also cut short: the notice, then the failure.
    bytes.chop(10);
    WriteBytes(Path("later-cut.vel"), bytes);
    ui.openNames.push_back(Path("later-cut.vel"));
    EXPECT_FALSE(frame.FileOpen());
    ASSERT_EQ(ui.messages.size(), 3);
    EXPECT_TRUE(ui.messages[2].contains("later-cut.vel"));
}

TEST_F(FrameTest, FailedSaveKeepsTheOldFileAndTheMark) {
    const QString file = SaveWorkedExample("keep.vel");
    const QByteArray old = ReadAll(file);
    ui.openNames.push_back(file);
    ASSERT_TRUE(frame.FileOpen());
    frame.Document().Address = u"A much longer address than before, so the file grows";
    Edit(999000);
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(frame.FileSave());
    }
    EXPECT_EQ(ReadAll(file), old);
    EXPECT_TRUE(frame.Doc().IsModified());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].contains(QDir::toNativeSeparators(file)));
    EXPECT_TRUE(ui.messages[0].contains("could not be saved"));
    EXPECT_TRUE(ui.messages[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG))));
    EXPECT_EQ(ui.icons, QStringList{"error"});
    // Nothing but the old file is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // A failed save in the save question abandons the New.
    ui.answers.push_back(Answer::Yes);
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(frame.FileNew());
    }
    EXPECT_EQ(frame.Document().Price, 999000);
    EXPECT_EQ(ReadAll(file), old);

    // Saving into a folder that does not exist: the name stays as it was.
    ui.saveNames.push_back(Path("no/such/folder/x.vel"));
    EXPECT_FALSE(frame.FileSaveAs());
    EXPECT_EQ(frame.windowTitle(), "keep.vel* - Pocket VEL");
    EXPECT_TRUE(frame.Doc().IsModified());
    EXPECT_TRUE(ui.messages.last().contains("x.vel"));
    EXPECT_EQ(frame.RecentFiles().Size(), 1);
}

// Two windows on one file: a save over bytes another program wrote since they were read or
// saved here asks first, and "No" saves nothing and says nothing was saved.
TEST_F(FrameTest, SaveAsksBeforeOverwritingAFileChangedByAnotherProgram) {
    const QString file = SaveWorkedExample("shared.vel");
    const QString question = QDir::toNativeSeparators(file) +
                             " was changed by another program since it was opened. Overwrite it?";
    ui.openNames.push_back(file);
    ASSERT_TRUE(frame.FileOpen());
    const QByteArray opened = ReadAll(file);
    QByteArray theirs = opened;
    theirs.append("their bytes");

    // Unchanged on disk, or written again with the same bytes (only its time changed): no
    // question.
    Edit(410000);
    WriteBytes(file, opened);
    EXPECT_TRUE(frame.FileSave());
    EXPECT_TRUE(ui.questions.isEmpty());
    const QByteArray ours = ReadAll(file);
    ASSERT_NE(ours, opened);

    struct Case {
        bool yes;
        bool saved;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        SCOPED_TRACE(c.yes);
        ui.questions.clear();
        WriteBytes(file, theirs);
        Edit(c.yes ? 420000 : 430000);
        ui.yesNo.push_back(c.yes);
        EXPECT_EQ(frame.FileSave(), c.saved);
        EXPECT_EQ(ui.questions, QStringList{question});
        EXPECT_EQ(ReadAll(file) == theirs, !c.saved);
        EXPECT_EQ(frame.Doc().IsModified(), !c.saved);
        EXPECT_EQ(frame.windowTitle(), c.saved ? "shared.vel - Pocket VEL" : "shared.vel* - Pocket VEL");
    }
    EXPECT_TRUE(ui.messages.isEmpty());

    // "No" in the save question's save cancels the New as well.
    WriteBytes(file, theirs);
    Edit(440000);
    ui.answers.push_back(Answer::Yes);
    ui.yesNo.push_back(false);
    EXPECT_FALSE(frame.FileNew());
    EXPECT_EQ(frame.Document().Price, 440000);
    EXPECT_EQ(ReadAll(file), theirs);

    // A file removed meanwhile is written again without a question, and Save As to another
    // name asks nothing either.
    ui.questions.clear();
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_TRUE(frame.FileSave());
    Edit(450000);
    WriteBytes(file, theirs);
    ui.saveNames.push_back(Path("copy.vel"));
    EXPECT_TRUE(frame.FileSaveAs());
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(ReadAll(file), theirs);
}

TEST_F(FrameTest, SettingsCommandsReachTheStoreAndTheEditors) {
    SetUpWorkedExample(frame.Document());
    frame.Document().RateInterest = 8.126;
    frame.Action("SaveSettings")->trigger();
    EXPECT_EQ(store.ReadString(kSectionSettingsFile, "RateInterest"), "8.13");
    EXPECT_EQ(store.ReadInt(kSectionSettingsFile, "LCYears"), 5);
    EXPECT_TRUE(store.ReadString(kSectionSettingsFile, "TaxScale").has_value());
    EXPECT_TRUE(ui.messages.isEmpty());

    store.WriteString(kSectionSettings, "BG1Color", "255");
    // It asks first; "No" keeps everything.
    frame.Action("DeleteSettings")->trigger();
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_TRUE(store.ReadString(kSectionSettingsFile, "RateInterest").has_value());
    ui.yesNo.push_back(true);
    frame.Action("DeleteSettings")->trigger();
    EXPECT_FALSE(store.ReadString(kSectionSettingsFile, "RateInterest").has_value());
    EXPECT_FALSE(store.ReadString(kSectionSettingsFile, "StampDuty").has_value());
    EXPECT_FALSE(store.ReadString(kSectionSettings, "BG1Color").has_value());
    EXPECT_EQ(frame.Document().RateInterest, 8.126); // nothing in memory changes

    // Each Settings entry opens its editor over the window; cancelled, it leaves no step.
    QStringList titles;
    for (const char* name : {"Projections", "LinkedVariables", "StampDuty", "TaxScales"}) {
        OnNextDialog([&](QDialog& dialog) {
            titles << dialog.windowTitle();
            EXPECT_EQ(dialog.parentWidget(), &frame);
            dialog.reject();
        });
        frame.Action(QString::fromUtf8(name))->trigger();
    }
    EXPECT_EQ(titles, (QStringList{"Annual Projections", "Specify Linked Variables", "Stamp Duty",
                               "Tax Scales"}));
    EXPECT_EQ(frame.History().count(), 0);
}

TEST_F(FrameTest, EditsRedrawTheView) {
    int updates = 0;
    // Connected for the test's body only: the document still signals as the frame goes.
    QObject receiver;
    QObject::connect(&frame.Doc(), &InvestmentDocument::changed, &receiver, [&] { ++updates; });
    Edit(1);
    EXPECT_EQ(updates, 1);
}

// --- start-up ---

namespace {

class StartupTest : public ::testing::Test {
protected:
    Scales scales;
    ~StartupTest() override { qApp->setStyleSheet(QString()); }
    ColoursGuard guard;
    QTemporaryDir dir;
    MemorySettingsStore store;
    ScriptedUi ui;
};

} // namespace

TEST_F(StartupTest, OpensTheFileOnTheCommandLine) {
    Investment doc;
    SetUpWorkedExample(doc);
    doc.Address = u"On the command line";
    const QString path = dir.filePath("cmd.vel");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        ASSERT_TRUE(SaveInvestment(doc, scales, out));
    }
    store.WriteString(kSectionRecentFiles, "File1", "/somewhere/else.vel");
    Application app(store, ui);
    ASSERT_TRUE(app.InitInstance({path}));
    MainWindow* frame = app.Window();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Document().Address, u"On the command line");
    EXPECT_EQ(frame->windowTitle(), "cmd.vel - Pocket VEL");
    EXPECT_FALSE(frame->Doc().IsModified());
    EXPECT_EQ(frame->RecentFiles().Size(), 2);
    EXPECT_TRUE(frame->RecentFiles().Files()[1].endsWith("else.vel"));
}

TEST_F(StartupTest, UnreadableFileLeavesANewInvestment) {
    Application app(store, ui);
    ASSERT_TRUE(app.InitInstance({dir.filePath("nothing.vel")}));
    EXPECT_EQ(app.Window()->windowTitle(), "Untitled - Pocket VEL");
    EXPECT_EQ(app.Window()->Document().Conveyancing, 950);
    EXPECT_EQ(ui.messages.size(), 1);
}

// The file on the command line reaches the recent files on disk once the window has been
// painted, or when the program ends before that.
TEST_F(StartupTest, TheFileOnTheCommandLineIsRememberedOnDisk) {
    Investment doc;
    SetUpWorkedExample(doc);
    const QString path = dir.filePath("cmd.vel");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        ASSERT_TRUE(SaveInvestment(doc, scales, out));
    }
    for (const bool painted : {true, false}) {
        const QString ini = dir.filePath(painted ? "painted.ini" : "ended.ini");
        {
            QtSettingsStore disk(ini);
            Application app(disk, ui);
            ASSERT_TRUE(app.InitInstance({path}));
            for (int i = 0; painted && i < 100 && !QFile::exists(ini); ++i) {
                QApplication::processEvents(QEventLoop::AllEvents, 10);
                QApplication::sendPostedEvents();
            }
            if (painted) {
                EXPECT_TRUE(QFile::exists(ini)) << "still not written after the first paint";
                // The window icon comes with the same step.
                EXPECT_EQ(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(256, 256)});
            }
        }
        const auto first = QtSettingsStore(ini).ReadString(kSectionRecentFiles, "File1");
        ASSERT_TRUE(first.has_value()) << (painted ? "painted" : "ended");
        EXPECT_TRUE(QString::fromStdString(*first).endsWith("cmd.vel"));
    }
}

TEST_F(StartupTest, ColoursAreReadAndDialogsTakeTheBackground) {
    store.WriteString(kSectionSettings, "BG1Color", "255"); // red
    Application app(store, ui);
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(CurrentColours.BG1Color, 255u);
    EXPECT_EQ(CurrentColours.GR1Color, RGBColour(0, 0, 255));
    // The dialogs take the colour; the main window is left to the platform's style.
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_TRUE(app.Window()->styleSheet().isEmpty());
    QDialog dialog;
    dialog.ensurePolished();
    QImage image = dialog.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 0, 0));
}
