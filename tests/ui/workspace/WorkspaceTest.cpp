// The workspace beside the summary: the table and the chart tabs follow the record, the copy
// gives the exact numbers, undo and redo bring back the record and the scales in force, and the
// window remembers its place.
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QSplitter>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <charconv>

#include "export/ReportData.h"
#include "format/Format.h"
#include "model/RecordHistory.h"
#include "persist/Settings.h"
#include "tests/ui/shell/ShellTestSupport.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/charts/Charts.h"
#include "ui/charts/ChartWindow.h"
#include "ui/charts/ChartKind.h"
#include "app/MainWindow.h"
#include "ui/shell/RecordingSurface.h"
#include "ui/shell/SummaryView.h"
#include "ui/shell/WindowState.h"
#include "ui/workspace/ChartTab.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/Workspace.h"
#include "app/Help.h"

namespace {

// Editors that act as an accepted dialog would: change inputs, recalculate.
void TestEditor(Investment& doc, Scales& scales, SettingsStore&, DocumentUi&, unsigned item,
                QWidget*) {
        if (item == ItemPropertyValue) doc.Price = doc.MarketValue = doc.Price + 50000;
        else if (item == ItemCashDeposit) {
            doc.CashDeposit = 40000;
            doc.CalcDeposit = 0;
        } else if (item == ItemProperty) {
            doc.Address = u"2 Other St";
            return;
        } else if (item == ItemPurchaseCosts) {
            // "Change Scale" taken, the dialog then cancelled.
            scales.duty = ShippedDutyScale(1);
            return;
        } else {
            return; // cancelled
        }
        doc.Recalculate(scales);
}

class WorkspaceTest : public ::testing::Test {
protected:
    WorkspaceTest() {
        frame = std::make_unique<MainWindow>(store, ui);
        frame->SetItemEditor(TestEditor);
        frame->StartWith({});
        SetUpWorkedExample(frame->Document());
        frame->Doc().Replaced();
        pane = dynamic_cast<Workspace*>(frame->Pane());
    }
    Investment& Doc() { return frame->Document(); }
    void Tap(unsigned item) { emit frame->View()->itemActivated(item); }

    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    std::unique_ptr<MainWindow> frame;
    Workspace* pane = nullptr;
};

double Number(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    double v = -1;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), v);
    return v;
}

} // namespace

