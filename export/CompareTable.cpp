#include "export/CompareTable.h"

#include <filesystem>

#include "export/ReportData.h"
#include "export/SummaryText.h"
#include "format/Format.h"

namespace {

// A tab or a line break inside a cell would split it on paste.
std::string OneCell(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

} // namespace

CompareTable MakeCompareTable(const std::vector<ComparedInvestment>& investments) {
    const Comparison c = Compare(investments);
    CompareTable table;
    for (std::size_t i = 0; i < c.names.size(); ++i)
        table.heads.push_back(i == 0 ? c.names[i]
                                     : std::filesystem::path(c.names[i]).filename().string());

    for (const CompareRow& row : c.rows) {
        CompareLine line;
        line.label = (row.afterSale ? "After sale: " : "") + std::string(row.label);
        line.number = !row.format.empty();
        for (std::size_t k = 0; k < c.names.size(); ++k) {
            CompareCell cell;
            if (line.number) {
                const bool money = row.format.find('$') != std::string_view::npos;
                cell.text = money ? WholeDollars(row.values[k]) : FormatValue(row.values[k], row.format);
                cell.narrow = FormatValue(row.values[k], row.format);
            } else {
                cell.text = cell.narrow = row.texts[k];
            }
            cell.best = row.best[k] != 0;
            line.cells.push_back(std::move(cell));
        }
        table.lines.push_back(std::move(line));
        if (row.key == "address") {
            CompareLine scales{"Duty and tax", false, {}};
            for (const ComparedInvestment& investment : investments) {
                if (!investment.ok || !investment.doc) continue;
                const std::string text = ScalesInForce(*investment.doc, investment.scales);
                scales.cells.push_back({text, text, false});
            }
            table.lines.push_back(std::move(scales));
        }
    }
    return table;
}

std::string TabSeparated(const CompareTable& table) {
    std::string out;
    for (const std::string& head : table.heads) out += '\t' + OneCell(head);
    out += '\n';
    for (const CompareLine& line : table.lines) {
        out += OneCell(line.label);
        for (const CompareCell& cell : line.cells) out += '\t' + OneCell(cell.text);
        out += '\n';
    }
    return out;
}
