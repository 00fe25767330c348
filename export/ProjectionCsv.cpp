#include "export/ProjectionCsv.h"

#include "export/ReportData.h"
#include "model/Investment.h"

std::string ProjectionCsv(const CVELPPCDoc& doc) {
    std::string out = "Year";
    for (const ProjectionRow& p : kProjectionRows)
        out += std::string(",") + kRowNames[static_cast<std::size_t>(p.row)];
    out += '\n';
    for (int c = 0; c < kTableColumns; ++c) {
        out += std::to_string(c + 1);
        for (const ProjectionRow& p : kProjectionRows) out += ',' + ExactNumber(doc.At(p.row, c));
        out += '\n';
    }
    return out;
}
