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

#ifdef VEL_BENCH_QT
void BM_ReportPdf(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const std::string path = Target(".pdf");
    std::string reason;
    for (auto _ : state)
        if (!WriteReportPdf(doc, scales, "worked-example-interest-only.vel", path, reason))
            state.SkipWithError(reason.c_str());
    std::remove(path.c_str());
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);
#endif

void BM_Workbook(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const std::string path = Target(".xlsx");
    std::string reason;
    for (auto _ : state)
        if (!WriteWorkbook(doc, scales, path, reason)) state.SkipWithError(reason.c_str());
    std::remove(path.c_str());
}
BENCHMARK(BM_Workbook)->Unit(benchmark::kMillisecond);

void BM_ProjectionCsv(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const std::string path = Target(".csv");
    std::string reason;
    for (auto _ : state)
        if (!WriteFileAtomically(path, ProjectionCsv(doc), reason)) state.SkipWithError(reason.c_str());
    std::remove(path.c_str());
}
BENCHMARK(BM_ProjectionCsv)->Unit(benchmark::kMillisecond);

} // namespace
