// The sale of the property after a holding period: selling costs, the capital gain and its
// tax, and the returns with the value left after the sale in place of the equity.
#pragma once

class Investment;
struct TaxScale;

struct SaleFigures {
    double price = 0;       // the property's value at the end of the last year held
    double costs = 0;       // price x SellingCostsPC %
    double costBase = 0;    // price paid, purchase costs and renovations less building
                            // depreciation claimed
    double gain = 0;        // price - costs - cost base; negative for a loss
    double taxableGain = 0; // the gain less the discount and the rental loss still carried;
                            // 0 for a loss
    double tax = 0;         // the capital gains tax on the incomes of the last year
    double valueAfter = 0;  // equity - costs - tax
    double irr = 0;         // holding IRR with valueAfter as the final value, or NoValue
    // Under the law of the sale's date (the record's TaxLaw 1 or 2), 0 otherwise: the gain up
    // to the capital gains switch (the whole gain of an earlier sale) and after it, the cost
    // base indexed from the switch or the purchase, the minimum tax's top-up (part of tax),
    // and whether a New Zealand sale falls within the bright-line period.
    double gainBefore = 0, gainAfter = 0, indexedBase = 0, topUp = 0;
    bool withinBrightLine = false;
};

// The sale after `years` (1..40) of the worked-out record, taxed under `scale`, or under the
// law of its date when the record's TaxLaw says so (model/Law.h).
SaleFigures WorkOutSale(const Investment& doc, int years, const TaxScale& scale);

// Sets the record's sale results (SalePrice to NPVAfterSale) for a sale at the end of the
// projection period, under the tax scale `tax`; `flowsOk` and `flowsValue` are
// PresentValueOfFlows's (model/Returns.h) for the projection period.
void ComputeSaleResults(Investment& doc, const TaxScale& tax, bool flowsOk, double flowsValue);
// All sale results 0, as when nothing is bought.
void ClearSaleResults(Investment& doc);
