#include "ui/shell/MainFrame.h"

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
#include <QMimeData>
#include <QUrl>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
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
#include "ui/shell/Commands.h"
#include "ui/shell/DocumentFile.h"
#include "ui/shell/Hooks.h"
#include "ui/shell/Platform.h"
#include "ui/shell/VELPPCView.h"
#include "ui/shell/WindowState.h"

namespace {

// Shows what the reader reports as it reads, and remembers whether it explained a failure.
class FrameMessages : public MessageSink {
public:
    FrameMessages(DocumentUi& ui, QWidget* parent) : ui_(ui), parent_(parent) {}
    void Message(const std::string& text) override {
        ui_.ShowMessage(parent_, QString::fromStdString(text));
        // A later version is a notice, the reading goes on.
        if (text != kMsgLaterVersion) explained = true;
    }
    bool explained = false;

private:
    DocumentUi& ui_;
    QWidget* parent_;
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

CMainFrame::CMainFrame(SettingsStore& store, DocumentUi& ui, RecentFileList recent,
                       QWidget* parent)
    : QMainWindow(parent), store_(store), ui_(ui), recent_(std::move(recent)) {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Workspace"));
    splitter_->setChildrenCollapsible(false);
    view_ = new CVELPPCView(document_.Record(), document_.InvestmentScales(), store_, splitter_);
    view_->editItem = [this](unsigned itemType) { EditItemRecorded(itemType); };
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    setCentralWidget(splitter_);
    CreateWorkspace();
    // One notice per change reaches every view.
    connect(&document_, &InvestmentDocument::changed, view_->viewport(),
            qOverload<>(&QWidget::update));
    connect(&document_, &InvestmentDocument::changed, this, &CMainFrame::UpdateTitle);
    connect(&document_.UndoStack(), &QUndoStack::cleanChanged, this, &CMainFrame::UpdateTitle);
    CreateMenusAndToolBar();
    UpdateCommandStates();
    setAcceptDrops(true);
    RestoreWindowState();
    UpdateTitle();
    // Defaults, scales and colours go on working for this run; the user hears once that
    // they will not outlive it.
    store_.onWriteFailed = [this](const std::string& where) {
        ui_.ShowMessage(this, QStringLiteral("The settings could not be saved to %1, so the "
                                             "defaults you set will not be remembered.")
                                  .arg(Native(QString::fromStdString(where))));
    };
}

void CMainFrame::ReportSettingsFailure(const std::function<void()>& command) {
    const bool toldBefore = store_.WriteFailed();
    const unsigned failures = store_.FailedWrites();
    command();
    // The first failure of the run has its own message; an explicit command that fails after
    // it says so as well, rather than nothing.
    if (toldBefore && store_.FailedWrites() != failures)
        ui_.ShowMessage(this, QStringLiteral("The settings could not be saved to %1.")
                                  .arg(Native(QString::fromStdString(store_.FailedFile()))));
}

void CMainFrame::CreateWorkspace() {
    if (!Hooks().workspace) return;
    pane_ = Hooks().workspace(document_.Record(), document_.InvestmentScales(),
                              view_->ChartFonts(), splitter_);
    if (!pane_) return;
    pane_->runCommand = [this](int command) { OnCommand(command); };
    splitter_->addWidget(pane_->Widget());
    splitter_->setStretchFactor(1, 1);
    connect(&document_, &InvestmentDocument::changed, pane_->Widget(), [this] { pane_->Refresh(); });
}

CMainFrame::~CMainFrame() { store_.onWriteFailed = nullptr; }

QAction* CMainFrame::AddCommand(QMenu* menu, int command, const QString& text) {
    QAction* action;
    // Undo and Redo are the stack's own, named by the step they would take.
    if (command == CmdEditUndo) {
        action = document_.UndoStack().createUndoAction(this, text);
    } else if (command == CmdEditRedo) {
        action = document_.UndoStack().createRedoAction(this, text);
    } else {
        action = new QAction(text, this);
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    }
    action->setData(command);
    menu->addAction(action);
    actions_[command] = action;
    return action;
}

void CMainFrame::CreateMenusAndToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Commands"));
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(fileMenu_, CmdFileNew, QStringLiteral("&New"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    AddCommand(fileMenu_, CmdFileOpen, QStringLiteral("&Open..."))->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    AddCommand(fileMenu_, CmdFileSave, QStringLiteral("&Save"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    AddCommand(fileMenu_, CmdFileSaveAs, QStringLiteral("Save &As..."));
    QMenu* exports = fileMenu_->addMenu(QStringLiteral("&Export"));
    exports->setObjectName(QStringLiteral("ExportMenu"));
    AddCommand(exports, CmdExportReport, QStringLiteral("&Report (PDF)..."));
    AddCommand(exports, CmdExportWorkbook, QStringLiteral("&Workbook (XLSX)..."));
    AddCommand(exports, CmdExportProjection, QStringLiteral("&Projection (CSV)..."));
    AddCommand(fileMenu_, CmdPrint, QStringLiteral("&Print..."))->setShortcut(QKeySequence::Print);
    AddCommand(fileMenu_, CmdPrintPreview, QStringLiteral("Print Pre&view..."));
    AddCommand(fileMenu_, CmdCompare, QStringLiteral("&Compare Investments..."));
    fileMenu_->addSeparator();
    // The recent files take the place of this entry; with none it shows, disabled.
    recentPlaceholder_ = fileMenu_->addAction(QStringLiteral("Recent File"));
    recentPlaceholder_->setData(static_cast<int>(CmdFileMru));
    recentPlaceholder_->setEnabled(false);
    recentEnd_ = fileMenu_->addSeparator();
    AddCommand(fileMenu_, CmdAppExit, QStringLiteral("E&xit"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, CmdEditUndo, QStringLiteral("&Undo"))->setShortcut(QKeySequence::Undo);
    AddCommand(edit, CmdEditRedo, QStringLiteral("&Redo"))
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    edit->addSeparator();
    AddCommand(edit, CmdEditCopy, QStringLiteral("&Copy"))->setShortcut(QKeySequence::Copy);

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    AddCommand(viewMenu, CmdZoomIn, QStringLiteral("Zoom &In"))
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    AddCommand(viewMenu, CmdZoomOut, QStringLiteral("Zoom &Out"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    AddCommand(viewMenu, CmdActualSize, QStringLiteral("&Actual Size"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    viewMenu->addSeparator();
    QAction* paneAction = AddCommand(viewMenu, CmdProjectionPane, QStringLiteral("&Projection Pane"));
    paneAction->setShortcut(QKeySequence(Qt::Key_F9));
    paneAction->setCheckable(true);
    paneAction->setChecked(pane_ != nullptr);

    QMenu* graphics = menuBar()->addMenu(QStringLiteral("&Graphics"));
    AddCommand(graphics, CmdBankComparison, QStringLiteral("&Bank Comparison..."));
    AddCommand(graphics, CmdRateOfReturn, QStringLiteral("&Rate of Return"));
    AddCommand(graphics, CmdCashFlows, QStringLiteral("&Cash Flows"));
    AddCommand(graphics, CmdValueDebt, QStringLiteral("Value && Debt"));
    AddCommand(graphics, CmdWhoPays, QStringLiteral("&Who pays?"));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    AddCommand(settings, CmdPreferences, QStringLiteral("&Preferences"));
    AddCommand(settings, CmdProjections, QStringLiteral("Pro&jections"));
    AddCommand(settings, CmdLinkedVariables, QStringLiteral("&Linked Variables"));
    AddCommand(settings, CmdStampDuty, QStringLiteral("Stamp &Duty"));
    AddCommand(settings, CmdTaxScales, QStringLiteral("&Tax Scales"));
    AddCommand(settings, CmdSaveSettings, QStringLiteral("&Save Settings"));
    AddCommand(settings, CmdDeleteSettings, QStringLiteral("&Delete settings"));
    settings->addSeparator();
    AddCommand(settings, CmdAssumptions, QStringLiteral("&Assumptions"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, CmdHelp, QStringLiteral("Pocket VEL &Help"))->setShortcut(QKeySequence(Qt::Key_F1));
    AddCommand(help, CmdAbout, QStringLiteral("&About Pocket VEL"));

    for (QMenu* menu : {fileMenu_, edit, viewMenu, graphics, settings, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    bar->setObjectName(QStringLiteral("CommandBar"));
    bar->setMovable(false);
    bar->addSeparator();
    actions_[CmdFileNew]->setIcon(
        CommandIcon(*style(), QStyle::SP_FileIcon, "text-x-generic", "file"));
    actions_[CmdFileOpen]->setIcon(
        CommandIcon(*style(), QStyle::SP_DialogOpenButton, "folder-open", "standardbutton-open"));
    actions_[CmdFileSave]->setIcon(
        CommandIcon(*style(), QStyle::SP_DialogSaveButton, "document-save", "standardbutton-save"));
    bar->addAction(actions_[CmdFileNew]);
    bar->addAction(actions_[CmdFileOpen]);
    bar->addAction(actions_[CmdFileSave]);
    bar->addSeparator();

    RebuildRecentFileMenu();
}

void CMainFrame::UpdateCommandStates() {
    const ShellHooks& hooks = Hooks();
    const bool charts = static_cast<bool>(hooks.openChart);
    for (int command : {CmdBankComparison, CmdRateOfReturn, CmdCashFlows, CmdValueDebt, CmdWhoPays})
        actions_[command]->setEnabled(charts);
    for (int command : {CmdExportReport, CmdExportWorkbook, CmdExportProjection, CmdPrint, CmdPrintPreview})
        actions_[command]->setEnabled(static_cast<bool>(hooks.fileOutput));
    actions_[CmdPreferences]->setEnabled(static_cast<bool>(hooks.preferences));
    actions_[CmdProjections]->setEnabled(static_cast<bool>(hooks.editItem));
    actions_[CmdLinkedVariables]->setEnabled(static_cast<bool>(hooks.linkedVariables));
    actions_[CmdStampDuty]->setEnabled(static_cast<bool>(hooks.stampDuty));
    actions_[CmdTaxScales]->setEnabled(static_cast<bool>(hooks.taxScales));
    actions_[CmdAssumptions]->setEnabled(static_cast<bool>(hooks.assumptions));
    actions_[CmdCompare]->setEnabled(static_cast<bool>(hooks.compare));
    actions_[CmdProjectionPane]->setEnabled(pane_ != nullptr);
    actions_[CmdHelp]->setEnabled(static_cast<bool>(hooks.help));
    actions_[CmdAbout]->setEnabled(static_cast<bool>(hooks.about));
}

QAction* CMainFrame::Action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::OnCommand(int command) {
    // The view serves the charts and "Preferences"; the record's Settings commands and the
    // framework's file commands follow.
    if (view_->OnCommand(command)) {
        // The colours may have changed.
        if (command == CmdPreferences && pane_) pane_->Refresh();
        return;
    }
    const ShellHooks& hooks = Hooks();
    switch (command) {
    case CmdFileNew: FileNew(); break;
    case CmdFileOpen: FileOpen(); break;
    case CmdFileSave: FileSave(); break;
    case CmdFileSaveAs: FileSaveAs(); break;
    case CmdAppExit: close(); break;
    case CmdExportReport:
    case CmdExportWorkbook:
    case CmdExportProjection:
    case CmdPrint:
    case CmdPrintPreview:
        if (hooks.fileOutput) hooks.fileOutput(Document(), InvestmentScales(), command, PathName(), this);
        break;
    case CmdProjections:
        if (hooks.editItem)
            document_.Change(QStringLiteral("Projections"),
                      [&] { hooks.editItem(Document(), InvestmentScales(), store_, ItemProjections, this); });
        break;
    case CmdLinkedVariables:
        if (hooks.linkedVariables)
            document_.Change(QStringLiteral("Linked Variables"),
                      [&] { hooks.linkedVariables(Document(), InvestmentScales(), store_, this); });
        break;
    case CmdStampDuty:
        if (hooks.stampDuty)
            document_.Change(QStringLiteral("Stamp Duty"), [&] { hooks.stampDuty(Document(), InvestmentScales(), store_, this); });
        break;
    case CmdTaxScales:
        if (hooks.taxScales)
            document_.Change(QStringLiteral("Tax Scales"), [&] { hooks.taxScales(Document(), InvestmentScales(), store_, this); });
        break;
    case CmdAssumptions:
        if (hooks.assumptions)
            document_.Change(QStringLiteral("Assumptions"), [&] { hooks.assumptions(Document(), InvestmentScales(), store_, this); });
        break;
    case CmdCompare:
        if (hooks.compare) hooks.compare(Document(), InvestmentScales(), PathName(), ui_, this);
        break;
    case CmdEditUndo: Undo(); break;
    case CmdEditRedo: Redo(); break;
    case CmdEditCopy:
        if (pane_ && pane_->Widget()->isVisibleTo(this)) pane_->Copy();
        break;
    case CmdZoomIn:
    case CmdZoomOut:
    case CmdActualSize:
    {
        const int zoom =
            command == CmdActualSize ? 100 : NextZoom(zoom_, command == CmdZoomIn ? +1 : -1);
        // The summary keeps its proportions: its share of the window grows with the zoom.
        QList<int> sizes = splitter_->sizes();
        if (pane_ && pane_->Widget()->isVisibleTo(this) && sizes.size() == 2 && zoom_ > 0) {
            const int total = sizes[0] + sizes[1];
            sizes[0] = std::min(sizes[0] * zoom / zoom_, total * 3 / 4);
            sizes[1] = total - sizes[0];
            splitter_->setSizes(sizes);
        }
        SetZoom(zoom);
    }
        // Kept at once, as the recent files are.
        WriteWindowState(store_, CurrentWindowState());
        break;
    case CmdProjectionPane:
        if (pane_) ShowPane(!pane_->Widget()->isVisibleTo(this));
        break;
    case CmdHelp:
        if (hooks.help) hooks.help(this);
        break;
    case CmdAbout:
        if (hooks.about) hooks.about(this);
        break;
    case CmdSaveSettings:
        ReportSettingsFailure([this] { SaveSettings(store_, Document(), InvestmentScales()); });
        break;
    case CmdDeleteSettings: ReportSettingsFailure([this] { DeleteSettings(store_); }); break;
    default: break;
    }
}

void CMainFrame::RebuildRecentFileMenu() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    recentPlaceholder_->setVisible(recent_.Size() == 0);
    for (int i = 0; i < recent_.Size(); ++i) {
        auto* action = new QAction(recent_.MenuText(i), this);
        action->setData(static_cast<int>(CmdFileMru) + i);
        // A tool tip takes markup; a file's name is shown as it is spelt.
        action->setToolTip(Qt::convertFromPlainText(Native(recent_.Files()[i])));
        connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
        fileMenu_->insertAction(recentEnd_, action);
        recentActions_.push_back(action);
    }
}

void CMainFrame::RememberFile(const QString& path) {
    recent_.Add(path);
    recent_.Save(store_);
    RebuildRecentFileMenu();
}

QString CMainFrame::DocumentTitle() const {
    return PathName().isEmpty() ? QString::fromUtf8(kUntitled) : QFileInfo(PathName()).fileName();
}

void CMainFrame::UpdateTitle() {
    // A star after the name while the investment has changes not saved.
    const bool modified = document_.IsModified();
    setWindowModified(modified);
    setWindowTitle(DocumentTitle() + (modified ? QStringLiteral("*") : QString()) +
                   QStringLiteral(" - ") + QString::fromUtf8(kAppTitle));
}

bool CMainFrame::NewDocument() {
    const bool first = firstStartYear_ != 0 && HoldsNoDefaults(store_);
    CVELPPCDoc& doc = Document();
    Scales& scales = InvestmentScales();
    if (!NewInvestment(doc, scales, store_)) return false;
    if (first) {
        ApplyFirstStartLaw(doc, firstStartYear_, firstStartMonth_);
        scales.duty = TodaysDutyScale(StartupDutyScale());
        // The scale in force, which the scale editor shows, is the one of the purchase's
        // income year rather than the 2006 one.
        scales.tax = IncomeYearTaxScale(doc.TaxLaw, IncomeYearOf(doc.TaxLaw, PurchaseDate(doc)),
                                        false, doc.RateInfl);
        doc.Recalculate(false, scales);
    }
    document_.SetPath({});
    document_.Replaced();
    UpdateTitle();
    return true;
}

bool CMainFrame::StartWith(const QString& path) {
    if (!NewDocument()) return false;
    if (!path.isEmpty()) ReadDocument(path);
    return true;
}

bool CMainFrame::FileNew() {
    if (!SaveModified()) return false;
    return NewDocument();
}

bool CMainFrame::FileOpen() {
    const QString path = ui_.AskOpenFileName(this);
    if (path.isEmpty()) return false;
    return OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) return false;
    return ReadDocument(path);
}

bool CMainFrame::OpenRecentFile(int index) {
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

bool CMainFrame::FileSave() {
    if (PathName().isEmpty()) return FileSaveAs();
    return WriteDocument(PathName());
}

bool CMainFrame::FileSaveAs() {
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

bool CMainFrame::SaveModified() {
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

bool CMainFrame::ReadDocument(const QString& path) {
    const QString name = Native(QFileInfo(path).absoluteFilePath());
    FrameMessages messages(ui_, this);
    QString failure;
    if (!document_.Read(path, messages, failure)) {
        if (!failure.isEmpty())
            ui_.ShowMessage(this, QStringLiteral("The file %1 could not be read.\n%2").arg(name, failure));
        else if (!messages.explained)
            ui_.ShowMessage(this, QStringLiteral("The file %1 could not be read.").arg(name));
        return false;
    }
    UpdateTitle();
    RememberFile(PathName());
    return true;
}

bool CMainFrame::WriteDocument(const QString& path) {
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
        ui_.ShowMessage(this, QStringLiteral("The file %1 could not be saved.\n%2").arg(name, failure));
        return false;
    }
    UpdateTitle();
    RememberFile(PathName());
    return true;
}

QString CMainFrame::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    const QString extension = QString::fromUtf8(kFileExtension);
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (path.endsWith(extension, Qt::CaseInsensitive) && !QFileInfo(path).isDir()) return path;
    }
    return {};
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData()).isEmpty()) event->ignore();
    else event->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedFile(event->mimeData()).isEmpty()) event->ignore();
    else event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
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

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    WriteWindowState(store_, CurrentWindowState());
    event->accept();
}

// --- undo ---

void CMainFrame::EditItemRecorded(unsigned itemType) {
    const ShellHooks& hooks = Hooks();
    if (!hooks.editItem) return;
    document_.Change(
        [&] { hooks.editItem(Document(), InvestmentScales(), store_, itemType, view_); },
        [itemType](const RecordState& before, const RecordState& after) {
            // "Change Scale" puts its scale in force even when "Purchase Costs" is then
            // cancelled.
            const bool scaleOnly = before.SameRecord(after) && !before.SameScales(after);
            return itemType == ItemPurchaseCosts && scaleOnly ? QStringLiteral("Change Scale")
                                                              : EditorName(itemType);
        });
}

bool CMainFrame::Undo() {
    if (!document_.UndoStack().canUndo()) return false;
    document_.UndoStack().undo();
    return true;
}

bool CMainFrame::Redo() {
    if (!document_.UndoStack().canRedo()) return false;
    document_.UndoStack().redo();
    return true;
}

// --- view ---

void CMainFrame::SetZoom(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    view_->SetZoom(zoom_);
    if (pane_) pane_->SetZoom(zoom_);
}

void CMainFrame::ShowPane(bool shown) {
    if (!pane_) return;
    QWidget* pane = pane_->Widget();
    // The divider stays where the user left it while the pane is away.
    if (!shown && pane->isVisibleTo(this)) hiddenDivider_ = splitter_->sizes().value(0);
    const bool reshown = shown && !pane->isVisibleTo(this) && hiddenDivider_ > 0;
    pane->setVisible(shown);
    if (reshown) {
        const int total = std::max(splitter_->width(), hiddenDivider_ + 1);
        splitter_->setSizes({hiddenDivider_, total - hiddenDivider_});
    }
    if (QAction* action = Action(CmdProjectionPane)) action->setChecked(shown);
}

WindowState CMainFrame::CurrentWindowState() const {
    WindowState s;
    s.hasGeometry = true;
    s.geometry = ToRect(isMaximized() || isFullScreen() ? normalGeometry() : geometry());
    s.maximized = isMaximized();
    s.divider = splitter_->sizes().value(0);
    s.zoom = zoom_;
    if (pane_) {
        s.tab = pane_->CurrentTab();
        s.paneShown = pane_->Widget()->isVisibleTo(this);
        if (!s.paneShown && hiddenDivider_ > 0) s.divider = hiddenDivider_;
    }
    return s;
}

void CMainFrame::RestoreWindowState() {
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
        place = FirstWindowPlace(screen, kFirstWidth, kFirstHeight);
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
