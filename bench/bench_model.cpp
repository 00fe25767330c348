// Benchmarks of the model, the formats and the investment file.
#include <benchmark/benchmark.h>

#include <sstream>

#include "tests/model/WorkedExample.h"
#include "format/Format.h"
#include "model/Returns.h"
#include "persist/InvestmentFile.h"

namespace {

// Times the recalculation of `doc` with the built-in scales.
void TimeRecalculation(benchmark::State& state, Investment& doc) {
    const Scales scales;
    for (auto _ : state) {
        doc.Recalculate(scales);
        benchmark::DoNotOptimize(doc.IRR);
    }
}

void BM_RecalculateInterestOnly(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 0);
    TimeRecalculation(state, doc);
}
BENCHMARK(BM_RecalculateInterestOnly);

void BM_RecalculatePrincipalAndInterest(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 1);
    TimeRecalculation(state, doc);
}
BENCHMARK(BM_RecalculatePrincipalAndInterest);

// The principal-and-interest case with every input of the loan and the costs in use: two rate
// changes, an offset account taking the surplus, extra repayments, the expenses' own growth,
// land tax and the depreciation schedules.
// Within 1.5 times BM_RecalculatePrincipalAndInterest.
void BM_RecalculateLoanAndCosts(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 1);
    doc.RateSteps = {{3, 7.5}, {6, 6.0}};
    doc.OffsetOpening = 20000;
    doc.OffsetMonthly = 500;
    doc.OffsetSurplus = 1;
    doc.ExtraRepayment = 300;
    doc.ExtraFromYear = 2;
    doc.ExpensesFollowInflation = 0;
    doc.RateExpensesGrowth = 3.5;
    // Land tax on this land and other land held, its thresholds growing; both schedules.
    doc.LandTaxState = 3; // Qld
    doc.LandValue = 350000;
    doc.OtherLandValue = 900000;
    doc.LandThresholdsGrow = 1;
    doc.BuildingSchedule.assign(40, 9140);
    doc.PlantSchedule = {3200, 2500, 2000, 1600, 1300, 1000, 800, 600};
    TimeRecalculation(state, doc);
}
BENCHMARK(BM_RecalculateLoanAndCosts);

// The same as the interest-only case under the law of each income year: an established
// dwelling bought December 2026, its sale split at the capital gains switch.
void BM_RecalculateByIncomeYear(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 0);
    doc.TaxLaw = 1;
    doc.PurchaseYear = 2026;
    doc.PurchaseMonth = 12;
    TimeRecalculation(state, doc);
}
BENCHMARK(BM_RecalculateByIncomeYear);

// The longest projection: the returns then solve over all 40 years.
void BM_RecalculateFortyYearProjection(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 1);
    doc.ProjectionYear = 40;
    TimeRecalculation(state, doc);
}
BENCHMARK(BM_RecalculateFortyYearProjection);

void BM_HoldingIRR(benchmark::State& state) {
    Investment doc;
    SetUpWorkedExample(doc, 0);
    const int years = static_cast<int>(state.range(0));
    for (auto _ : state) {
        double r = HoldingIRR(years, doc.CashDeposit, doc.RowData(Row::AfterTaxCash),
                              doc.At(Row::Equity, years - 1));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_HoldingIRR)->Arg(10)->Arg(40);

void BM_FormatValue(benchmark::State& state) {
    static const char* const formats[] = {"0",     "0y",    "0,m",   "$0,m", "$#,m",
                                          "$0,m(", "0.00%", "%0.00", "0.00", "#.00"};
    const double values[] = {0, 950, -1234.6, 999990.4, 1250000, 8.5, NoValue};
    for (auto _ : state) {
        for (const char* f : formats)
            for (double v : values) benchmark::DoNotOptimize(FormatValue(v, f));
    }
    state.SetItemsProcessed(state.iterations() * 70);
}
BENCHMARK(BM_FormatValue);

void BM_ParseValue(benchmark::State& state) {
    const char* texts[] = {"$1,234", "1.5m", "250k", "12.5%k", "10yr", "8.50%", "abc", ""};
    for (auto _ : state) {
        for (const char* t : texts) benchmark::DoNotOptimize(ParseValue(t));
    }
    state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_ParseValue);

void BM_WriteInvestmentFile(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    doc.Address = u"12 Example Street";
    for (auto _ : state) {
        std::ostringstream out;
        SaveInvestment(doc, scales, out);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_WriteInvestmentFile);

void BM_ReadInvestmentFile(benchmark::State& state) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 0);
    doc.Address = u"12 Example Street";
    std::ostringstream out;
    SaveInvestment(doc, scales, out);
    const std::string bytes = out.str();
    for (auto _ : state) {
        std::istringstream in(bytes);
        Investment target;
        Scales read;
        benchmark::DoNotOptimize(LoadInvestment(target, read, in, nullptr));
    }
}
BENCHMARK(BM_ReadInvestmentFile);

} // namespace


