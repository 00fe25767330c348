#include "model/Sale.h"

#include <algorithm>
#include <cmath>

#include "format/Format.h"
#include "model/Fields.h"
#include "model/Investment.h"
#include "model/Law.h"
#include "model/Returns.h"
#include "model/Scales.h"

namespace {

// The tax on a gain added to a year's income.
double TaxOnGain(double income, double gain, const TaxScale& scale) {
    return ComputeIncomeTax(income + gain, scale) - ComputeIncomeTax(income, scale);
}

// The income tax a taxable gain adds on the incomes of the last year held; in joint names
// each owner is taxed on half of it.
double OwnersTaxOnGain(const Investment& doc, int p, double gain, const TaxScale& scale) {
    const int last = p - 1;
    const double him = doc.TaxableHimByYear[last];
    if (doc.NamesOnTitle != 2) return TaxOnGain(him, gain, scale);
    return TaxOnGain(him, gain * 0.5, scale) + TaxOnGain(doc.TaxableHerByYear[last], gain * 0.5, scale);
}

// The rental loss still carried forward at the sale, which reduces what is taxed.
double CarriedAtSale(const Investment& doc, int p) {
    return std::max(0.0, doc.CarriedLossByYear[static_cast<std::size_t>(p - 1)]);
}

// Today's rule under one scale: the discount on the whole gain.
void TaxUnderOneScale(const Investment& doc, int p, const TaxScale& scale, SaleFigures& s) {
    // A capital loss has no tax effect here.
    s.taxableGain = s.gain > 0 ? s.gain * (1 - doc.CGTDiscountPC * 0.01) : 0.0;
    s.taxableGain = std::max(0.0, s.taxableGain - CarriedAtSale(doc, p));
    s.tax = OwnersTaxOnGain(doc, p, s.taxableGain, scale);
}

// One owner's tax on a discounted gain `before` and a gain `after` taxed in full: the income
// tax they add, and the top-up that brings the tax on `after` to `minimumRate` of it. The
// top-up counts the basic tax `after` adds on top of the rest, the Medicare levy not counted.
double TaxWithMinimum(double income, double before, double after, const TaxScale& scale,
                      double minimumRate, double& topUp) {
    TaxScale basic = scale;
    basic.MedicareRate = 0;
    const double below = income + before;
    const double added = ComputeIncomeTax(below + after, basic) - ComputeIncomeTax(below, basic);
    topUp = std::max(0.0, minimumRate * after - added);
    return TaxOnGain(income, before + after, scale) + topUp;
}

// A capital loss in one part offsets a gain in the other; what is left of a loss is not
// taxed.
void OffsetLosses(double& before, double& after) {
    if (before < 0 && after > 0) {
        after = std::max(0.0, after + before);
        before = 0;
    } else if (after < 0 && before > 0) {
        before = std::max(0.0, before + after);
        after = 0;
    }
    before = std::max(0.0, before);
    after = std::max(0.0, after);
}

// The taxable gain and its tax of a sale under the law of its date, into `s` (whose price,
// costs and cost base are set).
void TaxUnderTheLaw(const Investment& doc, int p, SaleFigures& s) {
    const int last = p - 1;
    const LawMonth bought = PurchaseDate(doc);
    const LawMonth sold = bought.YearsLater(p);
    const int kind = doc.TaxLaw;
    const TaxScale scale =
        IncomeYearTaxScale(kind, IncomeYearOf(kind, sold), doc.ThresholdsGrow != 0, doc.RateInfl);
    const double carried = CarriedAtSale(doc, p);

    if (kind == kNewZealandByIncomeYear) {
        // Within the bright-line period the whole gain is income; after it, nothing is taxed.
        s.withinBrightLine = p < doc.BrightLineYears;
        s.taxableGain = s.withinBrightLine ? std::max(0.0, s.gain - carried) : 0.0;
        s.tax = OwnersTaxOnGain(doc, p, s.taxableGain, scale);
        return;
    }

    const LawMonth switchDate = CgtSwitchDate(doc);
    if (sold < switchDate) {
        // Sold before the switch: the discount, as before it, under the scale of its year.
        s.gainBefore = s.gain;
        TaxUnderOneScale(doc, p, scale, s);
        return;
    }

    // Building depreciation claimed in the years that start before the switch reduces the
    // base of the part before; the rest the indexed base.
    double claimedBefore = 0, claimedAfter = 0;
    for (int c = 0; c < p; ++c) {
        const double claimed = doc.At(Row::BuildingDep, c);
        if (bought.YearsLater(c) < switchDate) claimedBefore += claimed;
        else claimedAfter += claimed;
    }
    const double paid = (doc.Price + doc.PurchaseCosts) + doc.Renovations;
    const double growth = 1 + doc.RateGrowth * 0.01;
    const double inflation = 1 + doc.RateInfl * 0.01;
    double base = paid;
    LawMonth indexedFrom = bought;
    if (bought < switchDate) {
        // Held on the day of the switch: sold and bought again at the value projected for it.
        const double held = (switchDate.Index() - bought.Index()) / 12.0;
        base = doc.MarketValue * std::pow(growth, held);
        s.gainBefore = base - (paid - claimedBefore);
        indexedFrom = switchDate;
    } else {
        claimedAfter += claimedBefore;
    }
    const double indexedYears = (sold.Index() - indexedFrom.Index()) / 12.0;
    s.indexedBase = base * std::pow(inflation, indexedYears) - claimedAfter;
    s.gainAfter = (s.price - s.costs) - s.indexedBase;

    double before = s.gainBefore, after = s.gainAfter;
    OffsetLosses(before, after);
    before *= 1 - doc.CGTDiscountPC * 0.01;
    // A rental loss still carried forward first reduces the part taxed in full.
    const double fromAfter = std::min(after, carried);
    after -= fromAfter;
    before = std::max(0.0, before - (carried - fromAfter));
    s.taxableGain = before + after;

    const double rate = doc.MinimumTaxPC * 0.01;
    const double him = doc.TaxableHimByYear[last];
    if (doc.NamesOnTitle == 2) {
        double topHim = 0, topHer = 0;
        s.tax = TaxWithMinimum(him, before * 0.5, after * 0.5, scale, rate, topHim) +
                TaxWithMinimum(doc.TaxableHerByYear[last], before * 0.5, after * 0.5, scale, rate,
                               topHer);
        s.topUp = topHim + topHer;
    } else {
        s.tax = TaxWithMinimum(him, before, after, scale, rate, s.topUp);
    }
}

} // namespace

