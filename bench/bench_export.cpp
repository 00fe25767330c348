// What an export costs: the report of the worked example laid out, drawn and written as PDF,
// the workbook and the projection CSV, each written to a file as the File menu does.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "persist/WholeFile.h"
#include "export/ProjectionCsv.h"
#include "export/Workbook.h"
#include "tests/model/WorkedExample.h"
#ifdef VEL_BENCH_QT
#include "ui/report/ReportPainter.h"
#endif

namespace {

std::string Target(const char* extension) {
    return "/tmp/vel-bench-" + std::to_string(::getpid()) + extension;
}

// Times `write(doc, scales, path, reason)` of the worked example to a file ending in `extension`.
template <class Write>
void TimeExport(benchmark::State& state, const char* extension, Write write) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const std::string path = Target(extension);
    std::string reason;
    for (auto _ : state)
        if (!write(doc, scales, path, reason)) state.SkipWithError(reason.c_str());
    std::remove(path.c_str());
}

#ifdef VEL_BENCH_QT
void BM_ReportPdf(benchmark::State& state) {
    TimeExport(state, ".pdf", [](const Investment& doc, const Scales& scales,
                                 const std::string& path, std::string& reason) {
        return WriteReportPdf(doc, scales, "worked-example-interest-only.vel", path, reason);
    });
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);
#endif

void BM_Workbook(benchmark::State& state) {
    TimeExport(state, ".xlsx", [](const Investment& doc, const Scales& scales,
                                  const std::string& path, std::string& reason) {
        return WriteWorkbook(doc, scales, path, reason);
    });
}
BENCHMARK(BM_Workbook)->Unit(benchmark::kMillisecond);

void BM_ProjectionCsv(benchmark::State& state) {
    TimeExport(state, ".csv", [](const Investment& doc, const Scales&, const std::string& path,
                                 std::string& reason) {
        return WriteFileAtomically(path, ProjectionCsv(doc), reason);
    });
}
BENCHMARK(BM_ProjectionCsv)->Unit(benchmark::kMillisecond);

} // namespace
