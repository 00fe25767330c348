// How sure is the answer: the investment worked out again along thousands of possible futures
// in which capital growth, the interest rate, the rent's growth, inflation and vacancy change
// from year to year, beside the same money put into a share index fund and into the bank.
//
// Every path is a whole recalculation of the record as it stands (every rule, scale and
// assumption) under rates of its own (model/YearRates.h). Its draws come from a SplitMix64
// stream started from the run's seed and the path's number alone (64 bits of state: a path
// takes a few hundred numbers, fewer than a larger generator takes to seed), and normal
// deviates are made from it here rather than by
// the library's distributions (whose algorithms the standard leaves open): a seed gives the same
// results on every machine, whatever the number of threads. The statistics are streamed (fine
// histograms of integer counts, exact extremes, the worst paths kept by rank), so a million
// paths need a few megabytes, and merging the threads' counts gives the same figures in any
// order.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Investment.h"
#include "model/Scales.h"
#include "model/YearRates.h"

inline constexpr std::int64_t kDefaultRiskPaths = 10000;
inline constexpr std::int64_t kMaxRiskPaths = 1000000;
inline constexpr int kRiskThreadsMax = 64;

// How the futures vary, and the alternative. Rates are in percent, standard deviations in
// percentage points a year. The defaults, and what they are based on, are in the README
// ("How sure is the answer").
struct RiskParameters {
    // Capital growth: the typed rate as the mean; the year's departure from it keeps
    // `growthPersistence` of last year's (0: independent years).
    double growthSD = 7.0;
    double growthPersistence = 0.5;
    // The interest rate: starts at the typed rate, moves by `interestSD` a year and closes
    // `interestReversion` of its gap to the typed rate each year; never below `interestFloor`
    // (nor is a lower typed rate ever raised to it).
    double interestSD = 1.0;
    double interestReversion = 0.2;
    double interestFloor = 0.5;
    // The rent's own growth and inflation: the typed rates as means, correlated. A rent that
    // follows inflation takes the year's inflation.
    double rentGrowthSD = 1.5;
    double inflationSD = 1.0;
    double rentInflationCorrelation = 0.5;
    // Vacancy: 1 draws the weeks vacant in each year (each of 52 weeks vacant with the typed
    // rate's chance); 0 keeps the typed rate in every year.
    double vacancyDrawn = 1;
    // The share index fund: expected total return, volatility (of the yearly log return) and
    // the dividend yield, which is taxed each year at the owners' marginal rates.
    double fundReturn = 7.0;
    double fundVolatility = 15.0;
    double fundDividendYield = 4.0;
    // A weekly top-up (after tax) above this counts as hard to carry.
    double topUpLimit = 200.0;

    bool operator==(const RiskParameters&) const = default;
};

enum class RiskUnit { Points, Percent, Share, Switch, Money };

// One editable parameter: its velcalc and JSON name, its label, field, built-in value and range.
struct RiskParameterInfo {
    std::string_view key;
    std::string_view label;
    RiskUnit unit;
    double RiskParameters::*field;
    double builtIn, min, max;
};

inline constexpr std::array<RiskParameterInfo, 13> kRiskParameters = {{
    {"growthSD", "Growth: SD (points)", RiskUnit::Points,
     &RiskParameters::growthSD, 7.0, 0.0, 50.0},
    {"growthPersistence", "Growth: persistence (0-0.95)", RiskUnit::Share,
     &RiskParameters::growthPersistence, 0.5, 0.0, 0.95},
    {"interestSD", "Interest: SD (points)", RiskUnit::Points,
     &RiskParameters::interestSD, 1.0, 0.0, 20.0},
    {"interestReversion", "Interest: pull back a year (0-1)",
     RiskUnit::Share, &RiskParameters::interestReversion, 0.2, 0.0, 1.0},
    {"interestFloor", "Interest: lowest", RiskUnit::Percent, &RiskParameters::interestFloor,
     0.5, 0.0, 20.0},
    {"rentGrowthSD", "Rent growth: SD (points)", RiskUnit::Points,
     &RiskParameters::rentGrowthSD, 1.5, 0.0, 20.0},
    {"inflationSD", "Inflation: SD (points)", RiskUnit::Points,
     &RiskParameters::inflationSD, 1.0, 0.0, 20.0},
    {"rentInflationCorrelation", "Rent growth ~ inflation: correlation", RiskUnit::Share,
     &RiskParameters::rentInflationCorrelation, 0.5, -1.0, 1.0},
    {"vacancyDrawn", "Vacancy: weeks drawn each year", RiskUnit::Switch,
     &RiskParameters::vacancyDrawn, 1.0, 0.0, 1.0},
    {"fundReturn", "Index fund: total return", RiskUnit::Percent, &RiskParameters::fundReturn,
     7.0, -50.0, 50.0},
    {"fundVolatility", "Index fund: volatility", RiskUnit::Percent,
     &RiskParameters::fundVolatility, 15.0, 0.0, 100.0},
    {"fundDividendYield", "Index fund: dividend yield", RiskUnit::Percent,
     &RiskParameters::fundDividendYield, 4.0, 0.0, 20.0},
    {"topUpLimit", "Top-up too much a week", RiskUnit::Money, &RiskParameters::topUpLimit,
     200.0, 0.0, 1e9},
}};

