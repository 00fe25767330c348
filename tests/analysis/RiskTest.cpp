// The futures of an investment: with nothing varying every path is the projection itself, bit
// for bit; drawn rates have the moments asked for, within four standard errors of the sample's
// size; the fund and the bank agree with answers worked out in closed form; the threads change
// nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "analysis/Risk.h"
#include "format/Format.h"
#include "persist/SettingsStore.h"
#include "tests/model/LawExample.h"
#include "tests/model/WorkedExample.h"

namespace {

RiskParameters Still() {
    RiskParameters p;
    p.growthSD = p.interestSD = p.rentGrowthSD = p.inflationSD = p.fundVolatility = 0;
    p.vacancyDrawn = 0;
    return p;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Case {
    const char* name;
    void (*make)(Investment&);
};

const Case kSetups[] = {
    {"interest only", [](Investment& d) { SetUpWorkedExample(d, 0); }},
    {"principal and interest", [](Investment& d) { SetUpWorkedExample(d, 1); }},
    {"P&I after 3 interest-only years, own rent growth",
     [](Investment& d) {
         SetUpWorkedExample(d, 1);
         d.InterestOnlyYears = 3;
         d.RentFollowsInflation = 0;
         d.VacancyRate = 5;
     }},
    {"law of the years, joint names",
     [](Investment& d) { SetUpLawExample(d, LawExample{1, 2026, 12, 0, 1000, 4, 120000, 60000, 12}); }},
};

TEST(Risk, WithNothingVaryingEveryPathIsTheProjectionBitForBit) {
    const Scales scales;
    for (const Case& s : kSetups) {
        SCOPED_TRACE(s.name);
        Investment doc;
        s.make(doc);
        Investment expected = doc;
        expected.Recalculate(scales);
        const RiskRun run(doc, scales, Still());
        Investment work;
        for (std::int64_t path : {0, 1, 977}) {
            run.RunPath(5, path, work);
            EXPECT_EQ(std::memcmp(work.table.data(), expected.table.data(), sizeof expected.table), 0);
            EXPECT_TRUE(SameBits(work.IRRAfterSale, expected.IRRAfterSale));
            EXPECT_TRUE(SameBits(work.NPVAfterSale, expected.NPVAfterSale));
        }
        const RiskResults r = run.Run(300, 5, 2);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_TRUE(SameBits(r.irrAfterSale.at[i], expected.IRRAfterSale));
            EXPECT_TRUE(SameBits(r.npvAfterSale.at[i], expected.NPVAfterSale));
            for (int c : {0, 9, 39}) {
                EXPECT_TRUE(SameBits(r.equity[static_cast<std::size_t>(c)][i], expected.At(Row::Equity, c)));
                EXPECT_TRUE(SameBits(r.cashFlow[static_cast<std::size_t>(c)][i], expected.At(Row::AfterTaxCash, c)));
            }
        }
    }
}

// Nothing varying: each chance is 0 or 1 by the projection's own figures, worked by hand for
// the worked example (interest only): the loan is 298,845 against a value of 300,000 grown a
// year; the first year's after-tax cash flow is a top-up of 5,394 (104 a week), the later
// ones (the rent growing faster than the costs) not much larger.
TEST(Risk, TheChancesOfAStillFuture) {
    const struct {
        const char* name;
        double growth, topUpLimit;
        double negativeEquity, topUpOver;
    } cases[] = {
        {"4.5 % growth: 313,500 > 298,845", 4.5, 200, 0, 0},
        {"a limit of 150 a week", 4.5, 150, 0, 0},
        {"-1 % growth: 297,000 < 298,845", -1, 200, 1, 0},
        {"a limit of 100 a week", 4.5, 100, 0, 1},
    };
    const Scales scales;
    for (const auto& c : cases) {
        Investment doc;
        SetUpWorkedExample(doc, 0);
        doc.RateGrowth = c.growth;
        RiskParameters p = Still();
        p.topUpLimit = c.topUpLimit;
        const RiskResults r = RiskRun(doc, scales, p).Run(300, 1, 2);
        EXPECT_EQ(r.negativeEquity, c.negativeEquity) << c.name;
        EXPECT_EQ(r.topUpOver, c.topUpOver) << c.name;
        // The worst 5 % of 300 futures are 15, all the projection.
        EXPECT_EQ(r.worst.paths, 15) << c.name;
        EXPECT_DOUBLE_EQ(r.worst.meanNpv, r.npvAfterSale.at[0]) << c.name;
        EXPECT_GE(r.worst.meanLargestTopUp, 5394 / 52.0 - 0.01) << c.name;
        std::int64_t counted = 0;
        for (std::int64_t n : r.irrBins) counted += n;
        EXPECT_EQ(counted + r.irrAfterSale.noValue, 300) << c.name;
    }
}

// Published values of the standard normal quantile.
TEST(Risk, NormalQuantileMatchesTheTables) {
    const struct {
        double p, z;
    } cases[] = {{0.5, 0.0},
                 {0.8413447460685429, 1.0},
                 {0.975, 1.959963984540054},
                 {0.995, 2.575829303548901},
                 {0.02, -2.053748910631823},
                 {0.001, -3.090232306167813},
                 {1e-5, -4.264890793922825}};
    for (const auto& c : cases) EXPECT_NEAR(NormalQuantile(c.p), c.z, 1.2e-9 * std::max(1.0, std::fabs(c.z)) * 4) << c.p;
}

// Order statistics worked out by sorting, against the streamed ones: within a bin's half
// width, (|x| + unit) / 512.
TEST(Risk, StreamedPercentilesLieWithinHalfABinOfTheSorted) {
    const struct {
        const char* name;
        double unit;
        double (*value)(int);
    } cases[] = {
        {"dollars either side of 0", 1.0, [](int i) { return (i % 2 ? -1.0 : 1.0) * i * 37.5; }},
        {"rates", 0.01, [](int i) { return std::sin(i * 0.7) * 12.0; }},
        {"one value", 1.0, [](int) { return 123456.789; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StreamQuantiles a(c.unit), b(c.unit);
        std::vector<double> all;
        for (int i = 0; i < 1001; ++i) {
            (i < 400 ? a : b).Add(c.value(i));
            all.push_back(c.value(i));
        }
        a.Add(NoValue);
        a.Merge(b);
        std::sort(all.begin(), all.end());
        for (double q : {0.05, 0.25, 0.5, 0.75, 0.95}) {
            // With the one path without a value ranking lowest, rank k is sorted[k - 2].
            const auto rank = static_cast<std::size_t>(std::ceil(q * 1002 - 1e-9));
            const double exact = all[rank - 2];
            EXPECT_NEAR(a.Quantile(q), exact, (std::fabs(exact) + c.unit) / 512) << q;
        }
        EXPECT_TRUE(IsNoValue(a.Quantile(0.0005)));
    }
}

// The rates drawn for many paths of one investment, years 2..40 (year 1 starts from the
// typed interest rate).
struct Drawn {
    std::vector<double> growth, interest, rent, inflation, vacancy;
    double laggedGrowth = 0; // sum of (g[c] - m)(g[c - 1] - m)
};

Drawn DrawMany(const Investment& doc, const RiskParameters& p, int paths) {
    const PathDrawer drawer(doc, p);
    Drawn d;
    PathDraws draws;
    for (int i = 0; i < paths; ++i) {
        PathRandom g = PathGenerator(11, static_cast<std::uint64_t>(i));
        drawer.Draw(g, draws);
        for (std::size_t c = 1; c < kTableColumns; ++c) {
            d.growth.push_back(draws.rates.growth[c]);
            d.interest.push_back(draws.rates.interest[c]);
            d.rent.push_back(draws.rates.rentGrowth[c]);
            d.inflation.push_back(draws.rates.inflation[c]);
            d.vacancy.push_back(draws.rates.vacancy[c]);
            d.laggedGrowth += (draws.rates.growth[c] - doc.RateGrowth) *
                              (draws.rates.growth[c - 1] - doc.RateGrowth);
        }
    }
    return d;
}

double Mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s / static_cast<double>(v.size());
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const double ma = Mean(a), mb = Mean(b);
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}

TEST(Risk, DrawnRatesHaveTheMomentsAskedFor) {
    constexpr int kPaths = 20000;
    Investment doc;
    SetUpWorkedExample(doc, 1);
    doc.RentFollowsInflation = 0;
    const RiskParameters p; // the defaults
    const Drawn d = DrawMany(doc, p, kPaths);
    const double n = static_cast<double>(d.growth.size()); // 39 years a path

    // The mean of a stationary AR(1) series of persistence phi has the variance of
    // sigma^2 / n (1 + phi) / (1 - phi) at most.
    const double phi = p.growthPersistence;
    EXPECT_NEAR(Mean(d.growth), 4.5, 4 * p.growthSD * std::sqrt((1 + phi) / (1 - phi) / n));
    // Its lag-1 autocorrelation is estimated with the variance (1 - phi^2) / n (Bartlett).
    double spread = 0;
    for (double g : d.growth) spread += (g - 4.5) * (g - 4.5);
    EXPECT_NEAR(d.laggedGrowth / spread, phi, 4 * std::sqrt((1 - phi * phi) / n));
    // Inflation and the rent's own growth: means and correlation (standard error of a sample
    // correlation: (1 - rho^2) / sqrt(n)).
    EXPECT_NEAR(Mean(d.inflation), 2.0, 4 * p.inflationSD / std::sqrt(n));
    EXPECT_NEAR(Mean(d.rent), 3.0, 4 * p.rentGrowthSD / std::sqrt(n));
    const double rho = p.rentInflationCorrelation;
    EXPECT_NEAR(Correlation(d.rent, d.inflation), rho, 4 * (1 - rho * rho) / std::sqrt(n));
    // Vacancy: each of 52 weeks vacant with a chance of 2 %; the share's variance in a year is
    // p (1 - p) / 52.
    EXPECT_NEAR(Mean(d.vacancy), 2.0, 400 * std::sqrt(0.02 * 0.98 / 52 / n));
    for (double v : d.vacancy) EXPECT_DOUBLE_EQ(std::round(v * 52 / 100), v * 52 / 100);
    // Interest: pulled back to the typed rate, so it averages it over the long run; the
    // variance of the AR(1) gap (persistence 1 - reversion) bounds the standard error.
    const double keep = 1 - p.interestReversion;
    const double gapSD = p.interestSD / std::sqrt(1 - keep * keep);
    EXPECT_NEAR(Mean(d.interest), 8.5, 4 * gapSD * std::sqrt((1 + keep) / (1 - keep) / n));
}

TEST(Risk, TheInterestRateNeverFallsBelowTheFloorNorRaisesATypedRateBelowIt) {
    const struct {
        double typed, floor;
    } cases[] = {{1.0, 0.5}, {0.25, 0.25}, {0.0, 0.0}};
    for (const auto& c : cases) {
        Investment doc;
        SetUpWorkedExample(doc, 1);
        doc.RateInterest = c.typed;
        RiskParameters p;
        p.interestSD = 3;
        const Drawn d = DrawMany(doc, p, 200);
        EXPECT_DOUBLE_EQ(*std::min_element(d.interest.begin(), d.interest.end()), c.floor) << c.typed;
    }
}

// No loan, no tax, a fund without dividends: its value after n years is lognormal, of median
// deposit x exp(n (ln(1 + r) - sigma^2 / 2)). The sample median's standard error in logs is
// sqrt(pi / 2) sigma sqrt(n) / sqrt(paths). Nothing is drawn for the property, and the bank
// at a constant 8.5 % untaxed grows the deposit for 120 months, received in month 121.
TEST(Risk, FundAndBankAgreeWithAnswersInClosedForm) {
    constexpr int kPaths = 20000, kYears = 10;
    Scales untaxed;
    untaxed.tax = ShippedTaxScale(kTaxLocationNone);
    Investment doc;
    SetUpWorkedExample(doc, 0);
    doc.DepositPC = 100;
    doc.ProjectionYear = kYears;
    RiskParameters p = Still();
    p.fundVolatility = 15;
    p.fundDividendYield = 0;
    const RiskRun run(doc, untaxed, p);
    ASSERT_GT(run.Base().At(Row::AfterTaxCash, 0), 0); // no top-ups
    const RiskResults r = run.Run(kPaths, 3, 2);

    const double sigma = 0.15, deposit = run.Base().CashDeposit;
    const double median = deposit * std::exp(kYears * (std::log(1.07) - sigma * sigma / 2));
    const double se = std::sqrt(M_PI / 2) * sigma * std::sqrt(kYears) / std::sqrt(kPaths);
    EXPECT_NEAR(std::log(r.fundValueAfterSale.at[2] / median), 0, 4 * se + 1.0 / 512);

    const double monthly = std::pow(1 + 8.5 / 1200, 120.0 / 121.0);
    EXPECT_NEAR(r.bankIrr.at[2], (std::pow(monthly, 12) - 1) * 100, 1e-4);
}

// The alternatives' rate of return, on the holding rate's timing (the deposit now, the
// year's top-ups in monthly twelfths, the final value a month after the last), against roots
// worked out by bisection to 30 digits (mpmath); top-ups grow by a tenth of the first a year.
TEST(Risk, OutlayIrrFindsTheRootOfTheSeries) {
    const struct {
        int years;
        double deposit, topUp, finalValue, rate;
    } cases[] = {{10, 15000, 0, 30000, 7.1159674097794385},      {10, 15000, 4000, 120000, 8.5037941217383944},
                 {1, 1000, 500, 1600, 7.3829097599629053},       {25, 50000, 9000, 90000, -26.53537263851104},
                 {40, 20000, 100, 2e6, 11.964894535905927},      {5, 10000, 2000, 12000, -16.680479776566954}};
    for (const auto& c : cases) {
        Investment::YearArray topUps{};
        for (int j = 0; j < c.years; ++j) topUps[static_cast<std::size_t>(j)] = c.topUp * (1 + 0.1 * j);
        EXPECT_NEAR(OutlayIrr(c.years, c.deposit, topUps.data(), c.finalValue), c.rate, 1e-9) << c.years;
    }
}

TEST(Risk, TheNumberOfThreadsChangesNothing) {
    const Scales scales;
    Investment doc;
    SetUpWorkedExample(doc, 1);
    const RiskRun run(doc, scales, RiskParameters{});
    const RiskResults one = run.Run(997, 42, 1);
    for (int threads : {2, 3}) {
        const RiskResults other = run.Run(997, 42, threads);
        EXPECT_EQ(std::memcmp(&one.equity, &other.equity, sizeof one.equity), 0);
        EXPECT_EQ(std::memcmp(&one.cashFlow, &other.cashFlow, sizeof one.cashFlow), 0);
        EXPECT_EQ(std::memcmp(&one.irrAfterSale.at, &other.irrAfterSale.at, sizeof one.irrAfterSale.at), 0);
        EXPECT_EQ(one.beatsFund, other.beatsFund);
        EXPECT_TRUE(SameBits(one.worst.meanNpv, other.worst.meanNpv));
        EXPECT_EQ(one.irrBins, other.irrBins);
    }
}

TEST(Risk, ParametersOutsideTheirRangesAreRefused) {
    const struct {
        const char* key;
        double value;
        bool taken;
    } cases[] = {{"growthSD", 7.5, true},        {"growthSD", -1, false},
                 {"growthPersistence", 1, false}, {"vacancyDrawn", 0.5, false},
                 {"vacancyDrawn", 0, true},       {"rentInflationCorrelation", -1, true},
                 {"fundReturn", NoValue, false},  {"topUpLimit", 350, true}};
    for (const auto& c : cases) {
        RiskParameters p;
        const RiskParameterInfo* info = RiskParameterOfKey(c.key);
        ASSERT_NE(info, nullptr) << c.key;
        EXPECT_EQ(SetParameter(p, *info, c.value), c.taken) << c.key << " " << c.value;
        EXPECT_EQ(p == RiskParameters{}, !c.taken) << c.key;
    }
}

} // namespace

// The tab's setup is remembered under "Risk…" names; a value out of range or not a number
// reads as built in, and Delete settings forgets them all.
TEST(Risk, TheSetupIsRememberedAndForgotten) {
    MemorySettingsStore store;
    RiskSetup setup;
    setup.parameters.growthSD = 4.5;
    setup.parameters.vacancyDrawn = 0;
    setup.parameters.topUpLimit = 350;
    setup.paths = 2500;
    setup.seed = 7;
    StoreRiskSetup(store, setup);
    EXPECT_EQ(*store.ReadString(kSectionSettingsFile, "RiskGrowthSD"), "4.50");
    RiskSetup back = ReadRiskSetup(store);
    EXPECT_EQ(back.parameters.growthSD, 4.5);
    EXPECT_EQ(back.parameters.vacancyDrawn, 0);
    EXPECT_EQ(back.parameters.topUpLimit, 350);
    EXPECT_EQ(back.paths, 2500);
    EXPECT_EQ(back.seed, 7u);

    store.WriteString(kSectionSettingsFile, "RiskGrowthSD", "99");       // above 50
    store.WriteString(kSectionSettingsFile, "RiskVacancyDrawn", "0.50"); // a switch
    store.WriteInt(kSectionSettingsFile, "RiskPaths", 0);
    back = ReadRiskSetup(store);
    EXPECT_EQ(back.parameters.growthSD, 7.0);
    EXPECT_EQ(back.parameters.vacancyDrawn, 1.0);
    EXPECT_EQ(back.paths, kDefaultRiskPaths);

    ForgetRiskSetup(store);
    EXPECT_TRUE(store.values.empty());
}
