#include "analysis/Risk.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <thread>

#include "format/Format.h"
#include "model/Law.h"
#include "model/Returns.h"
#include "persist/Settings.h"

bool SetParameter(RiskParameters& p, const RiskParameterInfo& info, double value) {
    if (!(value >= info.min && value <= info.max)) return false;
    if (info.unit == RiskUnit::Switch && value != 0 && value != 1) return false;
    p.*info.field = value;
    return true;
}

const RiskParameterInfo* RiskParameterOfKey(std::string_view key) {
    for (const RiskParameterInfo& info : kRiskParameters)
        if (info.key == key) return &info;
    return nullptr;
}

// --- the draws ---

namespace {

// SplitMix64's step: a bijection that spreads neighbouring numbers over the whole range.
std::uint64_t SplitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

constexpr int kWeeks = 52;

} // namespace

PathRandom::result_type PathRandom::operator()() {
    const std::uint64_t x = state_;
    state_ += 0x9E3779B97F4A7C15ull;
    return SplitMix(x);
}

// Paths i and i + 1 start far apart.
PathRandom PathGenerator(std::uint64_t seed, std::uint64_t path) {
    return PathRandom(SplitMix(SplitMix(seed) ^ path));
}

double UniformOpen(PathRandom& g) {
    return (static_cast<double>(g() >> 11) + 0.5) * 0x1p-53;
}

// Acklam's rational approximation of the normal quantile: a central region and two tails.
double NormalQuantile(double p) {
    static constexpr double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,
                                   -2.759285104469687e+02, 1.383577518672690e+02,
                                   -3.066479806614716e+01, 2.506628277459239e+00};
    static constexpr double b[] = {-5.447609879822406e+01, 1.615858368580409e+02,
                                   -1.556989798598866e+02, 6.680131188771972e+01,
                                   -1.328068155288572e+01};
    static constexpr double c[] = {-7.784894002430293e-03, -3.223964580411365e-01,
                                   -2.400758277161838e+00, -2.549732539343734e+00,
                                   4.374664141464968e+00,  2.938163982698783e+00};
    static constexpr double d[] = {7.784695709041462e-03, 3.224671290700398e-01,
                                   2.445134137142996e+00, 3.754408661907416e+00};
    constexpr double low = 0.02425;
    auto tail = [&](double q) {
        return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
               ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    };
    if (p < low) return tail(std::sqrt(-2 * std::log(p)));
    if (p > 1 - low) return -tail(std::sqrt(-2 * std::log(1 - p)));
    const double q = p - 0.5;
    const double r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
           (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
}

PathDrawer::PathDrawer(const Investment& doc, const RiskParameters& p)
    : p_(p), typed_(RecordYearRates(doc)) {
    const double phi = p.growthPersistence;
    growthNoise_ = p.growthSD * std::sqrt(1 - phi * phi);
    correlated_ = std::sqrt(1 - p.rentInflationCorrelation * p.rentInflationCorrelation);
    const double sigma = p.fundVolatility * 0.01;
    fundSD_ = sigma;
    // The mean of the factor exp(N(mu, sigma^2)) is exp(mu + sigma^2 / 2) = 1 + return.
    fundMean_ = std::log1p(p.fundReturn * 0.01) - sigma * sigma / 2;
    rentFollows_ = doc.RentFollowsInflation != 0;
    holding_ = std::clamp(doc.ProjectionYear, 1, kTableColumns);
    // The weeks vacant in a year: binomial over 52 weeks, each vacant with the typed chance.
    const double share = std::clamp(doc.VacancyRate * 0.01, 0.0, 1.0);
    double ways = 1, cumulative = 0;
    for (int w = 0; w <= kWeeks; ++w) {
        cumulative += ways * std::pow(share, w) * std::pow(1 - share, kWeeks - w);
        vacancyCdf_[static_cast<std::size_t>(w)] = cumulative;
        ways = ways * (kWeeks - w) / (w + 1);
    }
    vacancyCdf_[kWeeks] = 1.0;
}

