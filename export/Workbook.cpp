#include "export/Workbook.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "export/AtomicWrite.h"
#include "export/ProjectionCsv.h"
#include "export/ReportData.h"
#include "export/ZipPatch.h"
#include "format/Format.h"
#include "format/Text.h"
#include "model/Investment.h"
#include "model/Scales.h"

namespace {

// The workbook library is loaded when the first workbook is written, not with the program:
// it brings a cryptography library of 4 MB with it, and loading the two took a twentieth of
// the program's start-up, for a command most runs never use.
#define VEL_WORKBOOK_FUNCTIONS(X) \
    X(chart_add_series) \
    X(chart_axis_set_name) \
    X(chart_legend_set_position) \
    X(chart_series_set_name) \
    X(chart_title_set_name) \
    X(format_set_align) \
    X(format_set_bg_color) \
    X(format_set_bold) \
    X(format_set_font_size) \
    X(format_set_num_format) \
    X(format_set_text_wrap) \
    X(lxw_strerror) \
    X(workbook_add_chart) \
    X(workbook_add_format) \
    X(workbook_add_worksheet) \
    X(workbook_close) \
    X(workbook_new) \
    X(worksheet_freeze_panes) \
    X(worksheet_insert_chart) \
    X(worksheet_set_column) \
    X(worksheet_set_row) \
    X(worksheet_write_blank) \
    X(worksheet_write_number) \
    X(worksheet_write_string)

struct WorkbookLibrary {
#define VEL_MEMBER(name) decltype(&::name) name = nullptr;
    VEL_WORKBOOK_FUNCTIONS(VEL_MEMBER)
#undef VEL_MEMBER
    std::string failure; // why it could not be loaded; empty once it is
};

// The library, loaded on first use; its `failure` says whether it could be.
const WorkbookLibrary& Lib() {
    static const WorkbookLibrary library = [] {
        WorkbookLibrary l;
        const char* const file = "libxlsxwriter.so." LXW_SOVERSION;
        void* handle = dlopen(file, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            l.failure = std::string("The workbook library ") + file + " could not be loaded" +
                        (why ? std::string(": ") + why : std::string()) + ".";
            return l;
        }
        bool complete = true;
#define VEL_FIND(name) \
    l.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && l.name != nullptr;
        VEL_WORKBOOK_FUNCTIONS(VEL_FIND)
#undef VEL_FIND
        if (!complete)
            l.failure = std::string("The workbook library ") + file + " lacks functions this program uses.";
        // Kept loaded for the rest of the run.
        return l;
    }();
    return library;
}

// The spreadsheet number format for one of the program's value formats.
const char* NumberFormat(const std::string& format) {
    if (format.find('%') != std::string::npos) return "0.00\"%\"";
    if (format.find('y') != std::string::npos) return "0\"yr\"";
    if (format.find('(') != std::string::npos) return "\"$\"#,##0;[Red](\"$\"#,##0)";
    if (format.find('$') != std::string::npos) return "\"$\"#,##0";
    return "0";
}

// "B7" for row 6, column 1 (both from 0).
std::string CellName(int row, int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row + 1);
}

// Under the process locale the library would write "1234,5" on a comma-decimal desktop; the
// workbook is always written under the "C" numbers.
class CNumbers {
public:
    CNumbers() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (c_) previous_ = uselocale(c_);
    }
    ~CNumbers() {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t c_;
    locale_t previous_ = nullptr;
};

class Writer {
public:
    explicit Writer(lxw_workbook* book) : book_(book) {
        bold_ = Lib().workbook_add_format(book_);
        Lib().format_set_bold(bold_);
        title_ = Lib().workbook_add_format(book_);
        Lib().format_set_bold(title_);
        Lib().format_set_font_size(title_, 14);
        heading_ = Lib().workbook_add_format(book_);
        Lib().format_set_bold(heading_);
        Lib().format_set_text_wrap(heading_);
        Lib().format_set_align(heading_, LXW_ALIGN_CENTER);
        Lib().format_set_align(heading_, LXW_ALIGN_VERTICAL_CENTER);
        right_ = Lib().workbook_add_format(book_);
        Lib().format_set_align(right_, LXW_ALIGN_RIGHT);
    }

    // A number, or an empty cell where there is none; the exact double is noted for the
    // sheet's rewrite.
    void Number(lxw_worksheet* sheet, int sheetIndex, int row, int column, double value,
                lxw_format* format) {
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(column);
        if (IsNoValue(value) || value != value) {
            Lib().worksheet_write_blank(sheet, r, c, format);
            return;
        }
        Lib().worksheet_write_number(sheet, r, c, value, format);
        exact_[sheetIndex][CellName(row, column)] = ExactNumber(value);
    }

