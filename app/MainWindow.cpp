#include "app/MainWindow.h"

#include "app/Program.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

#include <algorithm>
#include <sstream>
#include <string>

#include "model/Law.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/InvestmentFile.h"
#include "persist/Settings.h"
#include "app/Help.h"
#include "export/SummaryText.h"
#include "ui/charts/ChartKind.h"
#include "ui/charts/Charts.h"
#include "ui/colours/ColourPreferences.h"
#include "ui/dialogs/AssumptionDialogs.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/ItemEditors.h"
#include "ui/dialogs/ScaleDialogs.h"
#include "ui/report/FileOutput.h"
#include "ui/shell/DocumentFile.h"
#include "ui/workspace/CompareWindow.h"
#include "analysis/Risk.h"
#include "ui/workspace/RiskTab.h"
#include "ui/workspace/WhatIfTab.h"
#include "ui/workspace/Workspace.h"
#include "ui/shell/Platform.h"
#include "ui/shell/SummaryView.h"
#include "ui/shell/WindowState.h"

namespace {

// What the reader reports as it reads: why it stopped is kept for the one message that names
// the file; a notice (a later version, a damaged block of inputs) is shown as a warning.
class FrameMessages : public MessageSink {
public:
    FrameMessages(DocumentUi& ui, QWidget* parent, const QString& name)
        : ui_(ui), parent_(parent), name_(name) {}
    void Message(const std::string& text) override {
        const QString words = QString::fromStdString(ReadMessageInWords(text));
        if (text == kMsgDifferentVel || text == kMsgBadFilePointer) {
            reason = words;
            return;
        }
        // A later version is a notice, the reading goes on.
        if (text == kMsgLaterVersion) {
            ui_.ShowProblem(parent_, QStringLiteral("%1\n%2").arg(name_, words), false);
            return;
        }
        ui_.ShowProblem(parent_, words, false);
        explained = true;
    }
    QString reason;        // why the file was not read, when the reader said
    bool explained = false; // a message about the failure was shown

private:
    DocumentUi& ui_;
    QWidget* parent_;
    QString name_;
};

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// A first start: room for the summary and a readable pane.
constexpr int kFirstWidth = 1100;
constexpr int kFirstHeight = 700;
// The summary's share of the window until the user moves the divider.
constexpr int kSummaryWidth = 340;

// What Undo names the change an editor makes, by item type.
QString EditorName(unsigned itemType) {
    static const char* const kNames[kItemTypeCount] = {
        "Details",          "Property Value", "Purchase Costs", "Cash Deposit",
        "Rental Income",    "Rental Expenses", "Depreciation",  "Loan Amount",
        "Loan Type",        "Loan Costs",     "Investor Details", "Results Year",
        "", "", "", "Projections", "", "", ""};
    return itemType < kItemTypeCount ? QString::fromUtf8(kNames[itemType]) : QString();
}

Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

} // namespace

MainWindow::MainWindow(SettingsStore& store, DocumentUi& ui, RecentFileList recent,
                       QWidget* parent)
    : QMainWindow(parent), store_(store), ui_(ui), recent_(std::move(recent)), itemEditor_(EditItem) {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Workspace"));
    splitter_->setChildrenCollapsible(false);
    // The summary, under a line that names the scales and the law its figures follow.
    auto* summary = new QWidget(splitter_);
    auto* column = new QVBoxLayout(summary);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    scalesLine_ = new QLabel(summary);
    scalesLine_->setObjectName(QStringLiteral("ScalesInForce"));
    scalesLine_->setWordWrap(true);
    scalesLine_->setContentsMargins(4, 2, 4, 2);
    view_ = new SummaryView(document_.Record(), document_.InvestmentScales(), store_, summary);
    connect(view_, &SummaryView::itemActivated, this, &MainWindow::EditItemOf);
    column->addWidget(scalesLine_);
    column->addWidget(view_, 1);
    splitter_->addWidget(summary);
    splitter_->setStretchFactor(0, 0);
    setCentralWidget(splitter_);
    CreateWorkspace();
    // The keyboard starts on the summary: Down, then Enter opens the first editor.
    view_->setFocus();
    // One notice per change reaches every view.
    connect(&document_, &InvestmentDocument::changed, view_->viewport(),
            qOverload<>(&QWidget::update));
    connect(&document_, &InvestmentDocument::changed, this, &MainWindow::UpdateTitle);
    connect(&document_, &InvestmentDocument::changed, this, [this] {
        scalesLine_->setText(QString::fromStdString(ScalesInForce(Document(), InvestmentScales())));
    });
    connect(&document_.UndoStack(), &QUndoStack::cleanChanged, this, &MainWindow::UpdateTitle);
    CreateMenusAndToolBar();
    setAcceptDrops(true);
    RestoreWindowState();
    UpdateTitle();
    // Defaults, scales and colours go on working for this run; the user hears once that
    // they will not outlive it.
    store_.onWriteFailed = [this](const std::string& where) {
        ui_.ShowProblem(this, QStringLiteral("The settings could not be saved to %1, so the "
                                             "defaults you set will not be remembered.")
                                  .arg(Native(QString::fromStdString(where))),
                        false);
    };
}

