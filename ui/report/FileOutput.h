// The File menu's "Export" entries, "Print..." and "Print Preview...": each asks where to, then
// writes the investment as it stands. The exports propose the investment's name with their
// own extension beside its file, and write completely or not at all; a failure names the file
// and the reason.
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "analysis/Grid.h"
#include "export/RiskReport.h"

class Investment;
struct Scales;
class QWidget;
class DocumentUi;


// What the File menu asks of this room.
enum FileOutputKind : int {
    OutputReport,
    OutputWorkbook,
    OutputProjection,
    OutputPrint,
    OutputPrintPreview,
};

// The name an export proposes: the investment's file with `extension` (".pdf"), or "Untitled"
// with it in the working folder before the first save.
QString ProposedExportName(const QString& investmentPath, const QString& extension);

// Writes the export of `command` (OutputReport, OutputWorkbook, OutputProjection) to
// `path`; false with `reason` set when it fails. The projection is written in the form of
// the desktop language's spreadsheet (QLocale()): semicolons and decimal commas where the
// language writes decimals with a comma.
bool WriteExport(const Investment& doc, const Scales& scales, int command, const QString& investmentPath,
                 const QString& path, std::string& reason, const GridSetup& whatIf = {},
                 const RiskSetup& risk = {});

// Runs a command of the File menu's exports and printing; the report shows `whatIf`'s grid,
// the report and the workbook `risk`'s futures.
void RunFileOutput(const Investment& doc, const Scales& scales, int command, const QString& investmentPath,
                   const GridSetup& whatIf, DocumentUi& ui, QWidget* parent, const RiskSetup& risk = {});

