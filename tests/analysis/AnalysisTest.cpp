// What-if analysis: every figure is checked against the record recalculated by hand with the
// input put in, and the open record and the scales in force must come out untouched.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "analysis/BreakEven.h"
#include "analysis/Compare.h"
#include "analysis/Grid.h"
#include "format/Format.h"
#include "persist/InvestmentFile.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/TestFiles.h"

namespace {

// The result as the summary (or the table) holds it.
double Summary(const Investment& d, WhatIfResult r) {
    switch (r) {
    case WhatIfResult::IRR: return d.IRR;
    case WhatIfResult::NPV: return d.NPV;
    case WhatIfResult::IRRAfterSale: return d.IRRAfterSale;
    case WhatIfResult::NPVAfterSale: return d.NPVAfterSale;
    case WhatIfResult::AvgCashFlowWeek: return d.AvgCashFlowWeek;
    case WhatIfResult::CashFlowYear: return d.At(Row::AfterTaxCash, d.ShowYear - 1);
    }
    return 0;
}

std::string Bytes(const Investment& doc, const Scales& scales) {
    std::ostringstream out(std::ios::binary);
    SaveInvestment(doc, scales, out);
    return out.str();
}

// The open record as far as anything can see it: its file bytes, the worked-out fields and
// table and the scales in force.
struct Snapshot {
    Snapshot(const Investment& d, const Scales& scales)
        : bytes(Bytes(d, scales)), table(d.table), irr(d.IRR), npv(d.NPV), loan(d.LoanAmount),
          duty(scales.duty), tax(scales.tax) {}
    bool operator==(const Snapshot& o) const {
        return bytes == o.bytes && std::memcmp(&table, &o.table, sizeof table) == 0 &&
               std::memcmp(&irr, &o.irr, sizeof irr) == 0 &&
               std::memcmp(&npv, &o.npv, sizeof npv) == 0 && loan == o.loan &&
               duty == o.duty && tax == o.tax;
    }
    std::string bytes;
    Investment::Table table;
    double irr, npv, loan;
    DutyScale duty;
    TaxScale tax;
};

class Analysis : public ::testing::Test {
protected:
    Scales scales;
    void SetUp() override { SetUpWorkedExample(doc, 1); }
    Investment doc;
};

// Cells of grids over several pairs of inputs and results, each against a copy with both
// inputs set by hand.
TEST_F(Analysis, GridCellIsTheRecordRecalculatedWithTheInputsPutIn) {
    struct Case {
        GridSetup setup;
        int r, c;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{}, 8, 3},
        {{{WhatIfInput::Rent, 25, 3}, {WhatIfInput::Price, 10000, 2}, WhatIfResult::CashFlowYear}, 1, 4},
        {{{WhatIfInput::VacancyRate, 1, 2}, {WhatIfInput::Inflation, 0.25, 2},
          WhatIfResult::NPVAfterSale}, 4, 0},
        {{{WhatIfInput::DepositPC, 5, 2}, {WhatIfInput::TaxableIncome, 10000, 1},
          WhatIfResult::IRRAfterSale}, 4, 2},
        {{{WhatIfInput::CapitalGrowth, 1, 1}, {WhatIfInput::InterestRate, 1, 1},
          WhatIfResult::AvgCashFlowWeek}, 2, 0},
    };
    WhatIf whatIf(doc, scales);
    for (const Case& k : cases) {
        const SensitivityGrid grid = WorkOutGrid(whatIf, k.setup);
        Investment byHand = doc;
        byHand.*InfoOf(k.setup.rows.input).field = grid.rowValues[k.r];
        byHand.*InfoOf(k.setup.columns.input).field = grid.columnValues[k.c];
        if (k.setup.rows.input == WhatIfInput::DepositPC) byHand.CalcDeposit = 1;
        byHand.Recalculate(scales);
        EXPECT_EQ(grid.At(k.r, k.c), Summary(byHand, k.setup.result))
            << InfoOf(k.setup.rows.input).label << " / " << InfoOf(k.setup.columns.input).label;
        // The axes step from the record's own values.
        EXPECT_EQ(grid.rowValues[k.setup.rows.steps], doc.*InfoOf(k.setup.rows.input).field);
    }
}