void PathDrawer::Draw(PathRandom& g, PathDraws& out) const {
    YearRates& r = out.rates;
    // A drawn rate never falls below -99 %, nor is a typed rate below it changed.
    auto atLeast = [](double v, double typed, double lowest) {
        return std::max(v, std::min(typed, lowest));
    };
    double departure = 0;
    double rate = 0;
    for (int c = 0; c < kTableColumns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const double zGrowth = NormalQuantile(UniformOpen(g));
        const double zInterest = NormalQuantile(UniformOpen(g));
        const double zRent = NormalQuantile(UniformOpen(g));
        const double zInflation = NormalQuantile(UniformOpen(g));
        const double uFund = UniformOpen(g);
        const double uVacancy = UniformOpen(g);

        departure = c == 0 ? p_.growthSD * zGrowth
                           : p_.growthPersistence * departure + growthNoise_ * zGrowth;
        r.growth[i] = atLeast(typed_.growth[i] + departure, typed_.growth[i], -99.0);

        const double typedRate = typed_.interest[i];
        if (c == 0) {
            rate = typedRate;
        } else {
            rate = rate + p_.interestReversion * (typedRate - rate) + p_.interestSD * zInterest;
            rate = atLeast(rate, typedRate, p_.interestFloor);
        }
        r.interest[i] = rate;

        const double inflation =
            typed_.inflation[i] +
            p_.inflationSD * (p_.rentInflationCorrelation * zRent + correlated_ * zInflation);
        r.inflation[i] = atLeast(inflation, typed_.inflation[i], -99.0);
        r.rentGrowth[i] = rentFollows_ ? r.inflation[i]
                                       : atLeast(typed_.rentGrowth[i] + p_.rentGrowthSD * zRent,
                                                 typed_.rentGrowth[i], -99.0);

        if (p_.vacancyDrawn != 0) {
            int weeks = 0;
            while (weeks < kWeeks && uVacancy > vacancyCdf_[static_cast<std::size_t>(weeks)])
                ++weeks;
            r.vacancy[i] = weeks * 100.0 / kWeeks;
        } else {
            r.vacancy[i] = typed_.vacancy[i];
        }
        out.fundFactor[i] = c < holding_ ? std::exp(fundMean_ + fundSD_ * NormalQuantile(uFund)) : 1.0;
    }
}

double OutlayIrr(int years, double deposit, const double* topUps, double finalValue) {
    const int n = std::clamp(years, 1, kTableColumns);
    if (!(deposit > 0) || !(finalValue > 0) || !std::isfinite(finalValue)) {
        std::array<double, kTableColumns> flows{};
        for (int j = 0; j < n; ++j) flows[static_cast<std::size_t>(j)] = -topUps[j];
        return HoldingIRR(n, deposit, flows.data(), finalValue);
    }
    // With v the monthly discount factor, the value of the series is
    //   f(v) = -deposit + A(v) sum_j a_j v^(12 j) + final v^(12 n + 1),
    // A(v) = v + ... + v^12, a_j = -topUps[j] / 12: negative below the highest power and
    // positive there, so f has one positive root, above f(0) = -deposit.
    auto value = [&](double v, double& slope) {
        double a = 0, da = 0, power = 1;
        for (int m = 1; m <= 12; ++m) {
            da += m * power;
            power *= v;
            a += power;
        }
        const double w = power; // v^12
        double sum = 0, dsum = 0, wj = 1;
        for (int j = 0; j < n; ++j) {
            const double aj = -topUps[j] / 12;
            dsum += aj * 12 * j * wj;
            sum += aj * wj;
            wj *= w;
        }
        dsum /= v;
        const double last = wj * v; // v^(12 n + 1)
        slope = da * sum + a * dsum + finalValue * (12 * n + 1) * wj;
        return -deposit + a * sum + finalValue * last;
    };
    double low = 0, high = 1, slope = 0;
    for (int i = 0; i < 400 && value(high, slope) < 0; ++i) {
        low = high;
        high *= 2;
    }
    // Start from the rate that turns everything paid in, as if paid at once, into the final
    // value over the whole time: near the root, so that Newton's steps settle in a few rounds.
    double paid = deposit;
    for (int j = 0; j < n; ++j) paid += topUps[j];
    double v = std::clamp(std::pow(paid / finalValue, 1.0 / (12 * n)), low, high);
    if (!(v > low && v < high)) v = 0.5 * (low + high);
    for (int round = 0; round < 200; ++round) {
        const double f = value(v, slope);
        if (f < 0) low = v;
        else high = v;
        double next = v - f / slope;
        // A step this small is the root to the last digits; tested before the bracket, as v
        // itself has just become one of its ends.
        if (std::fabs(next - v) <= 1e-13 * v) break;
        if (!(next > low && next < high)) next = 0.5 * (low + high);
        v = next;
    }
    return (std::pow(v, -12) - 1) * 100;
}