void MainWindow::ReportSettingsFailure(const std::function<void()>& command) {
    const bool toldBefore = store_.WriteFailed();
    const unsigned failures = store_.FailedWrites();
    command();
    // The first failure of the run has its own message; an explicit command that fails after
    // it says so as well, rather than nothing.
    if (toldBefore && store_.FailedWrites() != failures)
        ui_.ShowProblem(this, QStringLiteral("The settings could not be saved to %1.")
                                  .arg(Native(QString::fromStdString(store_.FailedFile()))),
                        false);
}

void MainWindow::CreateWorkspace() {
    pane_ = new Workspace(Document(), InvestmentScales(), view_->ChartFonts(), splitter_);
    connect(pane_, &Workspace::assumptionsRequested, this, &MainWindow::Assumptions);
    pane_->Risk()->RememberIn(store_);
    splitter_->addWidget(pane_);
    splitter_->setStretchFactor(1, 1);
    connect(&document_, &InvestmentDocument::changed, pane_, &Workspace::Refresh);
}

MainWindow::~MainWindow() { store_.onWriteFailed = nullptr; }

template <class Slot>
QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& text, Slot slot) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    menu->addAction(action);
    return action;
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::CreateMenusAndToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* fileNew = AddAction(fileMenu_, "FileNew", QStringLiteral("&New"), &MainWindow::FileNew);
    fileNew->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    QAction* fileOpen = AddAction(fileMenu_, "FileOpen", QStringLiteral("&Open..."), &MainWindow::FileOpen);
    fileOpen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    QAction* fileSave = AddAction(fileMenu_, "FileSave", QStringLiteral("&Save"), &MainWindow::FileSave);
    fileSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    AddAction(fileMenu_, "FileSaveAs", QStringLiteral("Save &As..."), &MainWindow::FileSaveAs);
    QMenu* exports = fileMenu_->addMenu(QStringLiteral("&Export"));
    exports->setObjectName(QStringLiteral("ExportMenu"));
    AddAction(exports, "ExportReport", QStringLiteral("&Report (PDF)..."), &MainWindow::ExportReport);
    AddAction(exports, "ExportWorkbook", QStringLiteral("&Workbook (XLSX)..."), &MainWindow::ExportWorkbook);
    AddAction(exports, "ExportProjection", QStringLiteral("&Projection (CSV)..."), &MainWindow::ExportProjection);
    AddAction(fileMenu_, "Print", QStringLiteral("&Print..."), &MainWindow::Print)->setShortcut(QKeySequence::Print);
    AddAction(fileMenu_, "PrintPreview", QStringLiteral("Print Pre&view..."), &MainWindow::PrintPreview);
    AddAction(fileMenu_, "Compare", QStringLiteral("&Compare Investments..."), &MainWindow::CompareInvestments);
    fileMenu_->addSeparator();
    // The recent files take the place of this entry; with none it shows, disabled.
    recentPlaceholder_ = fileMenu_->addAction(QStringLiteral("Recent File"));
    recentPlaceholder_->setObjectName(QStringLiteral("RecentFile"));
    recentPlaceholder_->setEnabled(false);
    recentEnd_ = fileMenu_->addSeparator();
    AddAction(fileMenu_, "Exit", QStringLiteral("E&xit"), &MainWindow::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    // Undo and Redo are the stack's own, named by the step they would take.
    QAction* undo = document_.UndoStack().createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = document_.UndoStack().createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    edit->addAction(redo);
    edit->addSeparator();
    AddAction(edit, "Copy", QStringLiteral("&Copy"), &MainWindow::Copy)->setShortcut(QKeySequence::Copy);

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    AddAction(viewMenu, "ZoomIn", QStringLiteral("Zoom &In"), &MainWindow::ZoomIn)
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    AddAction(viewMenu, "ZoomOut", QStringLiteral("Zoom &Out"), &MainWindow::ZoomOut)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    AddAction(viewMenu, "ActualSize", QStringLiteral("&Actual Size"), &MainWindow::ActualSize)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    viewMenu->addSeparator();
    paneAction_ = AddAction(viewMenu, "ProjectionPane", QStringLiteral("&Projection Pane"),
                            &MainWindow::ToggleProjectionPane);
    paneAction_->setShortcut(QKeySequence(Qt::Key_F9));
    paneAction_->setCheckable(true);
    paneAction_->setChecked(true);

    QMenu* graphics = menuBar()->addMenu(QStringLiteral("&Graphics"));
    const struct {
        const char* name;
        const char* text;
        int chart;
    } charts[] = {// The charts' own captions, as their tabs and the report name them.
                  {"BankComparison", "&Property vs Cash...", ChartBankComparison},
                  {"RateOfReturn", "Internal &Rates of Return", ChartRateOfReturn},
                  {"CashFlows", "&Cash Flows", ChartCashFlows},
                  {"ValueDebt", "&Value && Debt", ChartValueDebt},
                  {"WhoPays", "&Who Pays?", ChartWhoPays}};
    for (const auto& c : charts) {
        const int chart = c.chart;
        AddAction(graphics, c.name, QString::fromUtf8(c.text), [this, chart] { OpenChart(chart); });
    }

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    AddAction(settings, "Preferences", QStringLiteral("&Preferences"), &MainWindow::Preferences);
    AddAction(settings, "Projections", QStringLiteral("Pro&jections"), &MainWindow::Projections);
    AddAction(settings, "LinkedVariables", QStringLiteral("&Linked Variables"), &MainWindow::LinkedVariables);
    AddAction(settings, "StampDuty", QStringLiteral("Stamp &Duty"), &MainWindow::StampDuty);
    AddAction(settings, "TaxScales", QStringLiteral("&Tax Scales"), &MainWindow::TaxScales);
    AddAction(settings, "SaveSettings", QStringLiteral("&Save Settings"), &MainWindow::SaveSettingsNow);
    AddAction(settings, "DeleteSettings", QStringLiteral("D&elete settings"), &MainWindow::DeleteSettingsNow);
    settings->addSeparator();
    AddAction(settings, "Assumptions", QStringLiteral("&Assumptions"), &MainWindow::Assumptions);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddAction(help, "Help", QStringLiteral("Pocket VEL &Help"), &MainWindow::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    AddAction(help, "About", QStringLiteral("&About Pocket VEL"), &MainWindow::About);

    bar->setObjectName(QStringLiteral("CommandBar"));
    bar->setMovable(false);
    bar->addSeparator();
    fileNew->setIcon(ProgramIcon(QStringLiteral("new")));
    fileOpen->setIcon(ProgramIcon(QStringLiteral("open")));
    fileSave->setIcon(ProgramIcon(QStringLiteral("save")));
    bar->addAction(fileNew);
    bar->addAction(fileOpen);
    bar->addAction(fileSave);
    bar->addSeparator();

    RebuildRecentFileMenu();
}

// --- the menus' commands ---

void MainWindow::RunFileOutput(int kind) {
    // The report shows the grid the "What If" tab shows, and the futures the "Risk" tab works out.
    ::RunFileOutput(Document(), InvestmentScales(), kind, PathName(), pane_->WhatIf()->Setup(), ui_, this,
                    pane_->Risk()->Setup());
}
void MainWindow::ExportReport() { RunFileOutput(OutputReport); }
void MainWindow::ExportWorkbook() { RunFileOutput(OutputWorkbook); }
void MainWindow::ExportProjection() { RunFileOutput(OutputProjection); }
void MainWindow::Print() { RunFileOutput(OutputPrint); }
void MainWindow::PrintPreview() { RunFileOutput(OutputPrintPreview); }

void MainWindow::CompareInvestments() {
    ShowCompareWindow(Document(), InvestmentScales(), PathName(), ui_, this);
}

void MainWindow::Copy() {
    if (pane_->isVisibleTo(this)) pane_->Copy();
}

void MainWindow::Zoom(int zoom) {
    // The summary keeps its proportions: its share of the window grows with the zoom.
    QList<int> sizes = splitter_->sizes();
    if (pane_->isVisibleTo(this) && sizes.size() == 2 && zoom_ > 0) {
        const int total = sizes[0] + sizes[1];
        sizes[0] = std::min(sizes[0] * zoom / zoom_, total * 3 / 4);
        sizes[1] = total - sizes[0];
        splitter_->setSizes(sizes);
    }
    SetZoom(zoom);
    // Kept at once, as the recent files are.
    WriteWindowState(store_, CurrentWindowState());
}

void MainWindow::ZoomIn() { Zoom(NextZoom(zoom_, +1)); }
void MainWindow::ZoomOut() { Zoom(NextZoom(zoom_, -1)); }
void MainWindow::ActualSize() { Zoom(100); }
void MainWindow::ToggleProjectionPane() { ShowPane(!pane_->isVisibleTo(this)); }

void MainWindow::OpenChart(int chart) { ShowChart(Document(), InvestmentScales(), chart, view_->ChartFonts(), this); }

void MainWindow::Preferences() {
    if (!RunPreferences(store_, this)) return;
    view_->ColoursChanged();
    pane_->Refresh();
}

void MainWindow::RunSettingsEditor(const QString& name, void (*edit)(Investment&, Scales&,
                                                                    SettingsStore&, DocumentUi&,
                                                                    QWidget*)) {
    document_.Change(name, [&] { edit(Document(), InvestmentScales(), store_, ui_, this); });
}

void MainWindow::Projections() {
    document_.Change(QStringLiteral("Projections"), [&] {
        EditItem(Document(), InvestmentScales(), store_, ui_, ItemProjections, this);
    });
}
void MainWindow::LinkedVariables() { RunSettingsEditor(QStringLiteral("Linked Variables"), EditLinkedVariables); }
void MainWindow::StampDuty() { RunSettingsEditor(QStringLiteral("Stamp Duty"), EditStampDutyScale); }
void MainWindow::TaxScales() { RunSettingsEditor(QStringLiteral("Tax Scales"), EditTaxScales); }
void MainWindow::Assumptions() { RunSettingsEditor(QStringLiteral("Assumptions"), EditAssumptions); }

void MainWindow::SaveSettingsNow() {
    ReportSettingsFailure([this] { SaveSettings(store_, Document(), InvestmentScales()); });
}

void MainWindow::DeleteSettingsNow() {
    // Nothing in memory changes, but what new investments start from is gone for good.
    if (!ui_.AskYesNo(this, QStringLiteral("Delete the remembered settings? New investments "
                                           "will start from the built-in defaults, scales and "
                                           "colours.")))
        return;
    ReportSettingsFailure([this] {
        DeleteSettings(store_);
        ForgetRiskSetup(store_);
    });
}

void MainWindow::Help() { ShowHelp(this); }
void MainWindow::About() { ShowAbout(this); }

void MainWindow::RebuildRecentFileMenu() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    recentPlaceholder_->setVisible(recent_.Size() == 0);
    for (int i = 0; i < recent_.Size(); ++i) {
        auto* action = new QAction(recent_.MenuText(i), this);
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        // A tool tip takes markup; a file's name is shown as it is spelt.
        action->setToolTip(Qt::convertFromPlainText(Native(recent_.Files()[i])));
        connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        fileMenu_->insertAction(recentEnd_, action);
        recentActions_.push_back(action);
    }
}