TEST_F(WorkspaceTest, TableShowsTheRecordAfterEveryEdit) {
    Scales& scales = frame->InvestmentScales();
    ASSERT_NE(pane, nullptr);
    ProjectionModel& model = pane->Table()->Model();
    ASSERT_EQ(model.rowCount(), 40);
    ASSERT_EQ(model.columnCount(), 15);
    Tap(ItemPropertyValue);
    EXPECT_EQ(Doc().Price, 350000);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 15; ++c) {
            const double v = Doc().At(kProjectionColumns[static_cast<std::size_t>(c)].row, r);
            EXPECT_EQ(model.Value(r + 1, c), v);
            // Every digit, a loss in brackets ("$1,006,605", not "$1.007m").
            EXPECT_EQ(model.data(model.index(r, c)).toString().toStdString(), WholeDollars(v));
        }
    // Year 1's after-tax cash flow of the worked example is a loss: red and in brackets.
    const QModelIndex loss = model.index(0, 11);
    EXPECT_TRUE(model.data(loss).toString().startsWith("($"));
    EXPECT_EQ(model.data(loss, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    // The results year is marked, the projection period shaded, the years after it plain.
    Doc().ShowYear = 3;
    Doc().Recalculate(scales);
    frame->Doc().NotifyChanged();
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toString(), QString("Year 3 \u25B8"));
    EXPECT_TRUE(model.data(model.index(2, 0), Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(model.data(model.index(9, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.data(model.index(10, 0), Qt::BackgroundRole).isValid());
    // Zoom reaches cells and headings alike.
    const int normal = QFontInfo(model.data(model.index(0, 0), Qt::FontRole).value<QFont>()).pixelSize();
    frame->Action("ZoomIn")->trigger();
    frame->Action("ZoomIn")->trigger();
    EXPECT_EQ(frame->Zoom(), 125);
    for (const QVariant& font : {model.data(model.index(0, 0), Qt::FontRole),
                                 model.headerData(0, Qt::Horizontal, Qt::FontRole),
                                 model.headerData(5, Qt::Vertical, Qt::FontRole)})
        EXPECT_EQ(QFontInfo(font.value<QFont>()).pixelSize(), (normal * 125 + 50) / 100);
    EXPECT_EQ(ReadWindowState(store).zoom, 125); // kept at once
}

TEST_F(WorkspaceTest, CopyGivesHeadingsAndExactNumbers) {
    ProjectionTable* table = pane->Table();
    QItemSelectionModel* selection = table->selectionModel();
    // Years 2 and 3 of "Debt" and "Equity", and year 3 of "Interest paid".
    for (auto [r, c] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 4}})
        selection->select(table->model()->index(r, c), QItemSelectionModel::Select);
    frame->Action("Copy")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Year\tDebt\tEquity\tRent received\tInterest paid");
    const QStringList year3 = lines[2].split('\t');
    ASSERT_EQ(year3.size(), 5);
    EXPECT_EQ(year3[0], "3");
    EXPECT_EQ(Number(year3[1]), Doc().At(Row::Debt, 2));
    EXPECT_EQ(Number(year3[2]), Doc().At(Row::Equity, 2));
    EXPECT_EQ(year3[3], "");
    EXPECT_EQ(Number(year3[4]), Doc().At(Row::InterestPaid, 2));
    // The worked example's first-year interest, by hand: 298,845.18 at 8.5 %.
    EXPECT_EQ(lines[1].split('\t')[4], "");
    EXPECT_NEAR(Number(year3[4]), 25401.84, 0.01);
}

// The tabs draw the Graphics menu's charts across their whole width: in a 750 pane the plot
// runs from 168 (9/40) to 718 for 25 years (22 a year) and to 728 for 40 (14 a year), where
// the chart window keeps 175 for 25 years.
TEST_F(WorkspaceTest, ChartTabsUseTheirWholeWidth) {
    ASSERT_EQ(pane->Charts().size(), 5u);
    const QStringList titles = {"Projection", "Value && Debt", "Cash Flows", "Who Pays?",
                                "Property vs Cash", "Internal Rates of Return", "Sale", "What If", "Risk"};
    ASSERT_EQ(pane->count(), titles.size());
    for (int i = 0; i < pane->count(); ++i) EXPECT_EQ(pane->tabText(i), titles[i]);
    Tap(ItemCashDeposit); // the tabs follow the edit
    for (ChartTab* tab : pane->Charts()) {
        tab->resize(750, 400);
        RecordingSurface drawn;
        tab->Draw(drawn);
        const int count = tab->Request().count;
        ASSERT_TRUE(count == 25 || count == 40) << tab->Command();
        const int right = count == 25 ? 718 : 728;
        // The time axis, at 6/10 of 400.
        const bool axis = std::any_of(drawn.calls.begin(), drawn.calls.end(), [&](const auto& c) {
            return c.kind == RecordingSurface::Kind::Line && c.rect == Rect{168, 240, right, 240};
        });
        EXPECT_TRUE(axis) << tab->Command();
        // The Graphics menu's window keeps its bars 5 wide every 7 up to 25 years.
        EXPECT_EQ(ComputeChartGeometry(count, false, 750, 400).right - 168, count == 25 ? 175 : 560);
    }
}

TEST_F(WorkspaceTest, HoveringABarNamesItsYearSeriesAndValue) {
    ChartTab* valueDebt = pane->Charts()[0];
    valueDebt->resize(480, 400);
    const ChartRequest& request = valueDebt->Request();
    // The geometry of a 480 x 400 tab by hand: 25 bars 10 wide every 14 from x 108, axis at
    // 240; year 3's value bar starts at 108 + 2 * 14 = 136.
    ASSERT_EQ(request.count, 25);
    EXPECT_EQ(ChartBarAt(request, valueDebt->Scale(), 480, 400, 140, 235), (ChartBar{0, 2}));
    EXPECT_EQ(valueDebt->BarText({140, 235}),
              QString("Year 3\nValue: $") +
                  QString::fromStdString(FormatValue(Doc().At(Row::PropertyValue, 2), "0,")));
    EXPECT_EQ(valueDebt->BarText({5, 5}), "");
}

TEST_F(WorkspaceTest, UndoAndRedoBringBackRecordTableAndScales) {
    Scales& scales = frame->InvestmentScales();
    const RecordState start = RecordState::Capture(Doc(), scales);
    Tap(ItemPropertyValue);
    const RecordState afterPrice = RecordState::Capture(Doc(), scales);
    // As "Stamp Duty" would: another scale in force, and a rate of the "Custom" entry.
    frame->Doc().Change(QStringLiteral("Stamp Duty"), [&] {
        scales.duty = ShippedDutyScale(2);
        scales.customDuty.Rate[0] = 9.0;
        Doc().Recalculate(scales);
    });
    const RecordState afterScale = RecordState::Capture(Doc(), scales);
    Tap(ItemPurchaseCosts);
    Tap(ItemProperty);
    Tap(ItemResults); // cancelled: no step
    EXPECT_EQ(frame->History().count(), 4);
    EXPECT_EQ(frame->Action("Undo")->text(), "&Undo Details");

    frame->Action("Undo")->trigger();
    EXPECT_EQ(frame->Action("Undo")->text(), "&Undo Change Scale");
    frame->Action("Undo")->trigger();
    EXPECT_EQ(frame->Action("Undo")->text(), "&Undo Stamp Duty");
    EXPECT_TRUE(RecordState::Capture(Doc(), scales) == afterScale);
    frame->Action("Undo")->trigger();
    EXPECT_TRUE(RecordState::Capture(Doc(), scales) == afterPrice);
    EXPECT_EQ(scales.duty, ShippedDutyScale(0));
    EXPECT_EQ(scales.customDuty.Rate[0], 0.0);
    frame->Action("Undo")->trigger();
    EXPECT_TRUE(RecordState::Capture(Doc(), scales) == start);
    EXPECT_EQ(Doc().Price, 300000);
    EXPECT_NEAR(Doc().IRR, 13.86, 0.005); // the worked example's figure
    EXPECT_FALSE(frame->Action("Undo")->isEnabled());
    EXPECT_EQ(pane->Table()->Model().Value(1, 0), Doc().At(Row::PropertyValue, 0));

    frame->Action("Redo")->trigger();
    frame->Action("Redo")->trigger();
    EXPECT_TRUE(RecordState::Capture(Doc(), scales) == afterScale);
    EXPECT_EQ(scales.duty, ShippedDutyScale(2));
    EXPECT_EQ(frame->Action("Redo")->text(), "&Redo Change Scale");
    // A new change drops what could be redone.
    Tap(ItemCashDeposit);
    EXPECT_FALSE(frame->Action("Redo")->isEnabled());
    // New starts afresh; undo leaves the defaults in the store alone.
    const auto log = store.log;
    ui.answers.push_back(DocumentUi::SaveAnswer::No);
    frame->Action("Undo")->trigger();
    EXPECT_EQ(store.log, log);
    ASSERT_TRUE(frame->FileNew());
    EXPECT_FALSE(frame->Action("Undo")->isEnabled());
}

TEST_F(WorkspaceTest, ModifiedMarkFollowsUndoToTheSavedState) {
    QTemporaryDir dir;
    const QString file = dir.filePath("house.vel");
    Tap(ItemPropertyValue);
    EXPECT_EQ(frame->windowTitle(), "Untitled* - Pocket VEL");
    ui.saveNames.push_back(file);
    ASSERT_TRUE(frame->FileSaveAs());
    EXPECT_EQ(frame->windowTitle(), "house.vel - Pocket VEL");
    Tap(ItemCashDeposit);
    EXPECT_EQ(frame->windowTitle(), "house.vel* - Pocket VEL");
    struct Step {
        const char* action;
        bool modified;
    };
    // Back to the save, past it, and forward again.
    for (const Step& s : {Step{"Undo", false}, Step{"Undo", true}, Step{"Redo", false},
                          Step{"Redo", true}}) {
        frame->Action(QString::fromUtf8(s.action))->trigger();
        EXPECT_EQ(frame->Doc().IsModified(), s.modified) << s.action;
        EXPECT_EQ(frame->windowTitle(),
                  s.modified ? "house.vel* - Pocket VEL" : "house.vel - Pocket VEL");
    }
    // After Open the history is empty and the file's state is the saved one.
    ui.answers.push_back(DocumentUi::SaveAnswer::No);
    ASSERT_TRUE(frame->OpenDocumentFile(file));
    EXPECT_FALSE(frame->Action("Undo")->isEnabled());
    EXPECT_FALSE(frame->Doc().IsModified());
}

TEST_F(WorkspaceTest, WindowStateIsRememberedApartFromTheSettings) {
    frame->show();
    frame->SetZoom(150);
    pane->SetCurrentTab(2);
    frame->setGeometry(40, 50, 700, 500);
    frame->Splitter()->setSizes({300, 400});
    EXPECT_EQ(frame->CurrentWindowState().divider, 300);
    WriteWindowState(store, frame->CurrentWindowState());
    DeleteSettings(store);

    MainWindow again(store, ui);
    again.show();
    EXPECT_EQ(again.Zoom(), 150);
    EXPECT_EQ(again.View()->Zoom(), 150);
    EXPECT_EQ(again.View()->Summary().fonts[0].height, 23); // 15 pixels at 150 %
    EXPECT_EQ(again.Pane()->CurrentTab(), 2);
    EXPECT_EQ(again.geometry(), QRect(40, 50, 700, 500));
    EXPECT_NEAR(again.CurrentWindowState().divider, 300, 2);

    // F9 hides the pane and brings it back where it was; hidden, the divider is kept.
    again.Action("ProjectionPane")->trigger();
    EXPECT_FALSE(again.Pane()->isVisible());
    EXPECT_FALSE(again.Action("ProjectionPane")->isChecked());
    const WindowState hidden = again.CurrentWindowState();
    EXPECT_FALSE(hidden.paneShown);
    EXPECT_NEAR(hidden.divider, 300, 2);
    again.Action("ProjectionPane")->trigger();
    EXPECT_TRUE(again.Pane()->isVisible());
    EXPECT_NEAR(again.Splitter()->sizes().value(0), 300, 2);

    // Zoom steps stop at the ends.
    EXPECT_EQ(NextZoom(100, +1), 110);
    EXPECT_EQ(NextZoom(300, +1), 300);
    EXPECT_EQ(NextZoom(67, -1), 50);
    EXPECT_EQ(NextZoom(50, -1), 50);
}

TEST(WindowPlace, AWindowOffEveryScreenComesBack) {
    const std::vector<Rect> screens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    struct Case {
        Rect window, expected;
    };
    const Case cases[] = {
        {{100, 100, 1200, 800}, {100, 100, 1200, 800}},         // on the first screen
        {{2000, 50, 2800, 650}, {2000, 50, 2800, 650}},         // on the second
        {{1850, 10, 2850, 610}, {1850, 10, 2850, 610}},         // across both
        {{5000, 300, 6000, 900}, {920, 300, 1920, 900}},        // right of both
        {{-3000, -2000, -2000, -1400}, {0, 0, 1000, 600}},      // above and left
        {{100, -500, 1100, 300}, {100, 0, 1100, 800}},          // title bar above the top
        {{100, 1070, 1100, 1670}, {100, 480, 1100, 1080}},      // only a strip shows
        {{-6000, 0, -1000, 3000}, {0, 0, 1920, 1080}},          // too large as well
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.window, screens), c.expected) << c.window.left << "," << c.window.top;
    EXPECT_EQ(FirstWindowPlace({0, 0, 1920, 1080}, 1100, 700), (Rect{410, 190, 1510, 890}));
    EXPECT_EQ(FirstWindowPlace({0, 0, 800, 600}, 1100, 700), (Rect{0, 0, 800, 600}));
}

TEST(WindowPlace, StoredNonsenseIsLimited) {
    MemorySettingsStore store;
    for (const char* name : {"X", "Y", "Width", "Height", "Zoom", "Tab", "Divider"})
        store.WriteInt("Window", name, -2000000000);
    const WindowState s = ReadWindowState(store);
    EXPECT_EQ(s.zoom, 50);
    EXPECT_EQ(s.tab, 0);
    EXPECT_EQ(s.geometry.width(), 200);
    EXPECT_EQ(s.geometry.left, -100000);
}

TEST_F(WorkspaceTest, HelpShowsTheUserGuideFromWithin) {
    frame->Action("Help")->trigger();
    auto* text = frame->findChild<QTextBrowser*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains("Your first property"));
    EXPECT_TRUE(text->toPlainText().contains("Zoom In"));
    frame->Action("Help")->trigger(); // the same window again
    EXPECT_EQ(frame->findChildren<QTextBrowser*>().size(), 1);
    // Written for investors: no build commands, no settings file.
    for (const char* absent : {"make run", "make test", "velcalc", ".conf", "cmake"})
        EXPECT_FALSE(text->toPlainText().contains(absent)) << absent;
}

