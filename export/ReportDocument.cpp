#include "export/ReportDocument.h"

#include "analysis/BreakEven.h"

#include <algorithm>
#include <cmath>

#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "model/Law.h"
#include "model/Scales.h"

namespace {

constexpr double kMargin = 42.0;
constexpr double kRight = kPageWidth - kMargin;
constexpr double kFooterTop = kPageHeight - 36.0;
constexpr double kBottom = kFooterTop - 12.0;
constexpr double kGutter = 18.0;
constexpr double kColumnWidth = (kRight - kMargin - kGutter) / 2.0;

// Sizes a reader holds at arm's length: body 9 pt, the projection's cells 8 pt.
constexpr double kBodySize = 9.0;
constexpr double kLineHeight = 11.5;
constexpr double kHeadingSize = 10.5;
constexpr double kHeadingHeight = 19.0;
constexpr double kCellSize = 8.0;
// The charts' axis figures and the small print of the page "Risk": the least the report uses.
constexpr double kAxisSize = 7.5;
// Where a number's place begins in a column of labels and numbers.
constexpr double kValueFrom = 0.7;

constexpr ReportColour kRed = 0x0000FF;
constexpr ReportColour kGrey = 0x808080;
constexpr ReportColour kRuleColour = 0xA0A0A0;
// The projection period and the results year, shaded as in the workspace's table.
constexpr ReportColour kPeriodShade = 0xFCF3EC;
constexpr ReportColour kResultsShade = 0xCCF4FF;

// One line of the two-column part: cells placed by fractions of the column's width.
struct FlowCell {
    std::string text;
    double from = 0, to = 1;
    int align = 0;
    bool bold = false;
    ReportColour colour = 0;
};
struct FlowLine {
    std::vector<FlowCell> cells;
    bool heading = false;
    // Lines that must stay in the column of the line after them.
    bool keepWithNext = false;
};

// Arial's advance widths in thousandths of an em, space to '~'.
constexpr short kArialWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' to '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // '0' to '?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // '@' to 'O'
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // 'P' to '_'
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // '`' to 'o'
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // 'p' to '~'

// A text's width in Arial at `size` points, without a font at hand, a little on the wide side
// (for bold): the painter shrinks or shortens the rare line that is wider still.
double TextWidth(const std::string& text, double size) {
    double em = 0;
    for (const unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue; // a UTF-8 continuation byte
        em += c >= 32 && c < 127 ? kArialWidths[c - 32] / 1000.0 : 0.8;
    }
    return em * size * 1.08;
}

} // namespace

std::vector<std::string> WrapText(const std::string& text, double width, double size) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    // Paragraph by paragraph; a run of empty lines keeps one.
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(start, end - start);
        std::erase(paragraph, '\r');
        start = end + 1;
        if (paragraph.find_first_not_of(' ') == std::string::npos) {
            if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
            continue;
        }
        std::string line;
        std::size_t i = 0;
        while (i < paragraph.size()) {
            const std::size_t space = paragraph.find(' ', i);
            const std::size_t stop = space == std::string::npos ? paragraph.size() : space;
            std::string word = paragraph.substr(i, stop - i);
            i = stop + 1;
            if (word.empty()) continue;
            const std::string joined = line.empty() ? word : line + ' ' + word;
            if (TextWidth(joined, size) <= width) {
                line = joined;
                continue;
            }
            if (!line.empty()) lines.push_back(line);
            // A word wider than the line is cut where the line ends.
            while (TextWidth(word, size) > width) {
                std::size_t cut = word.size();
                while (cut > 1 && TextWidth(word.substr(0, cut), size) > width) --cut;
                while (cut > 1 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80) --cut;
                lines.push_back(word.substr(0, cut));
                word.erase(0, cut);
            }
            line = word;
        }
        if (!line.empty()) lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