// --- the statistics ---

namespace {

constexpr int kSubBits = 8;
constexpr int kSub = 1 << kSubBits;
constexpr int kOctaves = 40;
constexpr int kHalf = kOctaves * kSub;

} // namespace

StreamQuantiles::StreamQuantiles(double unit)
    : unit_(unit), bins_(2 * kHalf, 0), min_(std::numeric_limits<double>::infinity()),
      max_(-std::numeric_limits<double>::infinity()) {}

// |v| / unit + 1 is at least 1: its exponent and top mantissa bits number the bin, which
// grows with |v|; negative values mirror positive ones below the middle.
int StreamQuantiles::Bin(double v) const {
    const double y = std::fabs(v) / unit_ + 1.0;
    int k = kHalf - 1;
    if (y < 0x1p40) {
        const auto bits = std::bit_cast<std::uint64_t>(y);
        const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
        const int top = static_cast<int>((bits >> (52 - kSubBits)) & (kSub - 1));
        k = exponent * kSub + top;
    }
    return v < 0 ? kHalf - 1 - k : kHalf + k;
}

double StreamQuantiles::Middle(int bin) const {
    const bool negative = bin < kHalf;
    const int k = negative ? kHalf - 1 - bin : bin - kHalf;
    const double y = std::ldexp(1 + (k % kSub + 0.5) / kSub, k / kSub);
    const double x = (y - 1) * unit_;
    return negative ? -x : x;
}

void StreamQuantiles::Add(double v) {
    if (IsNoValue(v) || !std::isfinite(v)) {
        ++none_;
        return;
    }
    const auto bin = static_cast<std::size_t>(Bin(v));
    ++bins_[bin];
    lo_ = std::min(lo_, bin);
    hi_ = std::max(hi_, bin);
    ++count_;
    min_ = std::min(min_, v);
    max_ = std::max(max_, v);
}

void StreamQuantiles::Merge(const StreamQuantiles& o) {
    for (std::size_t i = o.lo_; i <= o.hi_ && i < bins_.size(); ++i) bins_[i] += o.bins_[i];
    lo_ = std::min(lo_, o.lo_);
    hi_ = std::max(hi_, o.hi_);
    count_ += o.count_;
    none_ += o.none_;
    min_ = std::min(min_, o.min_);
    max_ = std::max(max_, o.max_);
}

double StreamQuantiles::Quantile(double q) const {
    double v = NoValue;
    Quantiles(&q, &v, 1);
    return v;
}

