// The futures of the investment (analysis/Risk.h) as the report's "Risk" page and the
// workbook's "Risk" sheet show them: the chances, the percentiles, each year's equity and cash
// flow, and the parameters they were drawn under.
#pragma once

#include <cstdint>

#include "analysis/Risk.h"
#include "export/ReportData.h"


RiskResults WorkOutRisk(const Investment& doc, const Scales& scales, const RiskSetup& setup);

// The chances as shares of 100, and the worst 5 %.
ReportSection RiskChanceSection(const RiskResults& r);
// Every parameter with its value, the paths and the seed.
ReportSection RiskParameterSection(const RiskResults& r);
// Percentiles 5, 25, 50, 75, 95 of the IRR after sale (property, fund, bank), the NPV after
// sale and the fund's value after sale.
ScaleTable RiskPercentileTable(const RiskResults& r);
// The equity and the after-tax cash flow of years 1..40 at the five percentiles.
ScaleTable RiskYearTable(const RiskResults& r);

// A round step for about `marks` marks over `span`: 1, 2 or 5 times a power of ten.
double AxisStep(double span, int marks);
// The lowest and highest of the equity's percentiles over the 40 years, 0 included.
void EquityRange(const RiskResults& r, double& low, double& high);