namespace {

void AddSection(std::vector<FlowLine>& flow, const ReportSection& section) {
    flow.push_back({{{section.title, 0, 1, 0, true, 0}}, true, true});
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const ReportLine& line = section.lines[i];
        const std::string shown = line.Shown();
        // Texts (an address, a method) take more of the line than numbers.
        // A short text ("Yes") leaves its label the room a number does.
        const double from = line.label.empty() ? 0
                             : line.IsText()
                                 ? std::clamp(1 - (TextWidth(shown, kBodySize) + 8) / kColumnWidth, 0.4, kValueFrom)
                                 : kValueFrom;
        // A heading keeps its first line with it.
        if (i == 0) flow.back().keepWithNext = true;
        // A long label takes lines of its own; the value stands beside its last.
        std::vector<std::string> label = WrapText(line.label, from * kColumnWidth - 5, kBodySize);
        if (label.empty()) label.emplace_back();
        for (std::size_t k = 0; k + 1 < label.size(); ++k)
            flow.push_back({{{label[k], 0, 1, 0, line.strong, 0}}, false, true});
        FlowLine f;
        f.cells.push_back({label.back(), 0, from, 0, line.strong, 0});
        // A text too long for its place (a description, the notes) follows its label in full,
        // in lines of the column's width.
        const bool wraps = line.IsText() && (shown.find('\n') != std::string::npos ||
                                             TextWidth(shown, kBodySize) > (1 - from) * kColumnWidth - 5);
        if (!wraps) {
            if (!shown.empty())
                f.cells.push_back({shown, from, 1, line.label.empty() ? 0 : 2, line.strong,
                                   line.IsLoss() ? kRed : 0});
            flow.push_back(std::move(f));
            continue;
        }
        f.keepWithNext = true;
        flow.push_back(std::move(f));
        for (const std::string& part : WrapText(shown, kColumnWidth - 6, kBodySize))
            flow.push_back({{{part, 0.03, 1, 0, false, 0}}, false, false});
    }
}

void AddScale(std::vector<FlowLine>& flow, const ScaleTable& table) {
    flow.push_back({{{table.title, 0, 1, 0, true, 0}}, true, true});
    const double width = 1.0 / static_cast<double>(table.headings.size() + 1);
    FlowLine headings;
    headings.keepWithNext = true;
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        headings.cells.push_back({table.headings[c], width * static_cast<double>(c),
                                  width * static_cast<double>(c + 1), 2, true, kGrey});
    flow.push_back(std::move(headings));
    for (const auto& row : table.rows) {
        FlowLine f;
        for (std::size_t c = 0; c < row.size(); ++c)
            f.cells.push_back({row[c].Shown(), width * static_cast<double>(c),
                               width * static_cast<double>(c + 1), 2, false, 0});
        flow.push_back(std::move(f));
    }
    for (const ReportLine& note : table.notes) {
        FlowLine f;
        f.cells.push_back({note.label, 0, kValueFrom, 0, false, 0});
        f.cells.push_back({note.Shown(), kValueFrom, 1, 2, false, 0});
        flow.push_back(std::move(f));
    }
}

double Height(const FlowLine& line) { return line.heading ? kHeadingHeight : kLineHeight; }

void PlaceLine(ReportPage& page, const FlowLine& line, double left, double top) {
    const double base = line.heading ? top + 5.0 : top;
    for (const FlowCell& cell : line.cells) {
        ReportText t;
        t.box = {left + cell.from * kColumnWidth + (cell.align == 2 ? 0 : 1),
                 base, left + cell.to * kColumnWidth - (cell.align == 2 ? 1 : 4), base + kLineHeight};
        t.text = cell.text;
        t.size = line.heading ? kHeadingSize : kBodySize;
        t.bold = cell.bold;
        t.align = cell.align;
        t.colour = cell.colour;
        page.texts.push_back(std::move(t));
    }
    if (line.heading)
        page.rules.push_back({{left, base + 11.0, left + kColumnWidth, base + 11.0}, kRuleColour});
}