    lxw_format* Format(const std::string& format, bool shaded = false) {
        const std::string key = format + (shaded ? "|shaded" : "");
        auto it = formats_.find(key);
        if (it != formats_.end()) return it->second;
        lxw_format* f = Lib().workbook_add_format(book_);
        Lib().format_set_num_format(f, NumberFormat(format));
        if (shaded) Lib().format_set_bg_color(f, 0xECF3FC);
        formats_[key] = f;
        return f;
    }

    void Line(lxw_worksheet* sheet, int sheetIndex, int row, const ReportLine& line) {
        Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row), 0, line.label.c_str(), nullptr);
        if (line.IsText())
            Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row), 1, line.text.c_str(), right_);
        else
            Number(sheet, sheetIndex, row, 1, line.value, Format(line.format));
    }

    lxw_workbook* book_;
    lxw_format *bold_, *title_, *heading_, *right_;
    std::map<std::string, lxw_format*> formats_;
    // Per sheet (1 = the first), the exact text of every number cell.
    std::map<int, std::map<std::string, std::string>> exact_;
};

void WriteSummary(Writer& w, const CVELPPCDoc& doc) {
    lxw_worksheet* sheet = Lib().workbook_add_worksheet(w.book_, "Summary");
    Lib().worksheet_set_column(sheet, 0, 0, 30, nullptr);
    Lib().worksheet_set_column(sheet, 1, 1, 24, nullptr);
    int row = 0;
    const std::string address = ToUtf8(doc.Address);
    Lib().worksheet_write_string(sheet, 0, 0, address.empty() ? "Pocket VEL" : address.c_str(), w.title_);
    row = 2;
    std::vector<ReportSection> sections = ResultSections(doc);
    for (ReportSection& s : InputSections(doc)) sections.push_back(std::move(s));
    for (const ReportSection& s : sections) {
        Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row++), 0, s.title.c_str(), w.bold_);
        for (const ReportLine& line : s.lines) w.Line(sheet, 1, row++, line);
        ++row;
    }
}

void WriteProjection(Writer& w, const CVELPPCDoc& doc) {
    lxw_worksheet* sheet = Lib().workbook_add_worksheet(w.book_, "Projection");
    Lib().worksheet_set_column(sheet, 0, 0, 7, nullptr);
    Lib().worksheet_set_column(sheet, 1, static_cast<lxw_col_t>(kProjectionRows.size()), 13, nullptr);
    Lib().worksheet_set_row(sheet, 0, 30, nullptr);
    Lib().worksheet_write_string(sheet, 0, 0, "Year", w.heading_);
    for (std::size_t i = 0; i < kProjectionRows.size(); ++i) {
        std::string heading = kProjectionRows[i].heading;
        for (char& ch : heading)
            if (ch == '\n') ch = ' ';
        Lib().worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(i + 1), heading.c_str(), w.heading_);
    }
    // Under the law of the years, the income year each year is taxed under, after the rows.
    const bool byIncomeYear = !IncomeYearHeading(doc, 0).empty();
    const auto yearColumn = static_cast<lxw_col_t>(kProjectionRows.size() + 1);
    if (byIncomeYear) Lib().worksheet_write_string(sheet, 0, yearColumn, "Income year", w.heading_);
    for (int year = 1; year <= kTableColumns; ++year) {
        // The years of the projection period are shaded, as on screen.
        const bool period = year <= doc.ProjectionYear;
        w.Number(sheet, 2, year, 0, year, w.Format("0", period));
        for (std::size_t i = 0; i < kProjectionRows.size(); ++i)
            w.Number(sheet, 2, year, static_cast<int>(i + 1), doc.At(kProjectionRows[i].row, year - 1),
                     w.Format(kProjectionFormat, period));
        if (byIncomeYear)
            Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(year), yearColumn,
                                         IncomeYearHeading(doc, year - 1).c_str(), nullptr);
    }
    Lib().worksheet_freeze_panes(sheet, 1, 1);

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
        lxw_chart* chart = Lib().workbook_add_chart(w.book_, LXW_CHART_COLUMN);
        Lib().chart_title_set_name(chart, setup.title);
        for (Row r : setup.rows) {
            std::size_t column = 0;
            while (kProjectionRows[column].row != r) ++column;
            const std::string letter = CellName(0, static_cast<int>(column + 1)).substr(0, 1);
            const std::string values = "=Projection!$" + letter + "$2:$" + letter + "$26";
            lxw_chart_series* series = Lib().chart_add_series(chart, years.c_str(), values.c_str());
            const std::string name = "=Projection!$" + letter + "$1";
            Lib().chart_series_set_name(series, name.c_str());
        }
        Lib().chart_axis_set_name(chart->x_axis, "Years from purchase");
        Lib().chart_axis_set_name(chart->y_axis, "($)");
        Lib().chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
        Lib().worksheet_insert_chart(sheet, static_cast<lxw_row_t>(setup.top),
                               static_cast<lxw_col_t>(kProjectionRows.size() + (byIncomeYear ? 3 : 2)), chart);
    }
}

