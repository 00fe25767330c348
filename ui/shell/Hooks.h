// What the shell asks of the editors, the charts and the colour preferences. Each of those
// libraries installs its part at start-up, so that the shell depends on none of them.
#pragma once

#include <functional>

#include "ui/shell/Surface.h"

class QString;
class QWidget;
class CVELPPCDoc;
struct Scales;
class SettingsStore;
class DocumentUi;

// The pane beside the summary: the projection table and the charts. The workspace library
// makes it; the main window only places it and tells it when the record changes.
class WorkspacePane {
public:
    virtual ~WorkspacePane() = default;
    // The pane's widget; the main window's splitter owns it.
    virtual QWidget* Widget() = 0;
    // The record was worked out again, or replaced: show it.
    virtual void Refresh() = 0;
    virtual void SetZoom(int percent) = 0;
    virtual int CurrentTab() const = 0;
    virtual void SetCurrentTab(int index) = 0;
    // Copies the selection of the tab shown, if it has one; false when nothing was copied.
    virtual bool Copy() = 0;
    // Runs a command of the main window (e.g. "Assumptions" from a tab); set by the window.
    std::function<void(int command)> runCommand;
};

struct ShellHooks {
    // Opens the editor of an item type on the record and applies it on OK.
    std::function<void(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, unsigned itemType,
                       QWidget* parent)>
        editItem;
    // Settings menu commands that the record serves.
    using RecordCommand =
        std::function<void(CVELPPCDoc& doc, Scales& scales, SettingsStore& store, QWidget* parent)>;
    RecordCommand linkedVariables;
    RecordCommand stampDuty;
    RecordCommand taxScales;
    // "Assumptions": the inputs beyond the file's fixed layout.
    RecordCommand assumptions;
    // Graphics menu: `command` is one of the chart commands; `fonts` are the summary view's
    // normal and bold fonts.
    std::function<void(const CVELPPCDoc& doc, const Scales& scales, int command,
                       const FontSpec fonts[2], QWidget* parent)>
        openChart;
    // "Preferences": true when the user accepted (the summary then lays itself out again).
    std::function<bool(SettingsStore& store, QWidget* parent)> preferences;
    // The pane beside the summary, drawing with the summary's chart fonts.
    std::function<WorkspacePane*(const CVELPPCDoc& doc, const Scales& scales, const FontSpec fonts[2],
                                 QWidget* parent)>
        workspace;
    // File menu: the three exports, "Print..." and "Print Preview..." (`command` one of
    // CmdExportReport ... CmdPrintPreview). `path` is the investment's file, empty before its
    // first save; the exports propose its name.
    std::function<void(const CVELPPCDoc& doc, const Scales& scales, int command, const QString& path,
                       QWidget* parent)>
        fileOutput;
    // File: "Compare Investments...": the record as it stands beside files the user picks
    // through `ui`; `path` is the record's file, empty before its first save.
    std::function<void(const CVELPPCDoc& doc, const Scales& scales, const QString& path, DocumentUi& ui,
                       QWidget* parent)>
        compare;
    // "Pocket VEL Help" and "About Pocket VEL".
    std::function<void(QWidget* parent)> help;
    std::function<void(QWidget* parent)> about;
};

ShellHooks& Hooks();