// The title block of page 1; returns where the columns begin.
double PlaceTitle(ReportPage& page, const Investment& doc, const ReportInfo& info) {
    std::string address = ToUtf8(doc.Address);
    std::replace(address.begin(), address.end(), '\n', ' ');
    std::string description = ToUtf8(doc.Description);
    std::replace(description.begin(), description.end(), '\n', ' ');
    double y = kMargin;
    page.texts.push_back({{kMargin, y, kRight, y + 22}, address.empty() ? info.fileName : address, 16,
                          true, 0, 0});
    y += 24;
    if (!description.empty()) {
        page.texts.push_back({{kMargin, y, kRight, y + 14}, description, 10, false, 0, 0});
        y += 15;
    }
    page.texts.push_back({{kMargin, y, kRight, y + 12},
                          "Investment analysis of " + info.date + " (" + info.fileName + ")", kBodySize,
                          false, 0, kGrey});
    y += 16;
    page.rules.push_back({{kMargin, y, kRight, y}, 0});
    y += 7;
    // The result in plain words, across the page.
    constexpr double kSummarySize = 10.0;
    for (const std::string& line : WrapText(PlainSummary(doc), kRight - kMargin - 4, kSummarySize)) {
        page.texts.push_back({{kMargin, y, kRight, y + 13}, line, kSummarySize, false, 0, 0});
        y += 13.5;
    }
    y += 4;
    page.rules.push_back({{kMargin, y, kRight, y}, kRuleColour});
    return y + 6;
}

// The two-column pages: page 1 under its title, more pages when the lines overflow.
void PlaceFlow(ReportDocument& document, const std::vector<FlowLine>& flow, double top) {
    document.pages.emplace_back();
    int column = 0;
    double y = top, columnTop = top;
    auto next = [&] {
        if (++column == 2) {
            document.pages.emplace_back();
            column = 0;
            columnTop = kMargin;
        }
        y = columnTop;
    };
    for (std::size_t i = 0; i < flow.size(); ++i) {
        // A line and those it keeps with it stay together; a heading at the top of a column
        // needs no space above it.
        double needed = Height(flow[i]);
        for (std::size_t k = i; k + 1 < flow.size() && flow[k].keepWithNext; ++k)
            needed += Height(flow[k + 1]);
        if (y + needed > kBottom && y > columnTop) next();
        const double left = kMargin + column * (kColumnWidth + kGutter);
        PlaceLine(document.pages.back(), flow[i], left, y);
        y += Height(flow[i]);
    }
}

// The table's columns on two pages, each with every year: what the property, the loan and the
// rent do, then the deductions and the tax they save.
struct TablePart {
    const char* title;
    std::vector<Row> rows;
};
const TablePart kTableParts[2] = {
    {"Projection: the property, the loan and the rent",
     {Row::PropertyValue, Row::Debt, Row::Equity, Row::RentReceived, Row::InterestPaid,
      Row::ExpensesPaid, Row::PrincipalPaid, Row::PreTaxCash}},
    {"Projection: deductions, tax and the cash after tax",
     {Row::BuildingDep, Row::FittingsDep, Row::LoanCostWriteOff, Row::Deductions, Row::TaxSaving,
      Row::AfterTaxCash, Row::AfterTaxCashWeek}},
};

const char* Heading(Row row) {
    for (const ProjectionRow& p : kProjectionRows)
        if (p.row == row) return p.heading;
    return "";
}

