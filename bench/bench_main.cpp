// Painting benchmarks need a QApplication; it runs offscreen unless a platform is chosen.
#include <benchmark/benchmark.h>

#ifdef VEL_BENCH_QT
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef VEL_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
