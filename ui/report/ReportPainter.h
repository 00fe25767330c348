// The report drawn with a painter: the same pages on a PDF, a printer and the print preview.
// The charts are drawn by the charts' own code through a painter surface.
#pragma once

#include <string>

#include "export/ReportDocument.h"

class Investment;
struct Scales;
class QPainter;
class QPrinter;

// The report of the investment as it stands, with the summary's own texts and today's date;
// `fileName` goes into the footer, `whatIf` is the sensitivity grid it shows (the "What If"
// tab's), `risk` the futures of its page "Risk" (the "Risk" tab's).
ReportDocument MakeReport(const Investment& doc, const Scales& scales, const std::string& fileName,
                          const GridSetup& whatIf = {}, const RiskSetup& risk = {});

// Draws one page at `dotsPerPoint` device units per point, the page's corner at the origin.
void PaintReportPage(QPainter& painter, const ReportPage& page, const Investment& doc,
                     const Scales& scales,
                     double dotsPerPoint);

// Every page onto the printer (set up for A4 portrait, the whole paper).
void PrintReport(QPrinter& printer, const ReportDocument& report, const Investment& doc,
                 const Scales& scales);

// The report as the bytes of a PDF file.
std::string ReportPdf(const ReportDocument& report, const Investment& doc, const Scales& scales,
                      const std::string& title);

// Writes the report to `path` as PDF, completely or not at all; on failure `reason` says why.
bool WriteReportPdf(const Investment& doc, const Scales& scales, const std::string& fileName, const std::string& path,
                    std::string& reason, const GridSetup& whatIf = {}, const RiskSetup& risk = {});