void StreamQuantiles::Quantiles(const double* q, double* out, std::size_t n) const {
    const std::int64_t all = count_ + none_;
    std::int64_t seen = none_;
    std::size_t bin = lo_;
    for (std::size_t k = 0; k < n; ++k) {
        out[k] = NoValue;
        if (all == 0) continue;
        const auto rank = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(std::ceil(q[k] * static_cast<double>(all) - 1e-9)), 1, all);
        if (rank <= none_) continue;
        while (bin < bins_.size() && seen + bins_[bin] < rank) seen += bins_[bin++];
        out[k] = bin < bins_.size() ? std::clamp(Middle(static_cast<int>(bin)), min_, max_) : max_;
    }
}

std::int64_t StreamQuantiles::CountBetween(double low, double high) const {
    std::int64_t n = 0;
    for (std::size_t i = lo_; i <= hi_ && i < bins_.size(); ++i) {
        if (bins_[i] == 0) continue;
        const double m = std::clamp(Middle(static_cast<int>(i)), min_, max_);
        if (m >= low && m < high) n += bins_[i];
    }
    return n;
}

// --- the run ---

namespace {

constexpr double kMoneyUnit = 1.0;  // dollars
constexpr double kRateUnit = 0.01;  // percentage points

// The tax the owners pay on `amount` more income in a year of incomes `him` and `her`.
double TaxOnTop(const Investment& d, const TaxScale& t, double him, double her, double amount) {
    if (d.NamesOnTitle != 2) return ComputeIncomeTax(him + amount, t) - ComputeIncomeTax(him, t);
    const double half = amount * 0.5;
    return (ComputeIncomeTax(him + half, t) - ComputeIncomeTax(him, t)) +
           (ComputeIncomeTax(her + half, t) - ComputeIncomeTax(her, t));
}

double OwnersMarginalRate(const Investment& d, const TaxScale& t, double him, double her) {
    if (d.NamesOnTitle != 2) return MarginalTaxRate(him, t);
    return 0.5 * (MarginalTaxRate(him, t) + MarginalTaxRate(her, t));
}

bool Worse(const TailEntry& a, const TailEntry& b) {
    const double ka = IsNoValue(a.npv) ? -std::numeric_limits<double>::infinity() : a.npv;
    const double kb = IsNoValue(b.npv) ? -std::numeric_limits<double>::infinity() : b.npv;
    if (ka != kb) return ka < kb;
    return a.path < b.path;
}

// The streamed figures, in this order: five of each path, then the equity and the cash flow
// of every year.
enum Series : std::size_t { kIrr, kNpv, kFundIrr, kFundValue, kBankIrr, kEquity0 };
constexpr std::size_t kCash0 = kEquity0 + kTableColumns;
constexpr std::size_t kSeries = kCash0 + kTableColumns;

struct Accumulator {
    std::vector<StreamQuantiles> series;
    std::int64_t paths = 0, beatsFund = 0, beatsBank = 0, negativeEquity = 0, topUpOver = 0;
    std::vector<TailEntry> tail; // a heap, the best of the worst on top
    std::size_t tailSize = 0;
    double topUpLimit = 0;

    Accumulator(std::size_t keep, double limit) : tailSize(keep), topUpLimit(limit) {
        for (std::size_t i = 0; i < kSeries; ++i)
            series.emplace_back(i == kIrr || i == kFundIrr || i == kBankIrr ? kRateUnit : kMoneyUnit);
    }

