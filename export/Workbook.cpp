#include "export/Workbook.h"

#include <locale.h>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <algorithm>
#include <map>
#include <vector>

#include "persist/WholeFile.h"
#include "export/ReportData.h"
#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "model/Scales.h"

namespace {

bool IsRate(const std::string& format) { return format.find('%') != std::string::npos; }

// The spreadsheet number format for one of the program's value formats. Rates are stored as
// fractions, as spreadsheets keep them, so that a formula over them is right.
const char* NumberFormat(const std::string& format) {
    if (IsRate(format)) return "0.00%";
    if (format.find('y') != std::string::npos) return "0\"yr\"";
    if (format.find('(') != std::string::npos) return "\"$\"#,##0;[Red](\"$\"#,##0)";
    if (format.find('$') != std::string::npos) return "\"$\"#,##0";
    return "0";
}

// A text as the workbook's XML can hold it: a character XML 1.0 does not allow (a control
// character other than tab, newline and return, U+FFFE, U+FFFF, a lone surrogate, a malformed
// sequence) becomes U+FFFD, and a NUL no longer ends the text early.
std::string XmlText(std::string_view utf8) {
    std::u16string text = FromUtf8(utf8);
    for (char16_t& c : text)
        if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF)
            c = 0xFFFD;
    return ToUtf8(text); // lone surrogates become U+FFFD here
}

// Under the process locale the library would write "1234,5" on a comma-decimal desktop; the
// workbook is always written under the "C" numbers.
class CLocaleNumbers {
public:
    CLocaleNumbers() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (c_) previous_ = uselocale(c_);
    }
    ~CLocaleNumbers() {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CLocaleNumbers(const CLocaleNumbers&) = delete;
    CLocaleNumbers& operator=(const CLocaleNumbers&) = delete;

private:
    locale_t c_;
    locale_t previous_ = nullptr;
};

class Writer {
public:
    explicit Writer(lxw_workbook* book) : book_(book) {
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        title_ = workbook_add_format(book_);
        format_set_bold(title_);
        format_set_font_size(title_, 14);
        heading_ = workbook_add_format(book_);
        format_set_bold(heading_);
        format_set_text_wrap(heading_);
        format_set_align(heading_, LXW_ALIGN_CENTER);
        format_set_align(heading_, LXW_ALIGN_VERTICAL_CENTER);
        right_ = workbook_add_format(book_);
        format_set_align(right_, LXW_ALIGN_RIGHT);
    }

    void String(lxw_worksheet* sheet, int row, int column, std::string_view text, lxw_format* format) {
        Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                     XmlText(text).c_str(), format));
    }

    // A number, or an empty cell where there is none or none a cell can hold ("inf" would
    // make the sheet unreadable); a rate as a fraction.
    void Number(lxw_worksheet* sheet, int row, int column, double value, const std::string& format,
                bool shaded = false) {
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(column);
        lxw_format* f = Format(format, shaded);
        if (IsNoValue(value) || !std::isfinite(value))
            Check(worksheet_write_blank(sheet, r, c, f));
        else
            Check(worksheet_write_number(sheet, r, c, IsRate(format) ? value / 100.0 : value, f));
    }

    void Line(lxw_worksheet* sheet, int row, const ReportLine& line) {
        String(sheet, row, 0, line.label, nullptr);
        if (line.IsText())
            String(sheet, row, 1, line.text, right_);
        else
            Number(sheet, row, 1, line.value, line.format);
    }

    lxw_workbook* book_;
    lxw_format *bold_, *title_, *heading_, *right_;
    // The first cell the library refused; a workbook missing a cell is not written.
    lxw_error failure_ = LXW_NO_ERROR;

private:
    lxw_format* Format(const std::string& format, bool shaded) {
        const std::string key = format + (shaded ? "|shaded" : "");
        auto it = formats_.find(key);
        if (it != formats_.end()) return it->second;
        lxw_format* f = workbook_add_format(book_);
        format_set_num_format(f, NumberFormat(format));
        if (shaded) format_set_bg_color(f, 0xECF3FC);
        formats_[key] = f;
        return f;
    }

    void Check(lxw_error error) {
        if (failure_ == LXW_NO_ERROR) failure_ = error;
    }

    std::map<std::string, lxw_format*> formats_;
};

