#include "export/ProjectionCsv.h"

#include <charconv>
#include <cmath>

#include "export/ReportData.h"
#include "model/Investment.h"

namespace {

// The named rows, then the columns of what the investment uses beyond them (the rate's
// changes, the offset account, land tax).
std::string Table(const Investment& doc, char separator, std::string (*number)(double)) {
    const std::vector<ExtraProjectionColumn> extras = ExtraProjectionColumns(doc);
    std::string out = "Year";
    for (const ProjectionRow& p : kProjectionRows)
        out += separator + std::string(kRowNames[static_cast<std::size_t>(p.row)]);
    for (const ExtraProjectionColumn& e : extras) out += separator + std::string(e.name);
    out += '\n';
    for (int c = 0; c < kTableColumns; ++c) {
        out += std::to_string(c + 1);
        for (const ProjectionRow& p : kProjectionRows) out += separator + number(doc.At(p.row, c));
        for (const ExtraProjectionColumn& e : extras)
            out += separator + number(e.values[static_cast<std::size_t>(c)]);
        out += '\n';
    }
    return out;
}

} // namespace

std::string ProjectionCsv(const Investment& doc) { return Table(doc, ',', ExactNumber); }

std::string ProjectionCsvDecimalComma(const Investment& doc) { return Table(doc, ';', DecimalCommaNumber); }

std::string DecimalCommaNumber(double value) {
    if (!std::isfinite(value) || IsNoValue(value)) return {};
    // A spreadsheet keeps 15 digits: what lies below a millionth of a millionth of a dollar
    // or a percent is rounding, and would only write a long run of zeros.
    if (std::fabs(value) < 1e-12) value = 0;
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string text(buf, result.ptr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text == "-0" ? "0" : text;
}
