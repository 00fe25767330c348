// The 40-year table as CSV: a line "Year" and the names of the rows, then one line per year,
// every number written so that it reads back to the same double. `velcalc --csv`, `velreport`
// and the program's "Projection (CSV)..." all write it through here.
#pragma once

#include <string>

#include "format/Format.h" // ExactNumber

class CVELPPCDoc;

std::string ProjectionCsv(const CVELPPCDoc& doc);
