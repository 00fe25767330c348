// The program's side of hostile files and texts: its open routine over the table the command-
// line programs run too, message boxes that show every text as it is spelt, text edits that
// take no more than a file holds, and figures that come from no value shown as no value.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "analysis/Compare.h"
#include "export/ReportData.h"
#include "format/Format.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"
#include "app/MainWindow.h"
#include "ui/shell/Platform.h"
#include "ui/shell/SummaryLayout.h"

namespace {

TEST(HostileFiles, TheProgramOpensOrRefusesEachAtOnceAndNamesIt) {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame(store, ui);
    frame.StartWith({});
    const auto dir = FreshTestFolder("velppc-hostile");
    int keepOpen = -1;
    for (const HostileFile& f : MakeHostileFiles(dir, keepOpen)) {
        SCOPED_TRACE(f.name);
        ui.messages.clear();
        const QString path = QFile::decodeName(QByteArray::fromStdString(f.path.string()));
        bool opened = false;
        EXPECT_LT(SecondsTaken([&] { opened = frame.OpenDocumentFile(path); }), kHostileSeconds);
        // A name the file system spells in another encoding than UTF-8 is shown, not opened:
        // Qt names files in Unicode.
        const bool foreignName = f.name == "a name that is not UTF-8";
        EXPECT_EQ(opened, f.opens && !foreignName);
        if (opened) {
            EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('\n').toStdString();
            EXPECT_EQ(frame.Document().SellingCostsPC, f.sellingCostsPC);
        } else {
            ASSERT_EQ(ui.messages.size(), 1);
            // The reader's reason, in the words the program shows it in.
            EXPECT_TRUE(ui.messages[0].contains(QString::fromStdString(ReadMessageInWords(f.refusal))) ||
                        foreignName)
                << ui.messages[0].toStdString();
        }
    }
    ::close(keepOpen);
    std::filesystem::remove_all(dir);
}

// Markup in a file's name is shown as the characters it is.
TEST(HostileFiles, MessageBoxesShowTheirTextPlain) {
    QtDocumentUi ui;
    const QString text = QStringLiteral("The file <b>big</b><img src=x> could not be read.");
    for (int ask = 0; ask < 2; ++ask) {
        QString shown;
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                format = box->textFormat();
                box->done(0);
            }
        });
        if (ask == 0) {
            ui.ShowMessage(nullptr, text);
        } else {
            ui.AskYesNo(nullptr, text);
        }
        EXPECT_EQ(shown, text);
        EXPECT_EQ(format, Qt::PlainText);
    }
}

// Typed or pasted text stops at what a file holds, and the edit says so; the save never cuts.
TEST(HostileFiles, TextEditsTakeNoMoreThanAFileHolds) {
    PropertyDescriptionLogic desc;
    NotesLogic notes;
    ScriptedUi ui;
    DetailsSheet sheet(desc, notes, ui);
    auto* notesEdit = sheet.findChild<QPlainTextEdit*>();
    ASSERT_NE(notesEdit, nullptr);
    notesEdit->setPlainText(QStringLiteral("start "));
    notesEdit->moveCursor(QTextCursor::End);
    notesEdit->insertPlainText(QString(50000, QLatin1Char('x')));
    EXPECT_EQ(notesEdit->toPlainText().size(), kMaxTextLength);
    EXPECT_TRUE(notesEdit->toPlainText().startsWith(QStringLiteral("start x")));
    EXPECT_EQ(notesEdit->toolTip(), TextLimitNote());
    for (QLineEdit* line : sheet.findChildren<QLineEdit*>()) {
        line->setText(QString());
        line->insert(QString(40000, QLatin1Char('a')));
        EXPECT_EQ(line->text().size(), kMaxTextLength);
    }
}

// Inflation of 10^24 % overflows every later year: the weekly cash flow of such a year is no
// value in the summary, the report and the comparison, as the yearly one is.
TEST(HostileFiles, AFigureFromNoValueIsNoValue) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.RateInfl = 1e24;
    doc.ShowYear = 40;
    doc.Recalculate(scales);
    ASSERT_TRUE(IsNoValue(doc.At(Row::AfterTaxCash, 39)));
    SummaryLayout summary;
    summary.Layout(400, 16, 7, 0);
    summary.Refresh(doc);
    EXPECT_EQ(summary.values[ItemCashFlowYear].text, "?????");
    EXPECT_EQ(summary.values[ItemCashFlowWeek].text, "?????");
    const ReportLine week = ResultSections(doc)[0].lines[2];
    ASSERT_EQ(week.label, "Cash flow a week:");
    EXPECT_TRUE(IsNoValue(week.value));
    std::vector<ComparedInvestment> both = {Compared("a", doc, scales),
                                            Compared("b", doc, scales)};
    for (const CompareRow& row : Compare(both).rows) {
        EXPECT_TRUE(std::string(row.key) != "cashFlowWeek" || IsNoValue(row.values[0]));
    }
}

} // namespace