    void Add(std::int64_t path, const PathOutcome& o) {
        ++paths;
        const double each[] = {o.irrAfterSale, o.npvAfterSale, o.fundIrr, o.fundValueAfterSale, o.bankIrr};
        for (std::size_t i = 0; i < kEquity0; ++i) series[i].Add(each[i]);
        for (std::size_t c = 0; c < kTableColumns; ++c) {
            series[kEquity0 + c].Add(o.equity[c]);
            series[kCash0 + c].Add(o.cashFlow[c]);
        }
        // A rate that is no value ranks below every rate.
        if (!IsNoValue(o.irrAfterSale) && o.irrAfterSale > o.fundIrr) ++beatsFund;
        if (!IsNoValue(o.irrAfterSale) && o.irrAfterSale > o.bankIrr) ++beatsBank;
        if (o.negativeEquity) ++negativeEquity;
        if (o.largestTopUp > topUpLimit) ++topUpOver;
        const TailEntry e{o.npvAfterSale, path, o.irrAfterSale, o.largestTopUp, o.negativeEquity};
        if (tail.size() < tailSize) {
            tail.push_back(e);
            std::push_heap(tail.begin(), tail.end(), Worse);
        } else if (tailSize > 0 && Worse(e, tail.front())) {
            std::pop_heap(tail.begin(), tail.end(), Worse);
            tail.back() = e;
            std::push_heap(tail.begin(), tail.end(), Worse);
        }
    }

    void Merge(const Accumulator& o) {
        for (std::size_t i = 0; i < kSeries; ++i) series[i].Merge(o.series[i]);
        paths += o.paths;
        beatsFund += o.beatsFund;
        beatsBank += o.beatsBank;
        negativeEquity += o.negativeEquity;
        topUpOver += o.topUpOver;
        tail.insert(tail.end(), o.tail.begin(), o.tail.end());
    }
};

Percentiles PercentilesOf(const StreamQuantiles& q) {
    Percentiles p;
    q.Quantiles(kRiskPercentiles.data(), p.data(), p.size());
    return p;
}

RiskResults::Figure FigureOf(const StreamQuantiles& q) { return {PercentilesOf(q), q.NoValues()}; }

constexpr int kIrrHistogramBins = 30;

} // namespace

RiskRun::RiskRun(const Investment& doc, const Scales& scales, const RiskParameters& p)
    : scales_(scales), p_(p), drawer_(doc, p) {
    inputs_ = doc;
    inputs_.Address.clear();
    inputs_.Description.clear();
    inputs_.Notes.clear();
    inputs_.UnknownAssumptions.clear();
    base_ = inputs_;
    base_.Recalculate(scales_);
    holding_ = std::clamp(doc.ProjectionYear, 1, kTableColumns);
    ProjectionLaw law;
    WorkOutProjectionLaw(base_, law);
    for (std::size_t c = 0; c < kTableColumns; ++c)
        yearTax_[c] = law.kind == kOneScaleForEveryYear ? scales_.tax : law.scales[c];
}

