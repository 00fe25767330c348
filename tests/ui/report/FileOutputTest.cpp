#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstring>

#include "persist/SettingsStore.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/WorkbookCells.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/report/FileOutput.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/workspace/RiskTab.h"
#include "ui/workspace/Workspace.h"

namespace {

// Answers the exports' file question with a set name.
struct ExportUi : ScriptedUi {
    QString answer;
    QStringList proposed;
    QString AskExportFileName(QWidget*, const QString&, const QString& name, const QString&) override {
        proposed << name;
        return answer;
    }
};

class ExportTest : public ::testing::Test {
protected:
    ExportTest() : frame(store, ui) {
        frame.StartWith({});
        SetUpWorkedExample(frame.Document());
        ui.saveNames.push_back(dir.filePath(QStringLiteral("house.vel")));
        EXPECT_TRUE(frame.FileSaveAs());
    }

    QByteArray Read(const QString& name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ColoursGuard guard;
    QTemporaryDir dir;
    MemorySettingsStore store;
    ExportUi ui;
    MainWindow frame;
    QString& answer = ui.answer;
    QStringList& proposed_ = ui.proposed;
    QStringList& messages = ui.messages;
};

} // namespace

TEST_F(ExportTest, EachExportProposesTheInvestmentsNameAndWritesItsFile) {
    struct Case {
        const char* action;
        const char* name;
        const char* start; // the first bytes of such a file
    };
    // The projection comes in the form of the desktop's spreadsheet (the tests run under a
    // comma-decimal locale too).
    const bool commaDesktop = QLocale().decimalPoint() == QStringLiteral(",");
    const Case cases[] = {{"ExportReport", "house.pdf", "%PDF-"},
                          {"ExportWorkbook", "house.xlsx", "PK"},
                          {"ExportProjection", "house.csv",
                           commaDesktop ? "Year;PropertyValue;Debt;Equity;"
                                        : "Year,PropertyValue,Debt,Equity,"}};
    for (const Case& c : cases) {
        proposed_.clear();
        answer = dir.filePath(QString::fromUtf8(c.name));
        frame.Action(QString::fromUtf8(c.action))->trigger();
        ASSERT_EQ(proposed_.size(), 1);
        EXPECT_EQ(proposed_[0], dir.filePath(QString::fromUtf8(c.name)));
        EXPECT_TRUE(Read(QString::fromUtf8(c.name)).startsWith(c.start)) << c.name;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    // 41 lines: the heading and the 40 years.
    EXPECT_EQ(Read(QStringLiteral("house.csv")).count('\n'), 41);
    // A name typed without an extension gets the export's.
    answer = dir.filePath(QStringLiteral("plain"));
    frame.Action("ExportProjection")->trigger();
    EXPECT_FALSE(Read(QStringLiteral("plain.csv")).isEmpty());
}

TEST_F(ExportTest, ExportIntoAMissingFolderSaysWhichFileAndWhyAndWritesNothing) {
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const char* action : {"ExportReport", "ExportWorkbook", "ExportProjection"}) {
        messages.clear();
        answer = dir.filePath(QStringLiteral("gone/report.out"));
        frame.Action(QString::fromUtf8(action))->trigger();
        ASSERT_EQ(messages.size(), 1) << action;
        EXPECT_EQ(messages[0], QStringLiteral("The file %1 could not be written.\n%2")
                                   .arg(QDir::toNativeSeparators(answer), QString::fromUtf8(std::strerror(ENOENT))));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }
}

TEST_F(ExportTest, TheInvestmentsOwnFileIsNeverWrittenOver) {
    const QByteArray before = Read(QStringLiteral("house.vel"));
    answer = dir.filePath(QStringLiteral("house.vel"));
    frame.Action("ExportProjection")->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("It is the investment's own file.")));
    EXPECT_EQ(Read(QStringLiteral("house.vel")), before);
}

TEST_F(ExportTest, BeforeTheFirstSaveTheNameIsUntitled) {
    EXPECT_EQ(ProposedExportName({}, QStringLiteral(".pdf")), QDir::current().filePath(QStringLiteral("Untitled.pdf")));
    EXPECT_EQ(ProposedExportName(QStringLiteral("/a/b/my.house.vel"), QStringLiteral(".xlsx")),
              QStringLiteral("/a/b/my.house.xlsx"));
}


// The workbook's sheet "Risk" works out the futures the "Risk" tab is set to.
TEST_F(ExportTest, TheWorkbookTakesTheRiskTabsSetup) {
    RiskParameters p;
    p.growthSD = 3;
    dynamic_cast<Workspace*>(frame.Pane())->Risk()->SetParameters(p, 300, 9);
    answer = dir.filePath(QStringLiteral("house.xlsx"));
    frame.Action("ExportWorkbook")->trigger();
    const auto risk = WorkbookLabelled(WorkbookSheet(dir.filePath(QStringLiteral("house.xlsx")).toStdString(), 4));
    EXPECT_EQ(risk.at("Futures (paths)").text, "300");
    EXPECT_EQ(risk.at("Seed").text, "9");
    EXPECT_EQ(risk.at("Growth: SD (points)").text, "3");
}

// On a German desktop the projection comes in the German spreadsheet's form; on an English
// one as velcalc --csv writes it. The worked example's first year: value 313,500 (300,000
// grown 4.5 %).
TEST(ProjectionExport, FollowsTheDesktopsDecimalMark) {
    Investment doc;
    SetUpWorkedExample(doc);
    QTemporaryDir dir;
    const struct {
        QLocale::Language language;
        QLocale::Territory territory;
        const char* start;
        const char* firstYear;
    } cases[] = {
        {QLocale::German, QLocale::Germany, "Year;PropertyValue;Debt;", "\n1;313500;"},
        {QLocale::English, QLocale::Australia, "Year,PropertyValue,Debt,", "\n1,313500,"},
    };
    const QLocale before;
    for (const auto& c : cases) {
        QLocale::setDefault(QLocale(c.language, c.territory));
        std::string reason;
        const QString path = dir.filePath(QStringLiteral("p.csv"));
        ASSERT_TRUE(WriteExport(doc, Scales{}, OutputProjection, {}, path, reason)) << reason;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::string text = file.readAll().toStdString();
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << text.substr(0, 60);
        EXPECT_NE(text.find(c.firstYear), std::string::npos) << c.firstYear;
    }
    QLocale::setDefault(before);
}