void MainWindow::RememberFile(const QString& path) {
    recent_.Add(path);
    recent_.Save(store_);
    RebuildRecentFileMenu();
}

QString MainWindow::DocumentTitle() const {
    return PathName().isEmpty() ? QString::fromUtf8(kUntitled) : QFileInfo(PathName()).fileName();
}

void MainWindow::UpdateTitle() {
    // A star after the name while the investment has changes not saved.
    const bool modified = document_.IsModified();
    setWindowModified(modified);
    setWindowTitle(DocumentTitle() + (modified ? QStringLiteral("*") : QString()) +
                   QStringLiteral(" - ") + QString::fromUtf8(kAppTitle));
}

bool MainWindow::NewDocument() {
    const bool first = firstStartYear_ != 0 && HoldsNoDefaults(store_);
    Investment& doc = Document();
    Scales& scales = InvestmentScales();
    if (!NewInvestment(doc, scales, store_)) return false;
    if (first) {
        ApplyFirstStartLaw(doc, firstStartYear_, firstStartMonth_);
        scales.duty = TodaysDutyScale(StartupDutyScale());
        // The scale in force, which the scale editor shows, is the one of the purchase's
        // income year rather than the 2006 one.
        scales.tax = IncomeYearTaxScale(doc.TaxLaw, IncomeYearOf(doc.TaxLaw, PurchaseDate(doc)),
                                        false, doc.RateInfl);
        doc.Recalculate(scales);
    }
    document_.SetPath({});
    document_.Replaced();
    UpdateTitle();
    return true;
}