SaleFigures WorkOutSale(const Investment& doc, int years, const TaxScale& scale) {
    const int p = std::clamp(years, 1, kTableColumns);
    const int last = p - 1;
    SaleFigures s;
    s.price = doc.At(Row::PropertyValue, last);
    s.costs = s.price * doc.SellingCostsPC * 0.01;

    // Capital works deductions claimed reduce the cost base; furniture, fittings and the
    // loan's costs are no part of it.
    double claimed = 0;
    for (int c = 0; c < p; ++c) claimed += doc.At(Row::BuildingDep, c);
    s.costBase = ((doc.Price + doc.PurchaseCosts) + doc.Renovations) - claimed;

    s.gain = (s.price - s.costs) - s.costBase;
    if (doc.TaxLaw == kAustraliaByIncomeYear || doc.TaxLaw == kNewZealandByIncomeYear) {
        TaxUnderTheLaw(doc, p, s);
    } else {
        TaxUnderOneScale(doc, p, scale, s);
    }
    s.valueAfter = (doc.At(Row::Equity, last) - s.costs) - s.tax;

    const InvestorMoney money = InvestorMoneyOf(doc);
    s.irr = HoldingIRR(p, money.deposit, money.Flows(), money.WithOffset(s.valueAfter, p));
    return s;
}

void ComputeSaleResults(Investment& doc, const TaxScale& tax, bool flowsOk, double flowsValue) {
    const int p = std::clamp(doc.ProjectionYear, 1, kTableColumns);
    const SaleFigures s = WorkOutSale(doc, p, tax);
    doc.SalePrice = s.price;
    doc.SaleCosts = s.costs;
    doc.CostBase = s.costBase;
    doc.CapitalGain = s.gain;
    doc.TaxableGain = s.taxableGain;
    doc.SaleTax = s.tax;
    doc.ValueAfterSale = s.valueAfter;
    doc.IRRAfterSale = s.irr;
    const double back = InvestorMoneyOf(doc).WithOffset(s.valueAfter, p);
    doc.NPVAfterSale = flowsOk ? WithFinalValue(flowsValue, back, doc.RateInfl, p) : NoValue;
    doc.GainBeforeSwitch = s.gainBefore;
    doc.GainAfterSwitch = s.gainAfter;
    doc.IndexedCostBase = s.indexedBase;
    doc.MinimumTaxTopUp = s.topUp;
    doc.WithinBrightLine = s.withinBrightLine ? 1 : 0;
}

void ClearSaleResults(Investment& doc) {
    for (const RecordField& f : kRecordFields)
        if (f.group != FieldGroup::Record) SetFieldValue(doc, f, 0);
}
