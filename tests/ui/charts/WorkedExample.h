// The investment the chart tests and screenshots draw: Qld duty and the start-up tax scale,
// built-in defaults, a 300,000 property let at 350 a week.
#pragma once

#include "model/Investment.h"
#include "model/Scales.h"

inline Investment WorkedExample(int loanType = 0) {
    Investment doc;
    doc.Price = doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.LoanType = loanType; // 1: principal and interest
    doc.Recalculate(Scales{});
    return doc;
}