TEST_F(Analysis, CentreCellIsTheSummaryForEveryResult) {
    doc.ShowYear = 3;
    doc.SellingCostsPC = 3;
    doc.Recalculate(scales);
    WhatIf whatIf(doc, scales);
    for (const WhatIfResultInfo& r : kWhatIfResults) {
        GridSetup setup;
        setup.result = r.result;
        const SensitivityGrid grid = WorkOutGrid(whatIf, setup);
        EXPECT_EQ(grid.Rows(), 9);
        EXPECT_EQ(grid.Centre(), Summary(doc, r.result)) << r.label;
    }
}

TEST_F(Analysis, ValuesOutsideTheirRangeAndNothingBoughtHaveNoValue) {
    WhatIf whatIf(doc, scales);
    // Vacancy 2 % stepped by 1.5: the rows of -4, -2.5 and -1 % have none.
    const SensitivityGrid grid =
        WorkOutGrid(whatIf, {{WhatIfInput::VacancyRate, 1.5, 4}, {WhatIfInput::Price, 300000, 1},
                             WhatIfResult::IRR});
    EXPECT_TRUE(IsNoValue(grid.At(0, 1)));   // vacancy -4 %
    EXPECT_FALSE(IsNoValue(grid.At(4, 1)));  // as it stands
    EXPECT_TRUE(IsNoValue(grid.At(4, 0)));   // a price of 0 and nothing else: nothing bought
    EXPECT_EQ(grid.columnValues[2], 600000.0);
    const std::string text = GridText(grid);
    EXPECT_EQ(text.substr(0, text.find('\n')), "IRR (Vacancy rate / Price)\t0\t300000\t600000");
    EXPECT_NE(text.find("\n-4\t?????\t?????\t?????\n"), std::string::npos) << text;
}

