// The rates of each projection year: capital growth, the loan's interest, the rent's growth,
// inflation and vacancy. A record's own are the same every year; a scenario (a rate that
// changes, a simulated future) gives each year its own, and the recalculation follows them.
#pragma once

#include "model/Investment.h"

struct YearRates {
    // Percentages, as the record holds them.
    Investment::YearArray growth{};     // capital growth through year c
    Investment::YearArray interest{};   // the loan's interest rate through year c
    Investment::YearArray rentGrowth{}; // the rent's growth into year c ([0] unused)
    Investment::YearArray inflation{};  // inflation into year c: incomes, expenses, the rent
                                        // when it follows inflation ([0] unused)
    Investment::YearArray vacancy{};    // the share of year c the property stands empty
};

// The record's own rates: its inputs in every year, the rent's growth being inflation when the
// rent follows it. Recalculating under them gives the record's figures bit for bit.
YearRates RecordYearRates(const Investment& doc);