bool MainWindow::StartWith(const QString& path) {
    if (!NewDocument()) return false;
    if (!path.isEmpty()) ReadDocument(path);
    return true;
}

bool MainWindow::FileNew() {
    if (!SaveModified()) return false;
    return NewDocument();
}

bool MainWindow::FileOpen() {
    const QString path = ui_.AskOpenFileName(this);
    if (path.isEmpty()) return false;
    return OpenDocumentFile(path);
}

bool MainWindow::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) return false;
    return ReadDocument(path);
}

bool MainWindow::OpenRecentFile(int index) {
    if (index < 0 || index >= recent_.Size()) return false;
    const QString path = recent_.Files()[index];
    if (!SaveModified()) return false;
    if (ReadDocument(path)) return true;
    // A file that can no longer be read leaves the list.
    const int now = static_cast<int>(recent_.Files().indexOf(path));
    if (now >= 0) {
        recent_.Remove(now);
        recent_.Save(store_);
        RebuildRecentFileMenu();
    }
    return false;
}

bool MainWindow::FileSave() {
    if (PathName().isEmpty()) return FileSaveAs();
    return WriteDocument(PathName());
}

bool MainWindow::FileSaveAs() {
    QString proposed = PathName();
    if (proposed.isEmpty()) {
        const QString dir = recent_.Size() > 0 ? QFileInfo(recent_.Files()[0]).absolutePath()
                                               : QDir::currentPath();
        proposed = QDir(dir).filePath(QString::fromUtf8(kUntitled) + QString::fromUtf8(kFileExtension));
    }
    QString path = ui_.AskSaveFileName(this, proposed);
    if (path.isEmpty()) return false;
    // A name given without an extension gets the program's.
    if (QFileInfo(path).suffix().isEmpty()) {
        if (path.endsWith('.')) path.chop(1);
        path += QString::fromUtf8(kFileExtension);
    }
    return WriteDocument(path);
}

