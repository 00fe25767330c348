// The File menu's "Export" entries, "Print..." and "Print Preview...": each asks where to, then
// writes the investment as it stands. The exports propose the investment's name with their
// own extension beside its file, and write completely or not at all; a failure names the file
// and the reason.
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "analysis/Grid.h"

class CVELPPCDoc;
struct Scales;
class QWidget;


// What the File menu asks of this room.
enum FileOutputKind : int {
    OutputReport,
    OutputWorkbook,
    OutputProjection,
    OutputPrint,
    OutputPrintPreview,
};

// The questions and messages of the exports; tests answer in place of the user.
struct FileOutputUi {
    // The file to write, or empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& caption, const QString& proposed,
                          const QString& filter)>
        askSaveFileName;
    std::function<void(QWidget* parent, const QString& text)> showMessage;
};
FileOutputUi& FileOutputDialogs();

// The name an export proposes: the investment's file with `extension` (".pdf"), or "Untitled"
// with it in the working folder before the first save.
QString ProposedExportName(const QString& investmentPath, const QString& extension);

// Writes the export of `command` (OutputReport, OutputWorkbook, OutputProjection) to
// `path`; false with `reason` set when it fails.
bool WriteExport(const CVELPPCDoc& doc, const Scales& scales, int command, const QString& investmentPath,
                 const QString& path, std::string& reason, const GridSetup& whatIf = {});

// Runs a command of the File menu's exports and printing; the report shows `whatIf`'s grid.
void RunFileOutput(const CVELPPCDoc& doc, const Scales& scales, int command, const QString& investmentPath,
                   const GridSetup& whatIf, QWidget* parent);

