// Benchmarks of what the user waits for on screen: one refresh and paint of the summary, the
// series of the "Rate of Return" chart (40 internal rates of return), and one paint of each
// chart, all into offscreen images.
#ifdef VEL_BENCH_QT
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "tests/model/WorkedExample.h"
#include "persist/Settings.h"
#include "ui/charts/ChartDrawing.h"
#include "ui/charts/ChartScale.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/ChartKind.h"
#include "ui/shell/QPainterSurface.h"
#include "ui/shell/SummaryLayout.h"

namespace {

void BM_SummaryRefreshAndPaint(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 0);
    QImage image(280, 320, QImage::Format_RGB32);
    SummaryLayout summary;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        surface.SetFont(summary.fonts[0]);
        const FontMetrics m = surface.Metrics();
        summary.Layout(image.width(), m.height + m.externalLeading, m.averageCharWidth,
                       CurrentColours.BG1Color);
    }
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        summary.Paint(surface, {0, 0, image.width(), image.height()}, CurrentColours.BG1Color,
                      doc, 0, 0);
    }
}
BENCHMARK(BM_SummaryRefreshAndPaint)->Unit(benchmark::kMicrosecond);

void BM_RateOfReturnSeries(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ChartData chart = RateOfReturnChart(doc, CurrentColours);
        benchmark::DoNotOptimize(chart.values[0][39]);
    }
}
BENCHMARK(BM_RateOfReturnSeries)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ChartPaint(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const int command = static_cast<int>(state.range(0));
    const std::optional<ChartData> chart = BuildChart(doc, scales, command, CurrentColours);
    if (!chart) {
        state.SkipWithError("no such chart");
        return;
    }
    const FontSpec fonts[2] = {{"Arial", 15, 400}, {"Arial", 15, 700}};
    const ChartRequest request = chart->Request(fonts);
    const ChartScale scale = ComputeChartScale(request);
    QImage image(480, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        DrawChart(surface, request, scale, image.width(), image.height(),
                  CurrentChartColours());
    }
    state.SetLabel(chart->caption);
}
BENCHMARK(BM_ChartPaint)
    ->Arg(ChartValueDebt)
    ->Arg(ChartCashFlows)
    ->Arg(ChartWhoPays)
    ->Arg(ChartBankComparison)
    ->Arg(ChartRateOfReturn)
    ->Unit(benchmark::kMicrosecond);

} // namespace
#endif