void PlaceProjection(ReportDocument& document, const Investment& doc) {
    for (const TablePart& part : kTableParts) {
    ReportPage& page = document.pages.emplace_back();
    double y = kMargin;
    page.texts.push_back({{kMargin, y, kRight, y + 16}, part.title, 12, true, 0, 0});
    y += 18;
    // Under the law of the years each year also names its income year, and the legend the law.
    const bool byIncomeYear = !IncomeYearHeading(doc, 0).empty();
    std::string legend = "Whole dollars; losses in brackets. Shaded: the projection period, years 1 to " +
                         FormatValue(doc.ProjectionYear, "0") + ". Bold: the results year, year " +
                         FormatValue(doc.ShowYear, "0") + ".";
    for (const std::string& line : WrapText(legend, kRight - kMargin, kCellSize + 1)) {
        page.texts.push_back({{kMargin, y, kRight, y + 11}, line, kCellSize + 1, false, 0, kGrey});
        y += 11;
    }
    if (byIncomeYear) {
        page.texts.push_back({{kMargin, y, kRight, y + 11}, "Taxed as: " + LawDescription(doc) + ".",
                              kCellSize + 1, false, 0, kGrey});
        y += 11;
    }
    y += 5;

    const double yearWidth = byIncomeYear ? 62.0 : 34.0;
    const double width = (kRight - kMargin - yearWidth) / static_cast<double>(part.rows.size());
    constexpr double kRowHeight = 15.0;
    auto columnLeft = [&](std::size_t c) { return kMargin + yearWidth + width * static_cast<double>(c); };

    // Headings in two lines.
    page.texts.push_back({{kMargin, y + 10, kMargin + yearWidth - 4, y + 20}, "Year", kCellSize, true, 2, 0});
    for (std::size_t c = 0; c < part.rows.size(); ++c) {
        const std::string heading = Heading(part.rows[c]);
        const std::size_t split = heading.find('\n');
        const std::string first = split == std::string::npos ? std::string() : heading.substr(0, split);
        const std::string second = split == std::string::npos ? heading : heading.substr(split + 1);
        const ReportBox box{columnLeft(c) + 1, y, columnLeft(c + 1) - 3, y + 10};
        if (!first.empty()) page.texts.push_back({box, first, kCellSize, true, 2, 0});
        page.texts.push_back({{box.left, y + 10, box.right, y + 20}, second, kCellSize, true, 2, 0});
    }
    y += 24;
    page.rules.push_back({{kMargin, y - 1.5, kRight, y - 1.5}, 0});

    for (int year = 1; year <= kTableColumns; ++year) {
        const bool results = year == doc.ShowYear;
        const bool period = year <= doc.ProjectionYear;
        const ReportBox line{kMargin, y, kRight, y + kRowHeight};
        if (results) page.fills.push_back({line, kResultsShade});
        else if (period) page.fills.push_back({line, kPeriodShade});
        const double top = y + 3.5;
        const std::string income = IncomeYearHeading(doc, year - 1);
        page.texts.push_back({{kMargin, top, kMargin + yearWidth - 4, top + 10},
                              FormatValue(year, "0") + (income.empty() ? "" : "  " + income),
                              kCellSize, results, 2, 0});
        for (std::size_t c = 0; c < part.rows.size(); ++c) {
            const std::string text = WholeDollars(doc.At(part.rows[c], year - 1));
            const bool loss = text.find_first_of("-(") != std::string::npos;
            page.texts.push_back({{columnLeft(c) + 1, top, columnLeft(c + 1) - 3, top + 10}, text,
                                  kCellSize, results, 2, loss ? kRed : 0});
        }
        y += kRowHeight;
        // A line after the projection period and every fifth year.
        if (year == doc.ProjectionYear) page.rules.push_back({{kMargin, y, kRight, y}, 0});
        else if (year % 5 == 0) page.rules.push_back({{kMargin, y, kRight, y}, kRuleColour});
    }
    }
}

// Two charts a page; each draws its own caption.
void PlaceCharts(ReportDocument& document) {
    constexpr double kChartHeight = 350.0;
    for (int chart = 0; chart < kReportCharts; ++chart) {
        if (chart % 2 == 0) document.pages.emplace_back();
        const double top = kMargin + (chart % 2) * (kChartHeight + 30.0);
        document.pages.back().charts.push_back({{kMargin, top, kRight, top + kChartHeight}, chart});
    }
}

ReportColour ToReportColour(const Shade& s) {
    return static_cast<ReportColour>(s.red | (s.green << 8) | (s.blue << 16));
}

