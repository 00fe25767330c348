// The investment that the model's figures are checked against: the start-up scales (Qld duty,
// the start-up tax scale), the built-in defaults, a price and market value of 300,000 and a
// rent of 350 a week, single name, recalculated. Loan type 0 is interest only, 1 principal and
// interest.
#pragma once

#include "model/Investment.h"
#include "model/Scales.h"

inline void SetUpWorkedExample(Investment& doc, int loanType = 0) {
    doc.ResetFixedDefaults();
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.LoanType = loanType;
    doc.Recalculate(Scales{});
}
