// The depreciation schedules: their limits, and the figures of a pasted column.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/Assumptions.h"

void LimitSchedule(std::vector<double>& schedule) {
    if (schedule.size() > kMaxScheduleYears) schedule.resize(kMaxScheduleYears);
    for (double& v : schedule) v = std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1e12);
    while (!schedule.empty() && schedule.back() == 0) schedule.pop_back();
}

std::vector<double> ParseScheduleColumn(std::string_view text) {
    std::vector<double> figures;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        // A row of several cells gives its first.
        line = line.substr(0, line.find('\t'));
        std::string figure;
        for (char ch : line)
            if (ch != '$' && ch != ',' && ch != ' ' && ch != '\r') figure += ch;
        if (figure.empty()) continue;
        double v = 0;
        const auto [ptr, ec] = std::from_chars(figure.data(), figure.data() + figure.size(), v);
        if (ec != std::errc{} || ptr != figure.data() + figure.size() || !std::isfinite(v) ||
            figures.size() == kMaxScheduleYears)
            return {};
        figures.push_back(v);
    }
    LimitSchedule(figures);
    return figures;
}