// Under the last chart when there is room, else on a page of its own.
void PlaceWhatIf(ReportDocument& document, const Investment& doc, const Scales& scales,
                 const GridSetup& setup) {
    WhatIf whatIf(doc, scales);
    const SensitivityGrid grid = WorkOutGrid(whatIf, setup);
    const BreakEvens figures = WorkOutBreakEvens(whatIf);
    constexpr double kRowHeight = 13.5;
    const double needed = 40 + (grid.Rows() + 1) * kRowHeight + 80;
    double y = kMargin + 380.0;
    if (document.pages.empty() || document.pages.back().charts.size() != 1 || y + needed > kBottom) {
        document.pages.emplace_back();
        y = kMargin;
    }
    ReportPage& page = document.pages.back();
    page.texts.push_back({{kMargin, y, kRight, y + 16}, "What If", 12, true, 0, 0});
    y += 17;
    page.texts.push_back({{kMargin, y, kRight, y + 11}, GridCaption(grid), kCellSize + 1, false, 0, kGrey});
    y += 15;
    constexpr double kHeadWidth = 52.0;
    const double width = (kRight - kMargin - kHeadWidth) / std::max(1, grid.Columns());
    auto left = [&](int c) { return kMargin + kHeadWidth + width * c; };
    for (int c = 0; c < grid.Columns(); ++c)
        page.texts.push_back({{left(c) + 1, y, left(c + 1) - 2, y + 9},
                              InputText(grid.setup.columns.input, grid.columnValues[c]), kCellSize,
                              true, 2, 0});
    y += kRowHeight;
    page.rules.push_back({{kMargin, y - 1.5, kRight, y - 1.5}, 0});
    const std::vector<Shade> shades = CellShades(grid);
    for (int r = 0; r < grid.Rows(); ++r) {
        page.texts.push_back({{kMargin, y + 2, kMargin + kHeadWidth - 4, y + 11},
                              InputText(grid.setup.rows.input, grid.rowValues[r]), kCellSize, true, 2, 0});
        for (int c = 0; c < grid.Columns(); ++c) {
            const ReportBox cell{left(c), y, left(c + 1), y + kRowHeight};
            page.fills.push_back({cell, ToReportColour(shades[static_cast<std::size_t>(r * grid.Columns() + c)])});
            const bool present = r == grid.centreRow && c == grid.centreColumn;
            page.texts.push_back({{cell.left + 1, y + 2, cell.right - 2, y + 11},
                                  ResultText(grid.setup.result, grid.At(r, c)), kCellSize, present, 2, 0});
        }
        y += kRowHeight;
    }
    y += 8;
    page.texts.push_back({{kMargin, y, kRight, y + 13}, "Break-even", kHeadingSize, true, 0, 0});
    y += 15;
    for (const BreakEvenLine& line : BreakEvenLines(figures, whatIf.Base())) {
        page.texts.push_back({{kMargin, y, kMargin + 290, y + 12}, line.label, kBodySize, false, 0, 0});
        page.texts.push_back({{kMargin + 292, y, kRight, y + 12}, line.value, kBodySize, false, 0, 0});
        y += kLineHeight + 1;
    }
}

// Words onto lines of at most `width` characters.
std::vector<std::string> WrapWords(const std::string& text, std::size_t width) {
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word;
        start = end + 1;
    }
    return lines;
}

// A section of labelled values in a column from `top`.
void PlaceSection(ReportPage& page, const ReportSection& section, double left, double width, double top) {
    double y = top;
    page.texts.push_back({{left, y, left + width, y + 11}, section.title, kBodySize, true, 0, 0});
    y += 13;
    for (const ReportLine& line : section.lines) {
        page.texts.push_back({{left, y, left + width * 0.72, y + 10}, line.label, 7.5, false, 0, 0});
        page.texts.push_back({{left + width * 0.72, y, left + width, y + 10}, line.Shown(), 7.5, false, 2,
                              line.IsLoss() ? kRed : 0});
        y += 10;
    }
}

