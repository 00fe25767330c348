// The sale at the end of the projection period. The expected figures were worked out apart
// from the program, from the worked example's table: sale price = value of the last year
// held, costs = price x selling costs %, cost base = 300,000 + 9,925 - the building
// depreciation claimed (3,750 a year), tax = tax(income + taxable gain) - tax(income) under
// the start-up scale, rates of return by bisection over the monthly series.
#include <gtest/gtest.h>

#include <functional>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Sale.h"
#include "tests/model/WorkedExample.h"

namespace {

struct SaleCase {
    const char* name;
    std::function<void(Investment&)> change;
    double price, costs, costBase, gain, taxableGain, tax, valueAfter, irr, npv;
};

const SaleCase kCases[] = {
    {"held ten years, single name, defaults", [](Investment&) {}, 465890.83, 11647.27,
     272425.00, 181818.56, 90909.28, 35844.29, 119554.09, 8.76214, 35685.09},
    {"joint names: half the gain each", [](Investment& d) { d.NamesOnTitle = 2; }, 465890.83,
     11647.27, 272425.00, 181818.56, 90909.28, 30954.84, 124443.54, 7.30662, 30174.24},
    {"a loss on sale is not taxed",
     [](Investment& d) {
         d.RateGrowth = -1;
         d.DepositPC = 50;
     },
     271314.62, 6782.87, 272425.00, -7893.24, 0.0, 0.0, 107244.82, -1.39842, -39836.84},
    {"a projection of one year",
     [](Investment& d) {
         d.ProjectionYear = 1;
         d.RateGrowth = 10;
     },
     330000.00, 8250.00, 306175.00, 15575.00, 7787.50, 2453.06, 20451.76, -2.22639, -587.77},
    {"other selling costs and discount",
     [](Investment& d) {
         d.SellingCostsPC = 3;
         d.CGTDiscountPC = 33;
     },
     465890.83, 13976.72, 272425.00, 179489.10, 120257.70, 49345.23, 103723.69, 6.57914,
     22570.06},
};

TEST(Sale, FiguresOfEveryStepAgreeWithTheWorkingByHand) {
    Scales scales;
    for (const SaleCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Investment doc;
        SetUpWorkedExample(doc);
        c.change(doc);
        doc.Recalculate(scales);
        EXPECT_NEAR(doc.SalePrice, c.price, 0.005);
        EXPECT_NEAR(doc.SaleCosts, c.costs, 0.005);
        EXPECT_NEAR(doc.CostBase, c.costBase, 0.005);
        EXPECT_NEAR(doc.CapitalGain, c.gain, 0.005);
        EXPECT_NEAR(doc.TaxableGain, c.taxableGain, 0.005);
        EXPECT_NEAR(doc.SaleTax, c.tax, 0.005);
        EXPECT_NEAR(doc.ValueAfterSale, c.valueAfter, 0.005);
        // The holding IRR settles to about 1e-4 of a monthly rate, as the IRR does.
        EXPECT_NEAR(doc.IRRAfterSale, c.irr, 2e-4);
        EXPECT_NEAR(doc.NPVAfterSale, c.npv, 0.005);
    }
}

TEST(Sale, LeavesThePartsOfTheProjectionAsTheyWere) {
    Scales scales;
    Investment plain, sold;
    SetUpWorkedExample(plain);
    SetUpWorkedExample(sold);
    sold.SellingCostsPC = 7;
    sold.CGTDiscountPC = 0;
    sold.Recalculate(scales);
    EXPECT_EQ(sold.table, plain.table);
    EXPECT_EQ(sold.IRR, plain.IRR);
    EXPECT_EQ(sold.NPV, plain.NPV);
    EXPECT_EQ(sold.AvgCashFlowWeek, plain.AvgCashFlowWeek);
    EXPECT_NE(sold.IRRAfterSale, plain.IRRAfterSale);
}

TEST(Sale, WithoutCostsAndWithoutAGainTheReturnsAreThoseOfKeeping) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.RateGrowth = -1;
    doc.DepositPC = 50;
    doc.SellingCostsPC = 0;
    doc.Recalculate(scales);
    ASSERT_LT(doc.CapitalGain, 0);
    EXPECT_EQ(doc.IRRAfterSale, doc.IRR);
    EXPECT_EQ(doc.NPVAfterSale, doc.NPV);
}

TEST(Sale, NothingBoughtGivesNoSale) {
    Scales scales;
    Investment doc;
    SetUpWorkedExample(doc);
    doc.Price = 0;
    doc.MarketValue = 0;
    doc.Conveyancing = 0;
    doc.Recalculate(scales);
    for (double v : {doc.SalePrice, doc.SaleCosts, doc.CostBase, doc.CapitalGain, doc.TaxableGain,
                     doc.SaleTax, doc.ValueAfterSale, doc.IRRAfterSale, doc.NPVAfterSale})
        EXPECT_EQ(v, 0.0);
}

} // namespace
