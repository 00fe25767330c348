// Benchmarks of the what-if analysis: the default grid, each break-even figure, a
// comparison of four files read from disk, and the futures of the worked example.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/BreakEven.h"
#include "analysis/Compare.h"
#include "analysis/Grid.h"
#include "analysis/Risk.h"
#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"

namespace {

void BM_DefaultGrid(benchmark::State& state) {
    const Scales scales;
    Investment doc;
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
    Investment doc;
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
        Investment doc;
        SetUpWorkedExample(doc, i % 2);
        doc.Price = doc.MarketValue = 250000 + 50000 * i;
        doc.Recalculate(scales);
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

// 10,000 futures of the worked example (0 interest only, 1 principal and interest) on 1 or 2
// threads, in wall time; beside it one recalculation of the same record, for the cost of a
// path against it.
void BM_RiskTenThousandPaths(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, static_cast<int>(state.range(1)));
    const RiskRun run(doc, scales, RiskParameters{});
    const auto threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        RiskResults r = run.Run(10000, 1, threads);
        benchmark::DoNotOptimize(r.beatsFund);
    }
    state.counters["us_per_path"] = benchmark::Counter(
        10000.0 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_RiskTenThousandPaths)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_RiskOneRecalculate(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        doc.Recalculate(scales);
        benchmark::DoNotOptimize(doc.IRRAfterSale);
    }
}
BENCHMARK(BM_RiskOneRecalculate)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The parts of a future: the draws alone, and one recalculation under drawn rates (path 0..63
// in turn, so that futures with and without a rate of return both count).
void BM_RiskPathParts(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, static_cast<int>(state.range(1)));
    const PathDrawer drawer(doc, RiskParameters{});
    std::vector<PathDraws> draws(64);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        PathRandom g = PathGenerator(1, i);
        drawer.Draw(g, draws[i]);
    }
    Investment work;
    std::uint64_t i = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            PathRandom g = PathGenerator(1, i);
            drawer.Draw(g, draws[i % 64]);
            benchmark::DoNotOptimize(draws[i % 64].rates.growth[39]);
        } else {
            work = doc;
            work.Recalculate(scales.duty, scales.tax, draws[i % 64].rates);
            benchmark::DoNotOptimize(work.IRRAfterSale);
        }
        ++i;
    }
}
BENCHMARK(BM_RiskPathParts)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

// A million paths on 2 threads, once: the growth of the process's peak resident memory.
void BM_RiskMillionPathsMemory(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 1);
    const RiskRun run(doc, scales, RiskParameters{});
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    for (auto _ : state) {
        RiskResults r = run.Run(kMaxRiskPaths, 1, 2);
        benchmark::DoNotOptimize(r.beatsFund);
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    state.counters["peak_rss_growth_MB"] = static_cast<double>(after.ru_maxrss - before.ru_maxrss) / 1024.0;
    state.counters["peak_rss_MB"] = static_cast<double>(after.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_RiskMillionPathsMemory)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