// The page "Risk": the futures in words, the fan of the equity year by year (the 5-95 and
// 25-75 bands and the median), the histogram of the IRR after sale with the fund's median, the
// percentiles, the chances and the parameters.
void PlaceRisk(ReportDocument& document, const Investment& doc, const Scales& scales, const RiskSetup& setup) {
    const RiskResults r = WorkOutRisk(doc, scales, setup);
    ReportPage& page = document.pages.emplace_back();
    double y = kMargin;
    page.texts.push_back({{kMargin, y, kRight, y + 16}, "Risk: how sure is the answer", 12, true, 0, 0});
    y += 17;
    page.texts.push_back({{kMargin, y, kRight, y + 11},
                          FormatValue(static_cast<double>(r.paths), "0") + " futures drawn from seed " +
                              std::to_string(r.seed) +
                              ": growth, interest, rent growth, inflation and vacancy vary by year.",
                          7.5, false, 0, kGrey});
    y += 14;
    for (const std::string& sentence : RiskSentences(r))
        for (const std::string& line : WrapWords(sentence, 118)) {
            page.texts.push_back({{kMargin, y, kRight, y + 10}, line, kBodySize, false, 0, 0});
            y += 10.5;
        }
    if (r.nothingBought) return;
    y += 6;

    // The fan of the equity.
    constexpr double kAxis = 56.0, kFanHeight = 160.0;
    page.texts.push_back({{kMargin, y, kRight, y + 11},
                          "Equity: 5-95 and 25-75 of 100 futures, median (shaded: the years held)", kBodySize,
                          true, 0, 0});
    y += 14;
    const ReportBox fan{kMargin + kAxis, y, kRight, y + kFanHeight};
    double low = 0, high = 0;
    EquityRange(r, low, high);
    auto fy = [&](double v) { return fan.bottom - (std::max(v, low) - low) / (high - low) * fan.height(); };
    const double yearWidth = fan.width() / kTableColumns;
    page.fills.push_back({{fan.left, fan.top, fan.left + yearWidth * r.holdingYears, fan.bottom}, kPeriodShade});
    const double step = AxisStep(high - low, 4);
    for (double v = std::ceil(low / step) * step; v <= high; v += step) {
        page.rules.push_back({{fan.left, fy(v), fan.right, fy(v)}, v == 0 ? 0x000000 : kRuleColour});
        page.texts.push_back({{kMargin, fy(v) - 4.5, fan.left - 4, fy(v) + 4.5}, FormatValue(v, "$0,m("), kAxisSize, false, 2, 0});
    }
    for (int c = 0; c < kTableColumns; ++c) {
        const Percentiles& e = r.equity[static_cast<std::size_t>(c)];
        const double x0 = fan.left + yearWidth * c + 0.6, x1 = fan.left + yearWidth * (c + 1) - 0.6;
        page.fills.push_back({{x0, fy(e[4]), x1, fy(e[0])}, 0xF0DCC8});
        page.fills.push_back({{x0, fy(e[3]), x1, fy(e[1])}, 0xD2A078});
        page.rules.push_back({{x0, fy(e[2]), x1, fy(e[2])}, 0x782814});
        if (c == 0 || (c + 1) % 10 == 0)
            page.texts.push_back({{x0 - 10, fan.bottom + 2, x1 + 10, fan.bottom + 11}, std::to_string(c + 1), kAxisSize, false, 1, 0});
    }
    y = fan.bottom + 16;

    // The histogram of the IRR after sale.
    constexpr double kBarsHeight = 95.0;
    page.texts.push_back({{kMargin, y, kRight, y + 11}, "IRR after sale: futures at each rate", kBodySize, true, 0, 0});
    y += 14;
    const ReportBox bars{kMargin + kAxis, y, kRight, y + kBarsHeight};
    if (!r.irrBins.empty()) {
        const double fund = r.fundIrr.at[2];
        double lowRate = r.irrEdges.front(), highRate = r.irrEdges.back();
        if (!IsNoValue(fund)) {
            lowRate = std::min(lowRate, fund);
            highRate = std::max(highRate, fund);
        }
        if (!(highRate > lowRate)) highRate = lowRate + 1;
        auto bx = [&](double v) { return bars.left + (v - lowRate) / (highRate - lowRate) * bars.width(); };
        const std::int64_t most = std::max<std::int64_t>(1, *std::max_element(r.irrBins.begin(), r.irrBins.end()));
        for (std::size_t b = 0; b < r.irrBins.size(); ++b) {
            const double top = bars.bottom - static_cast<double>(r.irrBins[b]) / static_cast<double>(most) * bars.height();
            page.fills.push_back({{bx(r.irrEdges[b]) + 0.4, top, bx(r.irrEdges[b + 1]) - 0.4, bars.bottom}, 0xD2A078});
        }
        page.rules.push_back({{bars.left, bars.bottom, bars.right, bars.bottom}, 0x000000});
        const double rateStep = AxisStep(highRate - lowRate, 6);
        for (double v = std::ceil(lowRate / rateStep) * rateStep; v <= highRate; v += rateStep)
            page.texts.push_back({{bx(v) - 20, bars.bottom + 2, bx(v) + 20, bars.bottom + 11},
                                  FormatValue(std::fabs(v) < rateStep * 1e-9 ? 0.0 : v, "%0.0"), kAxisSize, false, 1, 0});
        if (!IsNoValue(fund)) {
            page.rules.push_back({{bx(fund), bars.top, bx(fund), bars.bottom}, kRed});
            page.texts.push_back({{bx(fund) - 160, bars.top, bx(fund) - 3, bars.top + 9},
                                  "index fund's median " + FormatValue(fund, "%0.00"), kAxisSize, false, 2, kRed});
        }
    }
    y = bars.bottom + 16;

    // The percentiles, then the chances beside the parameters.
    const ScaleTable table = RiskPercentileTable(r);
    const double labelWidth = 150.0, cell = (kRight - kMargin - labelWidth) / 5;
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        page.texts.push_back({{c == 0 ? kMargin : kMargin + labelWidth + cell * static_cast<double>(c - 1), y,
                               c == 0 ? kMargin + labelWidth : kMargin + labelWidth + cell * static_cast<double>(c) - 2, y + 10},
                              table.headings[c], 7.5, true, c == 0 ? 0 : 2, 0});
    y += 11;
    page.rules.push_back({{kMargin, y, kRight, y}, kRuleColour});
    y += 2;
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            page.texts.push_back({{c == 0 ? kMargin : kMargin + labelWidth + cell * static_cast<double>(c - 1), y,
                                   c == 0 ? kMargin + labelWidth : kMargin + labelWidth + cell * static_cast<double>(c) - 2, y + 10},
                                  row[c].Shown(), 7.5, false, c == 0 ? 0 : 2, row[c].IsLoss() && c > 0 ? kRed : 0});
        y += 10;
    }
    for (const ReportLine& note : table.notes) {
        page.texts.push_back({{kMargin, y, kRight, y + 10}, note.label, kAxisSize, false, 0, kGrey});
        y += 10;
    }
    y += 8;
    PlaceSection(page, RiskChanceSection(r), kMargin, kColumnWidth, y);
    PlaceSection(page, RiskParameterSection(r), kMargin + kColumnWidth + kGutter, kColumnWidth, y);
}

