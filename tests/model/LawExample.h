// The investment the law's figures are worked by hand for: price and market value 800,000,
// duty 30,000 given, conveyancing 950, deposit 20 %, interest only at 6 %, inflation 3 %,
// otherwise the built-in defaults; recalculated (the scale in force plays no part under the
// law of the years).
#pragma once

#include "model/Investment.h"
#include "model/Scales.h"

struct LawExample {
    int law = 1, year = 2026, month = 12, newBuild = 0;
    double rent = 1000, growth = 4, him = 120000, her = 0; // joint names when `her` > 0
    int years = 10;
};

inline void SetUpLawExample(Investment& doc, const LawExample& e) {
    doc.ResetFixedDefaults();
    doc.Price = doc.MarketValue = 800000;
    doc.UseSDScale = 0;
    doc.StampDutyCost = 30000;
    doc.DepositPC = 20;
    doc.RateInterest = 6;
    doc.RateInfl = 3;
    doc.Rent = e.rent;
    doc.RateGrowth = e.growth;
    doc.TaxableHim = e.him;
    doc.TaxableHer = e.her;
    doc.NamesOnTitle = e.her > 0 ? 2 : 1;
    doc.ProjectionYear = e.years;
    doc.TaxLaw = e.law;
    doc.PurchaseYear = e.year;
    doc.PurchaseMonth = e.month;
    doc.NewBuild = e.newBuild;
    doc.Recalculate(ShippedDutyScale(kDutyLocationNone), ShippedTaxScale(0));
}
