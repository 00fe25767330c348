// The printed report as a document: A4 portrait pages of texts, fills, rules and chart places,
// every position in points from the page's top left corner. The PDF, the printer and the
// print preview all draw this one document, so that they show the same pages.
//
// Page 1 (and more when it overflows): the address, description and date, the result in plain
// words across the page, then in two columns the summary's figures, every input grouped as the
// editors group them (the description and notes in full), and the scales in force. Then the
// projection table on two pages, years 1 to 40 on each (the projection period shaded, the
// results year bold), then the five charts, the sensitivity grid and the break-even figures
// under the last. Body text is 9 pt, the table 8 pt. Then "Risk": the futures in words, the
// fan of the equity, the histogram of the IRR after sale, the percentiles, the chances and the
// parameters. Each page has the file name and its number in the footer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Grid.h"
#include "export/ReportData.h"
#include "export/RiskReport.h"

class Investment;
struct Scales;

inline constexpr double kPageWidth = 595.28;  // A4, in points
inline constexpr double kPageHeight = 841.89;
inline constexpr int kReportCharts = 5;

// 0x00BBGGRR, as the program keeps colours.
using ReportColour = std::uint32_t;

struct ReportBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

struct ReportText {
    ReportBox box;
    std::string text; // UTF-8, one line; drawn smaller or shortened when it is wider than box
    double size = 8.5; // points
    bool bold = false;
    int align = 0; // 0 left, 1 centred, 2 right
    ReportColour colour = 0x000000;
};

struct ReportFill {
    ReportBox box;
    ReportColour colour = 0;
};

// A line from (left, top) to (right, bottom), half a point wide.
struct ReportRule {
    ReportBox box;
    ReportColour colour = 0x000000;
};

// Where chart `chart` is drawn: 0 to 4 for "Value & Debt", "Cash Flows", "Who Pays?",
// "Property vs Cash" and "Internal Rates of Return".
struct ReportChart {
    ReportBox box;
    int chart = 0;
};

struct ReportPage {
    std::vector<ReportFill> fills;
    std::vector<ReportRule> rules;
    std::vector<ReportText> texts;
    std::vector<ReportChart> charts;
};

struct ReportDocument {
    std::vector<ReportPage> pages;
};

// What the report takes from the program besides the record.
struct ReportInfo {
    std::string fileName; // in the footer; "Untitled" before the first save
    std::string date;     // "9 December 2026"
    // The summary's lines as the summary shows them (captions, "?????", "+++++").
    ReportSection summary;
    // The sensitivity grid shown under the last chart, with the break-even figures.
    GridSetup whatIf;
    // The futures of the page "Risk", the last.
    RiskSetup risk;
};

// `text` in lines no wider than `width` points at `size` points (an estimate of Arial's widths,
// on the safe side): at spaces, at its own line breaks (a run of empty lines keeps one), and
// inside a word longer than a line.
std::vector<std::string> WrapText(const std::string& text, double width, double size);

// Lays the report out; the scales are those in force.
ReportDocument BuildReport(const Investment& doc, const Scales& scales, const ReportInfo& info);
