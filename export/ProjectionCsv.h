// The 40-year table as CSV: a line "Year" and the names of the rows, then one line per year,
// every number written so that it reads back to the same double. `velcalc --csv`, `velreport`
// and the program's "Projection (CSV)..." all write it through here.
#pragma once

#include <string>

#include "format/Format.h" // ExactNumber

class Investment;

std::string ProjectionCsv(const Investment& doc);

// The form a spreadsheet of a language that writes decimals with a comma reads as numbers:
// cells parted by semicolons, a decimal comma, no exponent, no thousands marks and no currency
// ("1446064,18;-5394,2"); a cell with no number is empty. The numbers are the same as above.
std::string ProjectionCsvDecimalComma(const Investment& doc);
// One number in that form.
std::string DecimalCommaNumber(double value);
