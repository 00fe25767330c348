// The investment as a spreadsheet workbook: sheet "Summary" (the inputs and results with
// their labels), sheet "Projection" (one line per year, one column per named row, with a chart
// of value and debt and one of cash flows) and sheet "Scales" (the stamp duty and tax scales
// in force), and sheet "Risk" (the futures of export/RiskReport.h). Numbers are stored as numbers with number formats, as the workbook library writes
// them (15-16 significant digits), rates as fractions ("0.00%"); a value with no number
// ("?????" on the summary) is an empty cell.
#pragma once

#include <string>

#include "export/RiskReport.h"

class Investment;
struct Scales;

// Writes the workbook to `path`, completely or not at all; on failure `reason` says why. The
// sheet "Risk" holds the futures of `risk`.
bool WriteWorkbook(const Investment& doc, const Scales& scales, const std::string& path,
                   std::string& reason, const RiskSetup& risk = {});