bool MainWindow::SaveModified() {
    if (!document_.IsModified()) return true;
    const QString question = QStringLiteral("Save changes to %1?").arg(DocumentTitle());
    switch (ui_.AskSaveChanges(this, question)) {
    case DocumentUi::SaveAnswer::Yes: return FileSave();
    case DocumentUi::SaveAnswer::SaveAs: return FileSaveAs();
    case DocumentUi::SaveAnswer::No: return true;
    case DocumentUi::SaveAnswer::Cancel: break;
    }
    return false;
}

bool MainWindow::ReadDocument(const QString& path) {
    const QString name = Native(QFileInfo(path).absoluteFilePath());
    FrameMessages messages(ui_, this, name);
    QString failure;
    if (!document_.Read(path, messages, failure)) {
        if (failure.isEmpty()) failure = messages.reason;
        // Without a word from the reader the file ended before the investment did.
        if (failure.isEmpty() && !messages.explained)
            failure = QStringLiteral("It ends before the investment does: the file is incomplete "
                                     "or damaged.");
        if (!failure.isEmpty())
            ui_.ShowProblem(this, QStringLiteral("The file %1 could not be read.\n%2").arg(name, failure),
                            true);
        return false;
    }
    UpdateTitle();
    RememberFile(PathName());
    return true;
}

bool MainWindow::WriteDocument(const QString& path) {
    const QString name = Native(QFileInfo(path).absoluteFilePath());
    // Before writing over the file of the investment: when another program changed it since
    // it was read or saved here, the user decides whether to overwrite it.
    if (document_.ChangedOnDisk(path) &&
        !ui_.AskYesNo(this, QStringLiteral("%1 was changed by another program since it was "
                                           "opened. Overwrite it?")
                                .arg(Native(PathName()))))
        return false;
    QString failure;
    if (!document_.Write(path, failure)) {
        ui_.ShowProblem(this, QStringLiteral("The file %1 could not be saved.\n%2").arg(name, failure), true);
        return false;
    }
    UpdateTitle();
    RememberFile(PathName());
    return true;
}