void PlaceFooters(ReportDocument& document, const ReportInfo& info) {
    const std::string count = std::to_string(document.pages.size());
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        ReportPage& page = document.pages[i];
        page.rules.push_back({{kMargin, kFooterTop - 3, kRight, kFooterTop - 3}, kRuleColour});
        page.texts.push_back({{kMargin, kFooterTop, kRight - 80, kFooterTop + 11}, info.fileName, 8,
                              false, 0, kGrey});
        page.texts.push_back({{kRight - 80, kFooterTop, kRight, kFooterTop + 11},
                              "Page " + std::to_string(i + 1) + " of " + count, 8, false, 2, kGrey});
    }
}

} // namespace

ReportDocument BuildReport(const Investment& doc, const Scales& scales, const ReportInfo& info) {
    ReportDocument document;
    std::vector<FlowLine> flow;
    AddSection(flow, info.summary);
    AddSection(flow, SaleSection(doc));
    for (const ReportSection& section : InputSections(doc)) AddSection(flow, section);
    AddScale(flow, DutyScaleTable(scales.duty));
    AddScale(flow, TaxScaleTable(scales.tax));

    ReportPage first;
    const double top = PlaceTitle(first, doc, info);
    PlaceFlow(document, flow, top);
    // The title goes onto the first page the flow made.
    ReportPage& page1 = document.pages.front();
    page1.texts.insert(page1.texts.begin(), first.texts.begin(), first.texts.end());
    page1.rules.insert(page1.rules.end(), first.rules.begin(), first.rules.end());

    PlaceProjection(document, doc);
    PlaceCharts(document);
    PlaceWhatIf(document, doc, scales, info.whatIf);
    PlaceRisk(document, doc, scales, info.risk);
    PlaceFooters(document, info);
    return document;
}
