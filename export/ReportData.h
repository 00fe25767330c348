// What the report and the workbook list, as data: the inputs grouped as the editors group
// them, the results, the named rows of the projection and the scales in force. Each line is a
// label and a number with the format it is shown in (or a text), so that the report shows it
// as the program does and the workbook keeps the exact number. A new input or result is one
// line in the function that makes its section.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/Investment.h"
#include "model/ProjectionRows.h"

struct DutyScale;
struct TaxScale;

struct ReportLine {
    std::string label;
    double value = 0.0;
    // A value format ("$0,m", "0.00%", "0y", ...); empty for a line of text.
    std::string format;
    std::string text;
    // Drawn bold, as the summary draws its headings and main results.
    bool strong = false;
    // A text the summary shows in red (a loss it formatted itself).
    bool redText = false;

    // What the line shows: the text, or the value under its format ("?????" for no value,
    // "+++++" for one too large, as on the summary).
    std::string Shown() const;
    bool IsText() const { return format.empty(); }
    // A number shown as a loss: the summary draws those in red.
    bool IsLoss() const;
};

struct ReportSection {
    std::string title;
    std::vector<ReportLine> lines;
};

// Property, purchase costs, deposit, rent, expenses, depreciation, loan, investor and
// projections, with the labels of their editors.
std::vector<ReportSection> InputSections(const Investment& doc);
// The figures of the summary's "Results for year ..." and "Projections over ... years".
// Then the sale at the end of the projection period.
std::vector<ReportSection> ResultSections(const Investment& doc);
// The sale at the end of the projection period, step by step.
ReportSection SaleSection(const Investment& doc);
// The law the sale at the end of the projection period is taxed under, in a sentence or two
// with its pieces; empty under one scale for every year.
std::string SaleLawText(const Investment& doc);
// The income year a projection year (column 0..39) is taxed under ("2026-27"); empty under
// one scale for every year.
std::string IncomeYearHeading(const Investment& doc, int column);

// Figures of the projection beyond the named rows, each a column only while the investment
// uses what it shows: the interest rate once it changes, the offset account's balance and the
// interest it saves; the land tax.
struct ExtraProjectionColumn {
    const char* heading;
    Investment::YearArray values;
    const char* format; // kProjectionFormat, or a rate's
    const char* name;   // in the CSV's first line, as velcalc names things
};
std::vector<ExtraProjectionColumn> ExtraProjectionColumns(const Investment& doc);
// A year's heading note: "loan repaid" in the year the loan is repaid, while the investment
// sets the loan's running inputs; empty otherwise.
std::string LoanRepaidNote(const Investment& doc, int column);

// The money format of the table's cells.
inline constexpr const char* kProjectionFormat = "$0,m(";
// Whole dollars with every thousand marked, a loss in brackets: "$1,446,064", "($5,394)";
// no value and too large as FormatValue shows them. The report's table has room for them.
std::string WholeDollars(double value);
// The amounts' formats ("$0,m", "$0,m("), which a page or a wide column shows in whole dollars.
bool IsMoneyFormat(std::string_view format);

// The result in a few plain sentences for the top of the report: the rate of return after tax
// over the projection period, what the investor puts in (or takes out) a week on average, what
// selling then leaves, and the net present value with the rate it is discounted at.
std::string PlainSummary(const Investment& doc);

// A scale as a table: its name, the headings of its columns, and per row the cells.
struct ScaleTable {
    std::string title;
    std::vector<std::string> headings;
    std::vector<std::vector<ReportLine>> rows; // a cell's label is unused
    std::vector<ReportLine> notes;             // lines under the table (base duty, levy)
};
ScaleTable DutyScaleTable(const DutyScale& scale);
ScaleTable TaxScaleTable(const TaxScale& scale);

// "9 December 2026", the same under every locale.
std::string ReportDate(int year, int month, int day);
// Today's date in the local time zone, as above.
std::string TodayText();