// The contents list the guide's sections and bring the one chosen to the top; the search finds
// a word and says when it is nowhere.
TEST_F(WorkspaceTest, HelpHasContentsAndSearch) {
    frame->Action("Help")->trigger();
    auto* contents = frame->findChild<QListWidget*>("HelpContents");
    auto* text = frame->findChild<QTextBrowser*>();
    auto* find = frame->findChild<QLineEdit*>("HelpFind");
    auto* found = frame->findChild<QLabel*>("HelpFound");
    ASSERT_TRUE(contents && text && find && found);
    for (const char* heading : {"Your first property", "    The sale", "The law built in"}) {
        const auto items = contents->findItems(heading, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << heading;
        emit contents->itemActivated(items[0]);
        EXPECT_EQ(text->textCursor().block().text(), QString(heading).trimmed());
    }
    const struct {
        const char* word;
        bool there;
    } words[] = {{"bright-line", true}, {"semicolons", true}, {"zzqx", false}};
    for (const auto& w : words) {
        find->setText(w.word);
        emit find->returnPressed();
        EXPECT_EQ(text->textCursor().selectedText().compare(w.word, Qt::CaseInsensitive) == 0, w.there) << w.word;
        EXPECT_EQ(found->text().isEmpty(), w.there) << w.word;
    }
}

TEST(About, NamesVersionLicenceAndScales) {
    const QString text = AboutText();
    EXPECT_TRUE(text.contains("Pocket VEL 1.0"));
    EXPECT_TRUE(text.contains("Licence: MIT licence"));
    EXPECT_TRUE(text.contains("Australia (06/07)"));
    EXPECT_TRUE(text.contains("Qld"));
    EXPECT_TRUE(text.contains("NSW 2025"));
    EXPECT_TRUE(text.contains("Australia (26/27)"));
    EXPECT_FALSE(text.contains("Custom"));
}

// A new investment's pane invites the first step where its table would be forty years of $0;
// the table comes back with the price.
TEST(FirstWindow, TheFirstStepInPlaceOfAnEmptyTable) {
    ColoursGuard guard;
    MemorySettingsStore store;
    ScriptedUi ui;
    MainWindow frame(store, ui);
    frame.StartWith({});
    Workspace* pane = frame.Pane();
    EXPECT_TRUE(pane->FirstStep()->isVisibleTo(pane));
    EXPECT_FALSE(pane->Table()->isVisibleTo(pane));
    EXPECT_EQ(pane->FirstStep()->text(),
              QString::fromUtf8("Enter the price to begin: click \u201CProperty value\u201D in the summary."));
    AcceptPrice(frame.Doc(), 500000);
    EXPECT_FALSE(pane->FirstStep()->isVisibleTo(pane));
    EXPECT_TRUE(pane->Table()->isVisibleTo(pane));
}
