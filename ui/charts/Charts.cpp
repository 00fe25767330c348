#include "ui/charts/Charts.h"

#include "ui/charts/ChartKind.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/ChartWindow.h"

void ShowChart(const Investment& doc, const Scales& scales, int command, const FontSpec fonts[2], QWidget* parent) {
    // The series live here until the window closes; the record is not touched.
    std::optional<ChartData> chart = BuildChart(doc, scales, command, CurrentColours);
    if (!chart) return;
    if (command == ChartRateOfReturn) WithoutLosses(*chart);
    OpenChart(chart->Request(fonts), parent);
}

