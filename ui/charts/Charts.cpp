#include "ui/charts/Charts.h"

void InstallChartHooks() {}