// False (and nothing set) when the value is not a number or lies outside the range; a switch
// takes 0 or 1 only.
bool SetParameter(RiskParameters& p, const RiskParameterInfo& info, double value);
const RiskParameterInfo* RiskParameterOfKey(std::string_view key);

// --- the draws ---

// SplitMix64 (Steele, Lea and Flood, 2014) as a generator: a counter stepped by the golden
// ratio and mixed; its output is fixed by its definition on every machine.
class SettingsStore;

class PathRandom {
public:
    using result_type = std::uint64_t;
    explicit PathRandom(std::uint64_t state) : state_(state) {}
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return ~result_type{0}; }
    result_type operator()();

private:
    std::uint64_t state_;
};

// The generator of path `path` of the run seeded `seed`.
PathRandom PathGenerator(std::uint64_t seed, std::uint64_t path);
// A uniform deviate in (0, 1), from the top 53 bits of one output.
double UniformOpen(PathRandom& g);
// The standard normal quantile of p in (0, 1) (relative error below 1.2e-9).
double NormalQuantile(double p);

// What one path draws besides the property's rates: the index fund's total return factor of
// each year held (1 after the sale, when the fund is sold too).
struct PathDraws {
    YearRates rates;
    Investment::YearArray fundFactor{};
};

// The rates of one path for the record `doc` (its typed rates are the means). Every year takes
// the same number of deviates whatever the parameters, so a parameter set to 0 changes no other
// variable's draws; with every standard deviation 0 and vacancy as typed the rates are the
// record's own.
class PathDrawer {
public:
    PathDrawer(const Investment& doc, const RiskParameters& p);
    void Draw(PathRandom& g, PathDraws& out) const;

private:
    RiskParameters p_;
    YearRates typed_;
    double growthNoise_ = 0, fundMean_ = 0, fundSD_ = 0, correlated_ = 0;
    bool rentFollows_ = true;
    int holding_ = 1; // the years held
    std::array<double, 53> vacancyCdf_{}; // P(weeks vacant <= w)
};

// The annual rate of return in percent, as HoldingIRR (model/Returns.h) times it, of paying
// `deposit` now, `topUps[j]` (0 or more) in monthly twelfths through year j + 1 of `years`, and
// receiving `finalValue` a month after the last: the alternatives' money only ever goes in
// until the end, so the rate is the one root, found by Newton's method kept within a bracket,
// with each year's twelve months summed as one factor. HoldingIRR when the deposit or the
// final value is not above 0.
double OutlayIrr(int years, double deposit, const double* topUps, double finalValue);

// --- the statistics ---

// Percentiles of a stream of values: counts in fine bins (about 0.4 % wide, on a scale that
// is linear near 0 and logarithmic beyond `unit`) and the exact extremes. A percentile is the
// middle of the bin that holds the sample's value of that rank, kept within the extremes:
// within 0.2 % (or unit / 512 near 0) of the exact order statistic, and exact when every
// value is the same. Counts add, so histograms merge in any order to the same figures.
// A figure that has no value (NoValue, or not finite: a rate of return that does not exist
// because everything was lost) ranks below every value.
class StreamQuantiles {
public:
    explicit StreamQuantiles(double unit = 1.0);
    void Add(double v);
    void Merge(const StreamQuantiles& o);
    std::int64_t Count() const { return count_ + none_; }
    std::int64_t NoValues() const { return none_; }
    // The value of rank ceil(q * count) (at least 1) in ascending order; NoValue when empty or
    // when that rank has no value.
    double Quantile(double q) const;
    // Quantile of each of `q[0..n-1]`, which ascend, in one pass over the bins.
    void Quantiles(const double* q, double* out, std::size_t n) const;
    // The number of values in [low, high).
    std::int64_t CountBetween(double low, double high) const;
    double Min() const { return min_; }
    double Max() const { return max_; }

private:
    int Bin(double v) const;
    double Middle(int bin) const;
    double unit_;
    std::vector<std::uint32_t> bins_;
    // The bins in use lie in [lo_, hi_]: merging and reading go over those alone.
    std::size_t lo_ = SIZE_MAX, hi_ = 0;
    std::int64_t count_ = 0, none_ = 0;
    double min_, max_;
};