PathOutcome RiskRun::RunPath(std::uint64_t seed, std::int64_t path, Investment& work) const {
    PathRandom g = PathGenerator(seed, static_cast<std::uint64_t>(path));
    PathDraws draws;
    drawer_.Draw(g, draws);
    work = inputs_;
    work.Recalculate(scales_.duty, scales_.tax, draws.rates, Investment::Results::AfterSaleOnly);

    PathOutcome o;
    const double* equity = work.RowData(Row::Equity);
    const double* cash = work.RowData(Row::AfterTaxCash);
    const double* week = work.RowData(Row::AfterTaxCashWeek);
    std::copy(equity, equity + kTableColumns, o.equity.begin());
    std::copy(cash, cash + kTableColumns, o.cashFlow.begin());
    o.irrAfterSale = work.IRRAfterSale;
    o.npvAfterSale = work.NPVAfterSale;
    const int p = holding_;
    bool flowsKnown = true;
    for (int c = 0; c < p; ++c) {
        if (!IsNoValue(equity[c]) && equity[c] < 0) o.negativeEquity = true;
        if (!IsNoValue(week[c])) o.largestTopUp = std::max(o.largestTopUp, -week[c]);
        if (IsNoValue(cash[c])) flowsKnown = false;
    }
    if (work.TotalCost < 0.00001 || !flowsKnown) {
        o.fundIrr = o.fundValueAfterSale = o.bankIrr = NoValue;
        return o;
    }

    // The alternatives take the cash the property takes at the start and every later top-up
    // (the year's negative cash flow after tax); what the property pays out has no match.
    const double deposit = work.CashDeposit;
    const double yield = p_.fundDividendYield * 0.01;
    Investment::YearArray paidIn{}; // the top-ups, 0 or more
    double fund = deposit, costBase = deposit, bank = deposit;
    for (int c = 0; c < p; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const double topUp = std::max(0.0, -cash[c]);
        paidIn[i] = topUp;
        const double marginal =
            OwnersMarginalRate(work, yearTax_[i], work.TaxableHimByYear[i], work.TaxableHerByYear[i]);
        // The fund: the year's top-ups count as paid in at its middle; the dividend on the
        // year's average holding is taxed and the rest reinvested.
        const double price = std::max(0.0, draws.fundFactor[i] - yield);
        const double dividend = yield * (fund + 0.5 * topUp);
        const double kept = dividend * (1 - marginal);
        fund = fund * price + topUp * std::sqrt(price) + kept;
        costBase += topUp + kept;
        // The bank: the year's interest rate, taxed at the marginal rate, monthly; the
        // top-ups in twelfths.
        const double monthly = 1.0 + (1.0 - marginal) * draws.rates.interest[i] / 1200.0;
        for (int month = 0; month < 12; ++month) bank = bank * monthly + topUp / 12.0;
    }
    // The fund's gain is taxed as the property's under one scale: the discount, then the
    // owners' rates in the year of the sale on top of their incomes.
    const auto last = static_cast<std::size_t>(p - 1);
    const double gain = fund - costBase;
    const double taxable = gain > 0 ? gain * (1 - work.CGTDiscountPC * 0.01) : 0.0;
    const double tax = taxable > 0 ? TaxOnTop(work, yearTax_[last], work.TaxableHimByYear[last],
                                             work.TaxableHerByYear[last], taxable)
                                   : 0.0;
    o.fundValueAfterSale = fund - tax;
    o.fundIrr = OutlayIrr(p, deposit, paidIn.data(), o.fundValueAfterSale);
    o.bankIrr = OutlayIrr(p, deposit, paidIn.data(), bank);
    return o;
}

namespace {

std::string SettingName(std::string_view key) {
    std::string name = "Risk" + std::string(key);
    name[4] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[4])));
    return name;
}

} // namespace

RiskSetup ReadRiskSetup(const SettingsStore& store) {
    RiskSetup setup;
    for (const RiskParameterInfo& info : kRiskParameters)
        SetParameter(setup.parameters, info,
                     ReadSettingDouble(store, SettingName(info.key), info.builtIn));
    const int paths = ReadSettingInt(store, "RiskPaths", static_cast<int>(kDefaultRiskPaths));
    if (paths >= 1 && paths <= kMaxRiskPaths) setup.paths = paths;
    const int seed = ReadSettingInt(store, "RiskSeed", 1);
    if (seed >= 0) setup.seed = static_cast<std::uint64_t>(seed);
    return setup;
}

void StoreRiskSetup(SettingsStore& store, const RiskSetup& setup) {
    SettingsBatch batch(store);
    for (const RiskParameterInfo& info : kRiskParameters)
        WriteSettingDouble(store, SettingName(info.key), setup.parameters.*info.field);
    WriteSettingInt(store, "RiskPaths", static_cast<int>(setup.paths));
    WriteSettingInt(store, "RiskSeed", static_cast<int>(std::min<std::uint64_t>(setup.seed, 2147483647)));
}

void ForgetRiskSetup(SettingsStore& store) {
    SettingsBatch batch(store);
    for (const RiskParameterInfo& info : kRiskParameters)
        store.Remove(kSectionSettingsFile, SettingName(info.key));
    store.Remove(kSectionSettingsFile, "RiskPaths");
    store.Remove(kSectionSettingsFile, "RiskSeed");
}

int DefaultRiskThreads() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kRiskThreadsMax);
}

