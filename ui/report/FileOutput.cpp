#include "ui/report/FileOutput.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <string>

#include "persist/WholeFile.h"
#include "export/ProjectionCsv.h"
#include "export/Workbook.h"
#include "ui/report/ReportPainter.h"
#include "ui/shell/Platform.h"

namespace {

struct ExportKind {
    int command;
    const char* caption;
    const char* extension;
    const char* filter;
};

constexpr ExportKind kExports[] = {
    {OutputReport, "Export Report", ".pdf", "PDF Files (*.pdf)"},
    {OutputWorkbook, "Export Workbook", ".xlsx", "Workbooks (*.xlsx)"},
    {OutputProjection, "Export Projection", ".csv", "CSV Files (*.csv)"},
};

const ExportKind* Kind(int command) {
    for (const ExportKind& kind : kExports)
        if (kind.command == command) return &kind;
    return nullptr;
}

// The name in the report's footer.
std::string FooterName(const QString& investmentPath) {
    return investmentPath.isEmpty() ? std::string(kUntitled)
                                    : QFileInfo(investmentPath).fileName().toStdString();
}

void SetUpPrinter(QPrinter& printer, const QString& investmentPath) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(FooterName(investmentPath)));
}

void Export(const Investment& doc, const Scales& scales, const ExportKind& kind, const QString& investmentPath,
            const GridSetup& whatIf, const RiskSetup& risk, DocumentUi& ui, QWidget* parent) {
    QString path = ui.AskExportFileName(parent, QString::fromUtf8(kind.caption),
                                      ProposedExportName(investmentPath, QString::fromUtf8(kind.extension)),
                                      QString::fromUtf8(kind.filter));
    if (path.isEmpty()) return;
    // A name given without an extension gets the export's.
    if (QFileInfo(path).suffix().isEmpty()) {
        if (path.endsWith('.')) path.chop(1);
        path += QString::fromUtf8(kind.extension);
    }
    std::string reason;
    // Writing over the investment's own file would lose it.
    if (!investmentPath.isEmpty() && QFileInfo(path) == QFileInfo(investmentPath))
        reason = "It is the investment's own file.";
    else if (WriteExport(doc, scales, kind.command, investmentPath, path, reason, whatIf, risk))
        return;
    ui.ShowProblem(parent,
                   QString::fromStdString(ExportFailedMessage(
                       QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString(), reason)),
                   true);
}

} // namespace

QString ProposedExportName(const QString& investmentPath, const QString& extension) {
    if (investmentPath.isEmpty())
        return QDir(QDir::currentPath()).filePath(QString::fromUtf8(kUntitled) + extension);
    const QFileInfo file(investmentPath);
    return file.dir().filePath(file.completeBaseName() + extension);
}

bool WriteExport(const Investment& doc, const Scales& scales, int command, const QString& investmentPath, const QString& path,
                 std::string& reason, const GridSetup& whatIf, const RiskSetup& risk) {
    const std::string target = QFile::encodeName(path).toStdString();
    switch (command) {
    case OutputReport: return WriteReportPdf(doc, scales, FooterName(investmentPath), target, reason, whatIf, risk);
    case OutputWorkbook: return WriteWorkbook(doc, scales, target, reason, risk);
    // A desktop whose language writes decimals with a comma gets its spreadsheet's form, in
    // which every cell arrives as the number it is.
    case OutputProjection:
        return WriteFileAtomically(target,
                                   QLocale().decimalPoint() == QStringLiteral(",") ? ProjectionCsvDecimalComma(doc)
                                                                                  : ProjectionCsv(doc),
                                   reason);
    default: reason = "Unknown export."; return false;
    }
}

void RunFileOutput(const Investment& doc, const Scales& scales, int command, const QString& investmentPath,
                   const GridSetup& whatIf, DocumentUi& ui, QWidget* parent, const RiskSetup& risk) {
    if (const ExportKind* kind = Kind(command)) {
        Export(doc, scales, *kind, investmentPath, whatIf, risk, ui, parent);
        return;
    }
    const ReportDocument report = MakeReport(doc, scales, FooterName(investmentPath), whatIf, risk);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, investmentPath);
    if (command == OutputPrint) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Print"));
        if (dialog.exec() == QDialog::Accepted) PrintReport(printer, report, doc, scales);
    } else if (command == OutputPrintPreview) {
        QPrintPreviewDialog preview(&printer, parent);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        preview.setWindowTitle(QStringLiteral("Print Preview"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* p) { PrintReport(*p, report, doc, scales); });
        preview.exec();
    }
}