TEST(AnalysisSteps, DefaultStepSuitsTheValue) {
    const struct {
        WhatIfInput input;
        double value, step;
    } cases[] = {
        {WhatIfInput::InterestRate, 8.5, 0.5}, {WhatIfInput::VacancyRate, 2, 1},
        {WhatIfInput::DepositPC, 20, 5},       {WhatIfInput::Rent, 350, 20},
        {WhatIfInput::Price, 300000, 20000},   {WhatIfInput::TaxableIncome, 47000, 5000},
        {WhatIfInput::Rent, 100, 5},           {WhatIfInput::Rent, 0, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(DefaultStep(c.input, c.value), c.step) << c.value;
}

TEST_F(Analysis, BreakEvenFiguresHoldWhenPutIn) {
    for (int loanType : {0, 1}) {
        SetUpWorkedExample(doc, loanType);
        doc.PeriodsPerYear = 12;
        doc.Rent = 1500;
        doc.Recalculate(scales);
        WhatIf whatIf(doc, scales);
        const BreakEvens b = WorkOutBreakEvens(whatIf);
        ASSERT_TRUE(b.rent.found && b.growth.found && b.interest.found);

        Investment check = doc;
        check.Rent = b.rent.value;
        check.Recalculate(scales);
        EXPECT_NEAR(check.At(Row::AfterTaxCash, check.ShowYear - 1), 0.0, 1.0);
        EXPECT_DOUBLE_EQ(b.weeklyRent, b.rent.value * 12 / 52);

        check = doc;
        check.RateGrowth = b.growth.value;
        check.Recalculate(scales);
        EXPECT_NEAR(check.IRR, check.RateInfl, 1e-6);

        check = doc;
        check.RateInterest = b.interest.value;
        check.Recalculate(scales);
        EXPECT_NEAR(check.NPV, 0.0, 1.0);
    }
}

TEST_F(Analysis, NoBreakEvenInRangeIsSaidSo) {
    // Expenses of 150 % of the rent: more rent only costs more.
    doc.ExpensesPC = 150;
    doc.Recalculate(scales);
    WhatIf whatIf(doc, scales);
    EXPECT_FALSE(BreakEvenRent(whatIf).found);
    // Nothing bought: nothing to find.
    Investment empty;
    empty.ResetFixedDefaults();
    empty.Recalculate(scales);
    WhatIf none(empty, scales);
    const BreakEvens b = WorkOutBreakEvens(none);
    EXPECT_FALSE(b.rent.found || b.growth.found || b.interest.found);
}

TEST_F(Analysis, TheOpenRecordAndTheScalesInForceAreUntouched) {
    const std::filesystem::path dir = FreshTestFolder("analysis");
    // A second file stored under other scales.
    Investment other;
    SetUpWorkedExample(other, 0);
    Scales otherScales;
    otherScales.duty = ShippedDutyScale(kFirstFurtherDutyLocation + 1);
    otherScales.tax = ShippedTaxScale(kFirstFurtherTaxLocation);
    other.Price = 500000;
    other.Recalculate(otherScales);
    const Investment otherAsLoaded = other;
    std::ofstream(dir / "other.vel", std::ios::binary) << Bytes(other, otherScales);
    doc.Recalculate(scales);

    const Snapshot before(doc, scales);
    {
        WhatIf whatIf(doc, scales);
        WorkOutGrid(whatIf, GridSetup{});
        WorkOutBreakEvens(whatIf);
        std::vector<ComparedInvestment> list{Compared("open", doc, scales),
                                             ReadCompared((dir / "other.vel").string())};
        ASSERT_TRUE(list[1].ok) << list[1].error;
        // The file is worked out under its own scales, as opening it would.
        EXPECT_TRUE(list[1].scales.duty == otherScales.duty && list[1].scales.tax == otherScales.tax);
        EXPECT_EQ(list[1].doc->NPV, otherAsLoaded.NPV);
        EXPECT_EQ(list[1].doc->StampDutyCost, otherAsLoaded.StampDutyCost);
        Compare(list);
    }
    EXPECT_TRUE(Snapshot(doc, scales) == before);
}

TEST_F(Analysis, CompareMarksTheBestOfEveryResult) {
    Investment cheaper = doc;
    cheaper.Price = cheaper.MarketValue = 250000;
    cheaper.Recalculate(scales);
    ComparedInvestment missing = ReadCompared("/nonexistent/x.vel");
    EXPECT_FALSE(missing.ok);
    const Comparison c = Compare({Compared("a", doc, scales), missing,
                                  Compared("b", cheaper, scales), Compared("c", doc, scales)});
    ASSERT_EQ(c.names, (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_EQ(c.rates.size(), 3u);
    EXPECT_EQ(c.rates[0][doc.ProjectionYear - 1], doc.IRR);
    for (const CompareRow& row : c.rows) {
        if (row.key == "irr") {
            // The cheaper one returns more; a and c are the same investment.
            ASSERT_GT(cheaper.IRR, doc.IRR);
            EXPECT_EQ(row.best, (std::vector<char>{0, 1, 0}));
            EXPECT_EQ(row.values[1], cheaper.IRR);
        }
        if (row.key == "price") {
            EXPECT_EQ(row.best, (std::vector<char>{0, 0, 0}));
        }
        if (row.key == "loanType") {
            EXPECT_EQ(row.texts[0], "Principal & Interest");
        }
        EXPECT_NE(row.key, "taxLaw"); // none of them sets the law
    }
    // Once one does, each names its law.
    Investment byYear = doc;
    byYear.TaxLaw = 2;
    byYear.PurchaseMonth = 4;
    byYear.Recalculate(scales);
    const Comparison withLaw = Compare({Compared("a", doc, scales), Compared("b", byYear, scales)});
    ASSERT_EQ(withLaw.rows[1].key, "taxLaw");
    EXPECT_EQ(withLaw.rows[1].texts,
              (std::vector<std::string>{"One scale for every year",
                                        "New Zealand by income year, established dwelling bought Apr 2026"}));
}

} // namespace