RiskResults RiskRun::Run(std::int64_t paths, std::uint64_t seed, int threads,
                         RiskProgress* progress) const {
    paths = std::clamp<std::int64_t>(paths, 1, kMaxRiskPaths);
    threads = static_cast<int>(std::clamp<std::int64_t>(threads, 1, std::min<std::int64_t>(paths, kRiskThreadsMax)));
    const auto keep = static_cast<std::size_t>((paths + 19) / 20); // the worst 5 %
    // Each thread makes its own accumulator (megabytes of counts to clear), at the same time.
    std::vector<std::optional<Accumulator>> parts(static_cast<std::size_t>(threads));
    std::atomic<bool> stopped{false};

    // The threads take the paths in chunks from one counter, so that a thread slowed by other
    // work on the machine leaves more to the rest. Which thread ran a path changes nothing: it
    // is drawn from (seed, path), and the counts add up alike in any order.
    constexpr std::int64_t kChunk = 64;
    std::atomic<std::int64_t> next{0};
    auto work = [&](int t) {
        Investment doc;
        Accumulator& acc = parts[static_cast<std::size_t>(t)].emplace(keep, p_.topUpLimit);
        for (std::int64_t begin; (begin = next.fetch_add(kChunk, std::memory_order_relaxed)) < paths;) {
            if (progress && progress->cancel.load(std::memory_order_relaxed)) {
                stopped = true;
                break;
            }
            const std::int64_t end = std::min(begin + kChunk, paths);
            for (std::int64_t i = begin; i < end; ++i) acc.Add(i, RunPath(seed, i, doc));
            if (progress) progress->done.fetch_add(end - begin, std::memory_order_relaxed);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int t = 1; t < threads; ++t) helpers.emplace_back(work, t);
        work(0);
    }

    Accumulator& all = *parts.front();
    for (std::size_t t = 1; t < parts.size(); ++t) all.Merge(*parts[t]);
    std::sort(all.tail.begin(), all.tail.end(), Worse);
    if (all.tail.size() > keep) all.tail.resize(keep);

    RiskResults r;
    r.parameters = p_;
    r.paths = all.paths;
    r.seed = seed;
    r.holdingYears = holding_;
    r.cancelled = stopped;
    r.nothingBought = base_.TotalCost < 0.00001;
    r.irrAfterSale = FigureOf(all.series[kIrr]);
    r.npvAfterSale = FigureOf(all.series[kNpv]);
    r.fundIrr = FigureOf(all.series[kFundIrr]);
    r.fundValueAfterSale = FigureOf(all.series[kFundValue]);
    r.bankIrr = FigureOf(all.series[kBankIrr]);
    for (std::size_t c = 0; c < kTableColumns; ++c) {
        r.equity[c] = PercentilesOf(all.series[kEquity0 + c]);
        r.cashFlow[c] = PercentilesOf(all.series[kCash0 + c]);
    }
    const double n = std::max<double>(1.0, static_cast<double>(all.paths));
    r.beatsFund = static_cast<double>(all.beatsFund) / n;
    r.beatsBank = static_cast<double>(all.beatsBank) / n;
    r.negativeEquity = static_cast<double>(all.negativeEquity) / n;
    r.topUpOver = static_cast<double>(all.topUpOver) / n;

    RiskResults::Tail& w = r.worst;
    w.paths = static_cast<std::int64_t>(all.tail.size());
    std::int64_t npvs = 0, irrs = 0;
    for (const TailEntry& e : all.tail) {
        if (!IsNoValue(e.npv)) {
            w.meanNpv += e.npv;
            ++npvs;
        }
        if (!IsNoValue(e.irr)) {
            w.meanIrr += e.irr;
            ++irrs;
        }
        w.meanLargestTopUp += e.largestTopUp;
        if (e.negativeEquity) w.negativeEquity += 1;
        if (e.largestTopUp > p_.topUpLimit) w.topUpOver += 1;
    }
    const double tailCount = std::max<double>(1.0, static_cast<double>(w.paths));
    w.meanNpv = npvs > 0 ? w.meanNpv / static_cast<double>(npvs) : NoValue;
    w.meanIrr = irrs > 0 ? w.meanIrr / static_cast<double>(irrs) : NoValue;
    w.meanLargestTopUp /= tailCount;
    w.negativeEquity /= tailCount;
    w.topUpOver /= tailCount;
    w.worstNpv = all.tail.empty() ? NoValue : all.tail.front().npv;

    // The histogram: 30 equal bins from the 1st to the 99th percentile, the first and last
    // also taking what lies beyond.
    const StreamQuantiles& irr = all.series[kIrr];
    if (irr.Count() > irr.NoValues()) {
        // The 1st percentile of the rates there are.
        const double none = static_cast<double>(irr.NoValues()), count = static_cast<double>(irr.Count());
        const double low = std::max(irr.Quantile((none + 0.01 * (count - none)) / count), irr.Min());
        const double high = irr.Quantile(0.99);
        const int bins = high > low ? kIrrHistogramBins : 1;
        const double width = high > low ? (high - low) / bins : 1.0;
        const double inf = std::numeric_limits<double>::infinity();
        for (int b = 0; b <= bins; ++b) r.irrEdges.push_back(b == bins ? std::max(high, low + width) : low + b * width);
        for (int b = 0; b < bins; ++b)
            r.irrBins.push_back(irr.CountBetween(b == 0 ? -inf : r.irrEdges[static_cast<std::size_t>(b)],
                                                     b == bins - 1 ? inf : r.irrEdges[static_cast<std::size_t>(b + 1)]));
    }
    return r;
}