// "B" for column 1 (from 0); the table has fewer than 26 columns.
std::string ColumnName(int column) { return std::string(1, static_cast<char>('A' + column)); }

void WriteSummary(Writer& w, const Investment& doc) {
    lxw_worksheet* sheet = workbook_add_worksheet(w.book_, "Summary");
    worksheet_set_column(sheet, 0, 0, 30, nullptr);
    worksheet_set_column(sheet, 1, 1, 24, nullptr);
    const std::string address = ToUtf8(doc.Address);
    w.String(sheet, 0, 0, address.empty() ? "Pocket VEL" : address, w.title_);
    int row = 2;
    std::vector<ReportSection> sections = ResultSections(doc);
    for (ReportSection& s : InputSections(doc)) sections.push_back(std::move(s));
    for (const ReportSection& s : sections) {
        w.String(sheet, row++, 0, s.title, w.bold_);
        for (const ReportLine& line : s.lines) w.Line(sheet, row++, line);
        ++row;
    }
}

void WriteProjection(Writer& w, const Investment& doc) {
    lxw_worksheet* sheet = workbook_add_worksheet(w.book_, "Projection");
    worksheet_set_column(sheet, 0, 0, 7, nullptr);
    worksheet_set_column(sheet, 1, static_cast<lxw_col_t>(kProjectionRows.size()), 13, nullptr);
    worksheet_set_row(sheet, 0, 30, nullptr);
    w.String(sheet, 0, 0, "Year", w.heading_);
    for (std::size_t i = 0; i < kProjectionRows.size(); ++i) {
        std::string heading = kProjectionRows[i].heading;
        for (char& ch : heading)
            if (ch == '\n') ch = ' ';
        w.String(sheet, 0, static_cast<int>(i + 1), heading, w.heading_);
    }
    // The figures beyond the named rows that the investment uses, after them.
    const std::vector<ExtraProjectionColumn> extras = ExtraProjectionColumns(doc);
    const int firstExtra = static_cast<int>(kProjectionRows.size() + 1);
    for (std::size_t i = 0; i < extras.size(); ++i) {
        std::string heading = extras[i].heading;
        std::replace(heading.begin(), heading.end(), '\n', ' ');
        w.String(sheet, 0, firstExtra + static_cast<int>(i), heading, w.heading_);
    }
    // Under the law of the years, the income year each year is taxed under, after the rows.
    const bool byIncomeYear = !IncomeYearHeading(doc, 0).empty();
    const int yearColumn = firstExtra + static_cast<int>(extras.size());
    if (byIncomeYear) w.String(sheet, 0, yearColumn, "Income year", w.heading_);
    for (int year = 1; year <= kTableColumns; ++year) {
        // The years of the projection period are shaded, as on screen.
        const bool period = year <= doc.ProjectionYear;
        w.Number(sheet, year, 0, year, "0", period);
        for (std::size_t i = 0; i < kProjectionRows.size(); ++i)
            w.Number(sheet, year, static_cast<int>(i + 1), doc.At(kProjectionRows[i].row, year - 1),
                     kProjectionFormat, period);
        for (std::size_t i = 0; i < extras.size(); ++i)
            w.Number(sheet, year, firstExtra + static_cast<int>(i),
                     extras[i].values[static_cast<std::size_t>(year - 1)], extras[i].format, period);
        if (byIncomeYear) w.String(sheet, year, yearColumn, IncomeYearHeading(doc, year - 1), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 1);

    // Two charts beside the table, over the years the program's charts show.
    struct ChartSetup {
        const char* title;
        Row rows[2];
        int top;
    };
    const ChartSetup charts[] = {{"Value & Debt", {Row::PropertyValue, Row::Debt}, 1},
                                 {"Cash Flows", {Row::PreTaxCash, Row::AfterTaxCash}, 22}};
    const std::string years = "=Projection!$A$2:$A$26";
    for (const ChartSetup& setup : charts) {
        lxw_chart* chart = workbook_add_chart(w.book_, LXW_CHART_COLUMN);
        chart_title_set_name(chart, setup.title);
        for (Row r : setup.rows) {
            std::size_t column = 0;
            while (kProjectionRows[column].row != r) ++column;
            const std::string letter = ColumnName(static_cast<int>(column + 1));
            const std::string values = "=Projection!$" + letter + "$2:$" + letter + "$26";
            lxw_chart_series* series = chart_add_series(chart, years.c_str(), values.c_str());
            const std::string name = "=Projection!$" + letter + "$1";
            chart_series_set_name(series, name.c_str());
        }
        chart_axis_set_name(chart->x_axis, "Years from purchase");
        chart_axis_set_name(chart->y_axis, "($)");
        chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
        worksheet_insert_chart(sheet, static_cast<lxw_row_t>(setup.top),
                               static_cast<lxw_col_t>(yearColumn + (byIncomeYear ? 2 : 1)),
                               chart);
    }
}

int WriteScale(Writer& w, lxw_worksheet* sheet, int row, const ScaleTable& table) {
    w.String(sheet, row++, 0, table.title, w.bold_);
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        w.String(sheet, row, static_cast<int>(c), table.headings[c], w.bold_);
    ++row;
    for (const auto& cells : table.rows) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells[c].IsText())
                w.String(sheet, row, static_cast<int>(c), cells[c].text, w.right_);
            else
                w.Number(sheet, row, static_cast<int>(c), cells[c].value, cells[c].format);
        }
        ++row;
    }
    for (const ReportLine& note : table.notes) w.Line(sheet, row++, note);
    return row + 1;
}

