// Benchmarks of the what-if analysis: the default grid, each break-even figure and a
// comparison of four files read from disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/BreakEven.h"
#include "analysis/Compare.h"
#include "analysis/Grid.h"
#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"

namespace {

void BM_DefaultGrid(benchmark::State& state) {
    const Scales scales;
    CVELPPCDoc doc;
    SetUpWorkedExample(doc, 1);
    for (auto _ : state) {
        WhatIf whatIf(doc, scales);
        SensitivityGrid grid = WorkOutGrid(whatIf, GridSetup{});
        benchmark::DoNotOptimize(grid.cells.data());
    }
}
BENCHMARK(BM_DefaultGrid)->Unit(benchmark::kMillisecond);

// 0: rent, 1: capital growth, 2: interest rate.
void BM_BreakEven(benchmark::State& state) {
    const Scales scales;
    CVELPPCDoc doc;
    SetUpWorkedExample(doc, 1);
    BreakEvenFigure (*const solve[])(WhatIf&) = {BreakEvenRent, BreakEvenGrowth, BreakEvenInterest};
    for (auto _ : state) {
        WhatIf whatIf(doc, scales);
        BreakEvenFigure f = solve[state.range(0)](whatIf);
        benchmark::DoNotOptimize(f.value);
    }
}
BENCHMARK(BM_BreakEven)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_CompareFourFiles(benchmark::State& state) {
    const Scales scales;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vel-bench-compare";
    std::filesystem::create_directories(dir);
    std::vector<std::string> paths;
    for (int i = 0; i < kMaxCompared; ++i) {
        CVELPPCDoc doc;
        SetUpWorkedExample(doc, i % 2);
        doc.Price = doc.MarketValue = 250000 + 50000 * i;
        doc.Recalculate(false, scales);
        paths.push_back((dir / ("house" + std::to_string(i) + ".vel")).string());
        std::ofstream out(paths.back(), std::ios::binary);
        SaveInvestment(doc, scales, out);
    }
    for (auto _ : state) {
        std::vector<ComparedInvestment> list;
        for (const std::string& p : paths) list.push_back(ReadCompared(p));
        Comparison c = Compare(list);
        benchmark::DoNotOptimize(c.rows.data());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CompareFourFiles)->Unit(benchmark::kMillisecond);

} // namespace