namespace {

std::string InHundred(double share) {
    const double n = std::round(share * 100);
    if (n == 0 && share > 0) return "fewer than 1 of 100";
    if (n == 100 && share < 1) return "more than 99 of 100";
    return FormatValue(n, "0") + " of 100";
}

} // namespace

std::vector<std::string> RiskSentences(const RiskResults& r) {
    std::vector<std::string> s;
    if (r.nothingBought) return {"Nothing is bought: there are no futures to draw."};
    const std::string years = std::to_string(r.holdingYears) + (r.holdingYears == 1 ? " year" : " years");
    s.push_back("In " + InHundred(r.beatsFund) +
                " futures the property beats the index fund after tax (IRR after sale over " +
                years + ").");
    s.push_back("In " + InHundred(r.beatsBank) + " futures the property beats the bank.");
    s.push_back("In " + InHundred(r.negativeEquity) +
                " futures the loan is larger than the property's value in at least one year.");
    s.push_back("In " + InHundred(r.topUpOver) + " futures the property needs more than " +
                FormatValue(r.parameters.topUpLimit, "$0,m") + " a week in at least one year.");
    const Percentiles& irr = r.irrAfterSale.at;
    auto rate = [](double v) { return IsNoValue(v) ? std::string("no rate") : FormatValue(v, "%0.00"); };
    s.push_back("Half the futures give an IRR after sale between " + rate(irr[1]) + " and " +
                rate(irr[3]) + " (median " + rate(irr[2]) + "); the index fund's median is " +
                rate(r.fundIrr.at[2]) + ".");
    if (r.irrAfterSale.noValue > 0)
        s.push_back("In " + InHundred(static_cast<double>(r.irrAfterSale.noValue) /
                                      static_cast<double>(std::max<std::int64_t>(r.paths, 1))) +
                    " futures the sale leaves less than nothing: there is no rate of return.");
    if (r.worst.paths > 0)
        s.push_back("In the worst 5 of 100 futures the NPV after sale averages " +
                    FormatValue(r.worst.meanNpv, "$0,m(") + " and the largest weekly top-up " +
                    FormatValue(r.worst.meanLargestTopUp, "$0,m") + ".");
    return s;
}
