// The investment that the benchmarks measure: start-up scales, built-in defaults, a price and
// market value of 300,000 and a rent of 350 a week.
#pragma once

#include "model/Investment.h"
#include "model/Scales.h"

inline void SetUpBenchExample(CVELPPCDoc& doc, int loanType) {
    ResetScalesToStartup();
    doc.ResetFixedDefaults();
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.LoanType = loanType;
    doc.Recalculate(false);
}