int WriteScale(Writer& w, lxw_worksheet* sheet, int row, const ScaleTable& table) {
    Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row++), 0, table.title.c_str(), w.bold_);
    for (std::size_t c = 0; c < table.headings.size(); ++c)
        Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(c),
                               table.headings[c].c_str(), w.bold_);
    ++row;
    for (const auto& cells : table.rows) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells[c].IsText())
                Lib().worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(c),
                                       cells[c].text.c_str(), w.right_);
            else
                w.Number(sheet, 3, row, static_cast<int>(c), cells[c].value, w.Format(cells[c].format));
        }
        ++row;
    }
    for (const ReportLine& note : table.notes) w.Line(sheet, 3, row++, note);
    return row + 1;
}

void WriteScales(Writer& w) {
    lxw_worksheet* sheet = Lib().workbook_add_worksheet(w.book_, "Scales");
    Lib().worksheet_set_column(sheet, 0, 0, 22, nullptr);
    Lib().worksheet_set_column(sheet, 1, 2, 14, nullptr);
    int row = WriteScale(w, sheet, 0, DutyScaleTable(CurrentDutyScale));
    WriteScale(w, sheet, row, TaxScaleTable(CurrentTaxScale));
}

// Puts the exact numbers into the cells noted, in place of the library's 16 digits.
void PatchSheet(std::string& xml, const std::map<std::string, std::string>& exact) {
    std::string out;
    out.reserve(xml.size() + xml.size() / 8);
    std::size_t at = 0;
    for (;;) {
        const std::size_t cell = xml.find("<c r=\"", at);
        if (cell == std::string::npos) break;
        const std::size_t nameEnd = xml.find('"', cell + 6);
        const std::size_t close = xml.find("</c>", cell);
        const std::size_t v = xml.find("<v>", cell);
        const std::size_t vEnd = xml.find("</v>", cell);
        if (nameEnd == std::string::npos || close == std::string::npos || v == std::string::npos ||
            vEnd == std::string::npos || v > close || xml.compare(xml.find('>', cell) - 1, 1, "/") == 0) {
            out.append(xml, at, cell + 6 - at);
            at = cell + 6;
            continue;
        }
        const auto found = exact.find(xml.substr(cell + 6, nameEnd - cell - 6));
        if (found == exact.end()) {
            out.append(xml, at, close - at);
        } else {
            out.append(xml, at, v + 3 - at);
            out += found->second;
            out.append(xml, vEnd, close - vEnd);
        }
        at = close;
    }
    out.append(xml, at, std::string::npos);
    xml = std::move(out);
}

bool ReadAll(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return static_cast<bool>(in) || in.eof();
}

bool WriteAll(const std::string& path, const std::string& bytes, std::string& reason) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            reason = std::strerror(n < 0 ? errno : EIO);
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

bool WriteBook(const CVELPPCDoc& doc, const std::string& path, std::string& reason) {
    std::map<int, std::map<std::string, std::string>> exact;
    // The reason is put in words after the "C" numbers end, in the user's language.
    int error = 0;
    lxw_error failure = LXW_NO_ERROR;
    if (!Lib().failure.empty()) {
        reason = Lib().failure;
        return false;
    }
    {
        CNumbers numbers;
        errno = 0;
        lxw_workbook* book = Lib().workbook_new(path.c_str());
        if (book) {
            Writer w(book);
            WriteSummary(w, doc);
            WriteProjection(w, doc);
            WriteScales(w);
            exact = std::move(w.exact_);
            errno = 0;
            failure = Lib().workbook_close(book);
            error = errno;
        } else {
            failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
            error = errno;
        }
    }
    if (failure != LXW_NO_ERROR) {
        reason = error ? std::strerror(error) : Lib().lxw_strerror(failure);
        return false;
    }
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        reason = std::strerror(errno ? errno : EIO);
        return false;
    }
    const std::string patched = RewriteZip(bytes, [&](const std::string& name, std::string& content) {
        for (const auto& [index, cells] : exact)
            if (name == "xl/worksheets/sheet" + std::to_string(index) + ".xml") PatchSheet(content, cells);
    });
    if (patched.empty()) {
        reason = "The workbook could not be completed.";
        return false;
    }
    return WriteAll(path, patched, reason);
}

} // namespace

bool WriteWorkbook(const CVELPPCDoc& doc, const std::string& path, std::string& reason) {
    return WriteFileAtomically(
        path, [&](const std::string& temporary, std::string& why) { return WriteBook(doc, temporary, why); },
        reason);
}
