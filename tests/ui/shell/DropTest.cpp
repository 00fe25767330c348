// Dropping files onto the main window: a ".vel" file opens as File Open would, after the save
// question; other drops are refused and change nothing.
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "persist/InvestmentFile.h"
#include "app/MainWindow.h"
#include "ui/shell/SummaryView.h"

#include "ShellTestSupport.h"

namespace {

using Answer = DocumentUi::SaveAnswer;

std::unique_ptr<QMimeData> Files(const QStringList& urls) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> list;
    for (const QString& url : urls) list << QUrl(url);
    data->setUrls(list);
    return data;
}

class DropTest : public ::testing::Test {
protected:
    DropTest() : frame(store, ui) {
        EXPECT_TRUE(dir.isValid());
        frame.StartWith({});
        // Drops go to the window as the window system hands them over, and Qt passes them to
        // the widget under the point: here the summary, which must leave them to the frame.
        frame.show();
    }

    // The worked example saved as `name` in the test's folder.
    QString WorkedExampleFile(const QString& name) {
        Scales& scales = frame.InvestmentScales();
        Investment doc;
        SetUpWorkedExample(doc);
        const QString path = dir.filePath(name);
        std::ofstream out(path.toStdString(), std::ios::binary);
        EXPECT_TRUE(SaveInvestment(doc, scales, out));
        return path;
    }

    // A point of the summary, in the window's coordinates.
    QPoint OverTheSummary() {
        return frame.View()->viewport()->mapTo(&frame, QPoint(40, 40));
    }

    // What the window says to a drag of `data` entering it over the summary.
    bool Accepts(const QMimeData& data) {
        QDragEnterEvent enter(OverTheSummary(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(frame.windowHandle(), &enter);
        return enter.isAccepted();
    }

    // Drags `data` in and drops it over the summary, then lets the queued open run.
    bool Drop(const QMimeData& data) {
        Accepts(data);
        QDropEvent drop(OverTheSummary(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QCoreApplication::sendEvent(frame.windowHandle(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    void Edit(double price) { AcceptPrice(frame.Doc(), price); }

    ColoursGuard guard;
    QTemporaryDir dir;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame;
};

} // namespace

TEST_F(DropTest, DroppedFileOpensInPlaceOfTheUnchangedInvestment) {
    const QString file = WorkedExampleFile("house.vel");
    const auto data = Files({QUrl::fromLocalFile(file).toString()});
    EXPECT_TRUE(Accepts(*data));
    EXPECT_TRUE(Drop(*data));

    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(frame.Document().Price, 300000);
    EXPECT_NEAR(frame.Document().IRR, 13.86, 0.005);
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_EQ(frame.windowTitle(), "house.vel - Pocket VEL");
    ASSERT_EQ(frame.RecentFiles().Size(), 1);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(DropTest, ChangedInvestmentGetsTheSaveQuestionFirst) {
    const QString file = WorkedExampleFile("house.vel");
    const auto data = Files({QUrl::fromLocalFile(file).toString()});
    Edit(250000);

    ui.answers.push_back(Answer::Cancel);
    EXPECT_TRUE(Drop(*data));
    EXPECT_EQ(ui.questions, QStringList{"Save changes to Untitled?"});
    EXPECT_EQ(frame.Document().Price, 250000);
    EXPECT_TRUE(frame.Doc().IsModified());

    ui.answers.push_back(Answer::No);
    EXPECT_TRUE(Drop(*data));
    EXPECT_EQ(ui.questions.size(), 2);
    EXPECT_EQ(frame.Document().Price, 300000);
    EXPECT_FALSE(frame.Doc().IsModified());

    // "Yes" saves the change first: dropping the open file again then reads the saved one.
    Edit(280000);
    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(Drop(*data));
    EXPECT_EQ(ui.questions.last(), "Save changes to house.vel?");
    EXPECT_EQ(frame.Document().Price, 280000);
    EXPECT_FALSE(frame.Doc().IsModified());
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(DropTest, OnlyLocalVelFilesAreTaken) {
    const QString file = WorkedExampleFile("house.VEL");
    const QString text = dir.filePath("notes.txt");
    std::ofstream(text.toStdString()) << "not an investment";
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.vel")));

    for (const QStringList& refused :
         {QStringList{QUrl::fromLocalFile(text).toString()},
          QStringList{QStringLiteral("https://example.com/house.vel")},
          QStringList{QUrl::fromLocalFile(dir.filePath("folder.vel")).toString()}}) {
        const auto data = Files(refused);
        EXPECT_FALSE(Accepts(*data)) << refused.join(' ').toStdString();
        EXPECT_FALSE(Drop(*data)) << refused.join(' ').toStdString();
    }
    QMimeData plain;
    plain.setText(file);
    EXPECT_FALSE(Accepts(plain));
    EXPECT_FALSE(Drop(plain));
    EXPECT_EQ(frame.Document().Price, 0);
    EXPECT_EQ(frame.windowTitle(), "Untitled - Pocket VEL");

    // Of several files the first investment file opens; the extension's case does not matter.
    const auto several = Files({QUrl::fromLocalFile(text).toString(), QUrl::fromLocalFile(file).toString()});
    EXPECT_TRUE(Drop(*several));
    EXPECT_EQ(frame.Document().Price, 300000);
    EXPECT_EQ(frame.windowTitle(), "house.VEL - Pocket VEL");
}