QString MainWindow::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    const QString extension = QString::fromUtf8(kFileExtension);
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (path.endsWith(extension, Qt::CaseInsensitive) && !QFileInfo(path).isDir()) return path;
    }
    return {};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData()).isEmpty()) event->ignore();
    else event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedFile(event->mimeData()).isEmpty()) event->ignore();
    else event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The drag's source waits until the drop returns; the save question and any message
    // about the file come after that.
    QMetaObject::invokeMethod(this, [this, path] { OpenDocumentFile(path); }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    WriteWindowState(store_, CurrentWindowState());
    event->accept();
}

// --- undo ---

void MainWindow::EditItemOf(unsigned itemType) {
    document_.Change(
        [&] { itemEditor_(Document(), InvestmentScales(), store_, ui_, itemType, view_); },
        [itemType](const RecordState& before, const RecordState& after) {
            // "Change Scale" puts its scale in force even when "Purchase Costs" is then
            // cancelled.
            const bool scaleOnly = before.SameRecord(after) && !before.SameScales(after);
            return itemType == ItemPurchaseCosts && scaleOnly ? QStringLiteral("Change Scale")
                                                              : EditorName(itemType);
        });
}

bool MainWindow::Undo() {
    if (!document_.UndoStack().canUndo()) return false;
    document_.UndoStack().undo();
    return true;
}

bool MainWindow::Redo() {
    if (!document_.UndoStack().canRedo()) return false;
    document_.UndoStack().redo();
    return true;
}

// --- view ---

void MainWindow::SetZoom(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    view_->SetZoom(zoom_);
    if (pane_) pane_->SetZoom(zoom_);
}

void MainWindow::ShowPane(bool shown) {
    if (!pane_) return;
    QWidget* pane = pane_;
    // The divider stays where the user left it while the pane is away.
    if (!shown && pane->isVisibleTo(this)) hiddenDivider_ = splitter_->sizes().value(0);
    const bool reshown = shown && !pane->isVisibleTo(this) && hiddenDivider_ > 0;
    pane->setVisible(shown);
    if (reshown) {
        const int total = std::max(splitter_->width(), hiddenDivider_ + 1);
        splitter_->setSizes({hiddenDivider_, total - hiddenDivider_});
    }
    paneAction_->setChecked(shown);
}

WindowState MainWindow::CurrentWindowState() const {
    WindowState s;
    s.hasGeometry = true;
    s.geometry = ToRect(isMaximized() || isFullScreen() ? normalGeometry() : geometry());
    s.maximized = isMaximized();
    s.divider = splitter_->sizes().value(0);
    s.zoom = zoom_;
    if (pane_) {
        s.tab = pane_->CurrentTab();
        s.paneShown = pane_->isVisibleTo(this);
        if (!s.paneShown && hiddenDivider_ > 0) s.divider = hiddenDivider_;
    }
    return s;
}

QSize MainWindow::FirstStartSize() const {
    // Wide enough for the summary and every tab's title beside it.
    const int tabs = pane_ ? pane_->tabBar()->sizeHint().width() + splitter_->handleWidth() + 8 : 0;
    return {std::max(kFirstWidth, kSummaryWidth + tabs), kFirstHeight};
}

void MainWindow::RestoreWindowState() {
    const WindowState s = ReadWindowState(store_);
    std::vector<Rect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToRect(screen->availableGeometry()));
    Rect place;
    if (s.hasGeometry) {
        place = PlaceOnScreens(s.geometry, screens);
    } else {
        const QScreen* primary = QGuiApplication::primaryScreen();
        const Rect screen = primary ? ToRect(primary->availableGeometry())
                                    : Rect{0, 0, kFirstWidth, kFirstHeight};
        const QSize first = FirstStartSize();
        place = FirstWindowPlace(screen, first.width(), first.height());
    }
    setGeometry(place.left, place.top, place.width(), place.height());
    if (s.maximized) setWindowState(windowState() | Qt::WindowMaximized);
    SetZoom(s.zoom);
    const int summary = s.divider > 0 ? s.divider : kSummaryWidth * zoom_ / 100;
    splitter_->setSizes({summary, std::max(place.width() - summary, 1)});
    if (pane_) {
        pane_->SetCurrentTab(s.tab);
        ShowPane(s.paneShown);
    }
}
