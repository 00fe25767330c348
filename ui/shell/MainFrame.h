// The main window: the one investment, its summary view beside the workspace pane, the menus
// "&File", "&Edit", "&View", "&Graphics", "&Settings" and "&Help", the tool bar, the undo
// history, and the document framework (New, Open, Save, Save As, recent files, the save
// question, the window title).
#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <vector>

#include "model/Investment.h"
#include "ui/shell/InvestmentDocument.h"
#include "ui/shell/RecentFileList.h"
#include "ui/shell/WindowState.h"

class QAction;
class QMenu;
class QMimeData;
class QSplitter;
class WorkspacePane;
class SettingsStore;
class DocumentUi;
class CVELPPCView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(SettingsStore& store, DocumentUi& ui, RecentFileList recent = {},
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The open investment, and its record and scales.
    InvestmentDocument& Doc() { return document_; }
    CVELPPCDoc& Document() { return document_.Record(); }
    Scales& InvestmentScales() { return document_.InvestmentScales(); }
    CVELPPCView* View() { return view_; }
    // The pane beside the summary; null when the workspace is not installed.
    WorkspacePane* Pane() { return pane_; }
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

    // The framework's commands; each returns whether it was carried out.
    bool FileNew();
    bool FileOpen();
    bool FileSave();
    bool FileSaveAs();
    bool OpenRecentFile(int index);
    // Opens a file in place of the current investment, after the save question.
    bool OpenDocumentFile(const QString& path);
    // The save question when the investment is marked changed; false when the user cancels
    // or the save fails.
    bool SaveModified();

    // The file that a drop of `data` opens: the first local file named "*.vel", or empty.
    static QString DroppedFile(const QMimeData* data);

    // Runs a command of the menus or the tool bar by its id.
    void OnCommand(int command);
    // The action of a command id, or null.
    QAction* Action(int command) const;
    // Enables the entries whose editors, charts or preferences are installed.
    void UpdateCommandStates();

    // Empty before the first save.
    const QString& PathName() const { return document_.Path(); }
    // "Untitled" before the first save, else the file's name.
    QString DocumentTitle() const;
    const RecentFileList& RecentFiles() const { return recent_; }
    // The actions of the recent files now in the File menu.
    const std::vector<QAction*>& RecentFileActions() const { return recentActions_; }

    bool Undo();
    bool Redo();
    void SetZoom(int percent);
    int Zoom() const { return zoom_; }
    void ShowPane(bool shown);
    // The window's state as it would be remembered now.
    WindowState CurrentWindowState() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A ".vel" file dropped onto the window opens as File Open would, save question first.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // New: the defaults, and today's law on a first start.
    bool NewDocument();
    int firstStartYear_ = 0, firstStartMonth_ = 0;

    void CreateMenusAndToolBar();
    void CreateWorkspace();
    // Runs a command that writes the settings and tells the user when its writes failed.
    void ReportSettingsFailure(const std::function<void()>& command);
    void RestoreWindowState();
    void EditItemRecorded(unsigned itemType);
    QAction* AddCommand(QMenu* menu, int command, const QString& text);
    void RebuildRecentFileMenu();
    void RememberFile(const QString& path);
    void UpdateTitle();
    // Reads a file in place of the investment; on failure nothing changes.
    bool ReadDocument(const QString& path);
    // Writes the investment through a save file; on failure the old file stays.
    bool WriteDocument(const QString& path);

    SettingsStore& store_;
    DocumentUi& ui_;
    RecentFileList recent_;
    InvestmentDocument document_;
    CVELPPCView* view_ = nullptr;
    std::map<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QAction* recentEnd_ = nullptr;
    std::vector<QAction*> recentActions_;
    QSplitter* splitter_ = nullptr;
    WorkspacePane* pane_ = nullptr;
    int zoom_ = 100;
    int hiddenDivider_ = 0; // the divider while the pane is hidden
};
