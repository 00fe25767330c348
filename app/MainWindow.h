// The main window: the open investment (its document), the summary view beside the workspace
// pane, the menus "&File", "&Edit", "&View", "&Graphics", "&Settings" and "&Help" and the tool
// bar. Each menu entry is a named action connected to the slot that does its work; the window
// sits above every feature and calls each directly.
#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <vector>

#include "model/Investment.h"
#include "ui/shell/InvestmentDocument.h"
#include "ui/shell/RecentFileList.h"
#include "ui/shell/WindowState.h"

class QAction;
class QLabel;
class QMenu;
class QMimeData;
class QSplitter;
class Workspace;
class SettingsStore;
class DocumentUi;
class SummaryView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(SettingsStore& store, DocumentUi& ui, RecentFileList recent = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The open investment, and its record and scales.
    InvestmentDocument& Doc() { return document_; }
    Investment& Document() { return document_.Record(); }
    Scales& InvestmentScales() { return document_.InvestmentScales(); }
    SummaryView* View() { return view_; }
    // The pane beside the summary.
    Workspace* Pane() { return pane_; }
    QSplitter* Splitter() { return splitter_; }
    QUndoStack& History() { return document_.UndoStack(); }
    SettingsStore& Store() { return store_; }

    // The first investment of the run: a new one, then the file named, if any. A file that
    // cannot be read leaves the new investment in the window.
    bool StartWith(const QString& path);
    // On a user's first start (no defaults stored) new investments follow today's law, bought
    // in this month (the program gives today's); without it they take the built-in defaults.
    void SetFirstStartMonth(int year, int month) {
        firstStartYear_ = year;
        firstStartMonth_ = month;
    }

    // Opens a file in place of the current investment, after the save question.
    bool OpenDocumentFile(const QString& path);
    bool OpenRecentFile(int index);
    // The save question when the investment holds changes not saved; false when the user
    // cancels or the save fails.
    bool SaveModified();

    // The file that a drop of `data` opens: the first local file named "*.vel", or empty.
    static QString DroppedFile(const QMimeData* data);

    // The menu entry or tool button whose object name is `name` ("FileSave"), or null.
    QAction* Action(const QString& name) const;

    // Empty before the first save.
    const QString& PathName() const { return document_.Path(); }
    // "Untitled" before the first save, else the file's name.
    QString DocumentTitle() const;
    const RecentFileList& RecentFiles() const { return recent_; }
    // The actions of the recent files now in the File menu.
    const std::vector<QAction*>& RecentFileActions() const { return recentActions_; }

    void SetZoom(int percent);
    int Zoom() const { return zoom_; }
    void ShowPane(bool shown);
    // The size a first start asks for (less on a smaller screen): the summary and every tab's
    // title beside it.
    QSize FirstStartSize() const;
    // The window's state as it would be remembered now.
    WindowState CurrentWindowState() const;

public slots:
    // File; each returns whether it was carried out.
    bool FileNew();
    bool FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void ExportReport();
    void ExportWorkbook();
    void ExportProjection();
    void Print();
    void PrintPreview();
    void CompareInvestments();
    // Edit
    bool Undo();
    bool Redo();
    void Copy();
    // View
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void ToggleProjectionPane();
    // Graphics
    void OpenChart(int chart);
    // Settings
    void Preferences();
    void Projections();
    void LinkedVariables();
    void StampDuty();
    void TaxScales();
    void SaveSettingsNow();
    void DeleteSettingsNow();
    void Assumptions();
    // Help
    void Help();
    void About();
    // The editor of a summary line (an item type), as a tap on it opens it.
    void EditItemOf(unsigned itemType);

public:
    // What opens the editor of a summary line: the program's editors, or in tests one that
    // acts as an accepted or cancelled dialog would.
    using ItemEditor =
        std::function<void(Investment&, Scales&, SettingsStore&, DocumentUi&, unsigned itemType,
                           QWidget*)>;
    void SetItemEditor(ItemEditor editor) { itemEditor_ = std::move(editor); }

protected:
    void closeEvent(QCloseEvent* event) override;
    // A ".vel" file dropped onto the window opens as File Open would, save question first.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A settings editor that changes the investment, as one step of Undo named `name`.
    void RunSettingsEditor(const QString& name, void (*edit)(Investment&, Scales&, SettingsStore&,
                                                             DocumentUi&, QWidget*));
    // New: the defaults, and today's law on a first start.
    bool NewDocument();
    int firstStartYear_ = 0, firstStartMonth_ = 0;

    void CreateMenusAndToolBar();
    void CreateWorkspace();
    // Runs a command that writes the settings and tells the user when its writes failed.
    void ReportSettingsFailure(const std::function<void()>& command);
    void RestoreWindowState();
    // A new named entry of `menu` that runs `slot`.
    template <class Slot>
    QAction* AddAction(QMenu* menu, const char* name, const QString& text, Slot slot);
    void Zoom(int zoom);
    void RunFileOutput(int kind);
    void RebuildRecentFileMenu();
    void RememberFile(const QString& path);
    void UpdateTitle();
    // Reads a file in place of the investment; on failure nothing changes.
    bool ReadDocument(const QString& path);
    // Writes the investment whole or not at all; on failure the old file stays.
    bool WriteDocument(const QString& path);

    SettingsStore& store_;
    DocumentUi& ui_;
    RecentFileList recent_;
    InvestmentDocument document_;
    SummaryView* view_ = nullptr;
    QLabel* scalesLine_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QAction* recentEnd_ = nullptr;
    QAction* paneAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    QSplitter* splitter_ = nullptr;
    Workspace* pane_ = nullptr;
    int zoom_ = 100;
    int hiddenDivider_ = 0; // the divider while the pane is hidden
    ItemEditor itemEditor_;
};