inline constexpr std::array<double, 5> kRiskPercentiles = {0.05, 0.25, 0.50, 0.75, 0.95};
using Percentiles = std::array<double, 5>;

// What one path came to.
struct PathOutcome {
    Investment::YearArray equity{}, cashFlow{}; // the table's rows, years 1..40
    double irrAfterSale = 0, npvAfterSale = 0;  // the property's (may be NoValue)
    double fundIrr = 0, fundValueAfterSale = 0; // the index fund's, after the tax on its gain
    double bankIrr = 0;
    bool negativeEquity = false; // in any year held
    double largestTopUp = 0;     // the largest weekly after-tax top-up of the years held (0: none)
};

// The worst paths by NPV after sale (NoValue counts as the worst), ties by path number.
struct TailEntry {
    double npv;
    std::int64_t path;
    double irr, largestTopUp;
    bool negativeEquity;
};

struct RiskResults {
    RiskParameters parameters;
    std::int64_t paths = 0;
    std::uint64_t seed = 0;
    int holdingYears = 0;
    bool cancelled = false;
    bool nothingBought = false; // nothing to draw futures for: every figure is empty
    // Percentiles 5, 25, 50, 75, 95 (NoValue where the rank falls among the paths without a
    // value, which rank lowest) and the count of paths without one.
    struct Figure {
        Percentiles at{};
        std::int64_t noValue = 0;
    };
    Figure irrAfterSale, npvAfterSale, fundIrr, fundValueAfterSale, bankIrr;
    std::array<Percentiles, kTableColumns> equity{}, cashFlow{};
    // Shares of the paths, 0..1.
    double beatsFund = 0, beatsBank = 0, negativeEquity = 0, topUpOver = 0;
    // The worst 5 % of paths by NPV after sale: how many, their means, and the shares of them
    // with negative equity and with a top-up over the limit.
    struct Tail {
        std::int64_t paths = 0;
        double meanNpv = 0, meanIrr = 0, meanLargestTopUp = 0;
        double negativeEquity = 0, topUpOver = 0;
        double worstNpv = 0;
    } worst;
    // The IRR after sale of the property, for a histogram: `irrBins` counts between the edges.
    std::vector<double> irrEdges;
    std::vector<std::int64_t> irrBins;
};

// Progress and cancellation, shared with the threads that run the paths.
struct RiskProgress {
    std::atomic<bool> cancel{false};
    std::atomic<std::int64_t> done{0};
};

// The investment as given and its futures. The record is copied without its texts; nothing
// here changes it, the settings or the scales.
class RiskRun {
public:
    RiskRun(const Investment& doc, const Scales& scales, const RiskParameters& p);

    // The record worked out under its own rates.
    const Investment& Base() const { return base_; }
    // Works out path `path` of seed `seed` into `work` (a copy of the record is made first)
    // and its outcome.
    PathOutcome RunPath(std::uint64_t seed, std::int64_t path, Investment& work) const;

    // `paths` paths (1..kMaxRiskPaths) on `threads` threads (1..kRiskThreadsMax): path i is
    // always drawn from (seed, i), whichever thread runs it. `progress`, when given, counts the
    // paths done and stops the run early when cancelled (then `cancelled` is set).
    RiskResults Run(std::int64_t paths, std::uint64_t seed, int threads,
                    RiskProgress* progress = nullptr) const;

private:
    Investment inputs_;
    Investment base_;
    Scales scales_;
    RiskParameters p_;
    PathDrawer drawer_;
    std::array<TaxScale, kTableColumns> yearTax_; // each year's scale, for the alternatives
    int holding_;
};

// What to work out: the parameters, the number of paths and the seed (the same figures on
// every machine; the threads change nothing).
struct RiskSetup {
    RiskParameters parameters;
    std::int64_t paths = kDefaultRiskPaths;
    std::uint64_t seed = 1;
};

// The Risk tab's setup as it was last left, remembered in the settings ("Risk" and the
// parameter's key, "RiskPaths", "RiskSeed"); what is missing or out of range reads as built in.
RiskSetup ReadRiskSetup(const SettingsStore& store);
void StoreRiskSetup(SettingsStore& store, const RiskSetup& setup);
// "Delete settings": the remembered setup goes.
void ForgetRiskSetup(SettingsStore& store);

// The threads to use by default: the processor's, at least 1.
int DefaultRiskThreads();

// The results in words: "In 71 of 100 futures the property beats the index fund after tax."
std::vector<std::string> RiskSentences(const RiskResults& r);