void WriteScales(Writer& w, const Scales& scales) {
    lxw_worksheet* sheet = workbook_add_worksheet(w.book_, "Scales");
    worksheet_set_column(sheet, 0, 0, 22, nullptr);
    worksheet_set_column(sheet, 1, 2, 14, nullptr);
    int row = WriteScale(w, sheet, 0, DutyScaleTable(scales.duty));
    WriteScale(w, sheet, row, TaxScaleTable(scales.tax));
}

// The futures: in words, the chances, the percentiles, the parameters, then year by year.
void WriteRisk(Writer& w, const RiskResults& r) {
    lxw_worksheet* sheet = workbook_add_worksheet(w.book_, "Risk");
    worksheet_set_column(sheet, 0, 0, 44, nullptr);
    worksheet_set_column(sheet, 1, 10, 13, nullptr);
    w.String(sheet, 0, 0, "Risk: how sure is the answer", w.title_);
    int row = 2;
    for (const std::string& sentence : RiskSentences(r)) w.String(sheet, row++, 0, sentence, nullptr);
    if (r.nothingBought) return;
    ++row;
    for (const ReportSection& section : {RiskChanceSection(r), RiskParameterSection(r)}) {
        w.String(sheet, row++, 0, section.title, w.bold_);
        for (const ReportLine& line : section.lines) w.Line(sheet, row++, line);
        ++row;
    }
    row = WriteScale(w, sheet, row, RiskPercentileTable(r));
    WriteScale(w, sheet, row, RiskYearTable(r));
}

bool WriteBook(const Investment& doc, const Scales& scales, const std::string& path,
               std::string& reason, const RiskResults& risk) {
    // The reason is put in words after the "C" numbers end, in the user's language.
    int error = 0;
    lxw_error failure = LXW_NO_ERROR;
    {
        CLocaleNumbers numbers;
        errno = 0;
        lxw_workbook* book = workbook_new(path.c_str());
        if (book) {
            Writer w(book);
            WriteSummary(w, doc);
            WriteProjection(w, doc);
            WriteScales(w, scales);
            WriteRisk(w, risk);
            errno = 0;
            failure = workbook_close(book);
            error = errno;
            if (failure == LXW_NO_ERROR && w.failure_ != LXW_NO_ERROR) {
                failure = w.failure_;
                error = 0;
            }
        } else {
            failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
            error = errno;
        }
    }
    if (failure != LXW_NO_ERROR) {
        reason = error ? std::strerror(error) : lxw_strerror(failure);
        return false;
    }
    return true;
}

} // namespace

bool WriteWorkbook(const Investment& doc, const Scales& scales, const std::string& path,
                   std::string& reason, const RiskSetup& risk) {
    const RiskResults futures = WorkOutRisk(doc, scales, risk);
    return WriteFileAtomically(
        path,
        [&](const std::string& temporary, std::string& why) {
            return WriteBook(doc, scales, temporary, why, futures);
        },
        reason);
}
