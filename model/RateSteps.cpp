// The interest rate's changes: their limits, and their text in the settings.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/Assumptions.h"

void LimitRateSteps(std::vector<RateStep>& steps) {
    std::erase_if(steps, [](const RateStep& s) { return std::isnan(s.rate); });
    for (RateStep& s : steps) {
        s.fromYear = std::clamp(s.fromYear, 1, kTableColumns);
        s.rate = std::clamp(s.rate, -100.0, kMaxRatePC);
    }
    // In order of their years; of two in one year the one given later stands.
    std::stable_sort(steps.begin(), steps.end(),
                     [](const RateStep& a, const RateStep& b) { return a.fromYear < b.fromYear; });
    std::vector<RateStep> kept;
    for (const RateStep& s : steps) {
        if (!kept.empty() && kept.back().fromYear == s.fromYear) kept.back() = s;
        else kept.push_back(s);
    }
    if (kept.size() > kMaxRateSteps) kept.resize(kMaxRateSteps);
    steps = std::move(kept);
}

std::string RateStepsText(const std::vector<RateStep>& steps) {
    std::string text;
    for (const RateStep& s : steps) {
        char buf[64];
        char* end = std::to_chars(buf, buf + sizeof buf, s.fromYear).ptr;
        *end++ = ':';
        end = std::to_chars(end, buf + sizeof buf, s.rate).ptr;
        if (!text.empty()) text += ';';
        text.append(buf, end);
    }
    return text;
}

std::vector<RateStep> ParseRateSteps(std::string_view text) {
    std::vector<RateStep> steps;
    while (!text.empty()) {
        const std::size_t semi = text.find(';');
        const std::string_view item = text.substr(0, semi);
        text = semi == std::string_view::npos ? std::string_view{} : text.substr(semi + 1);
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) return {};
        RateStep s;
        const char* first = item.data();
        const auto year = std::from_chars(first, first + colon, s.fromYear);
        const auto rate = std::from_chars(first + colon + 1, first + item.size(), s.rate);
        if (year.ec != std::errc{} || year.ptr != first + colon || rate.ec != std::errc{} ||
            rate.ptr != first + item.size() || steps.size() == kMaxRateSteps)
            return {};
        steps.push_back(s);
    }
    LimitRateSteps(steps);
    return steps;
}

Investment::YearArray InterestRateByYear(const Investment& doc) {
    Investment::YearArray rates;
    rates.fill(doc.RateInterest);
    for (const RateStep& s : doc.RateSteps)
        for (int c = std::clamp(s.fromYear, 1, kTableColumns) - 1; c < kTableColumns; ++c)
            rates[static_cast<std::size_t>(c)] = s.rate;
    return rates;
}
