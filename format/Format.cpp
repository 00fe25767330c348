#include "format/Format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr std::string_view kNumberChars = " 0123456789,.+-$mMkK%";

template <typename Int> Int saturate(double v) {
    if (std::isnan(v)) return 0;
    // The bounds of Int are exact powers of two, so these comparisons are exact.
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = -lo; // 2^(bits-1): the first value above the largest Int
    if (v <= lo) return std::numeric_limits<Int>::min();
    if (v >= hi) return std::numeric_limits<Int>::max();
    return static_cast<Int>(v);
}

// Fixed-point text with the given decimals, correctly rounded (ties to even, as the C
// library's "%.Nf" rounds). Always a point for the decimals, whatever the process locale: the
// C library's formatting follows LC_NUMERIC, which the desktop sets to a comma in much of the
// world, and a comma here would be read back as a thousands separator.
std::string fixed_string(double v, int decimals) {
    char buf[128];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return {};
    return std::string(buf, res.ptr);
}

std::string whole_string(std::int64_t v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// The standard library's string-to-double reading of the leading number: spaces, an optional
// sign, digits with an optional point. Nothing that fits gives 0. Independent of the locale.
double leading_number(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string digits;
    bool any_digit = false, point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            any_digit = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any_digit) return 0.0;
    double v = 0.0;
    auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v,
                               std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) v = std::numeric_limits<double>::infinity();
    else if (res.ec != std::errc()) v = 0.0;
    return negative ? -v : v;
}

double parse_narrow(std::string s) {
    // Delete "$", ",", "y" and "r".
    std::string t;
    for (char c : s)
        if (c != '$' && c != ',' && c != 'y' && c != 'r') t += c;
    // Cut at the first control character or code of 128 and above.
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (static_cast<signed char>(t[i]) < 32) {
            t.resize(i);
            break;
        }
    }
    for (char c : t)
        if (kNumberChars.find(c) == std::string_view::npos) return NoValue;

    auto erase_all = [](std::string& str, char a, char b) {
        std::string out;
        for (char c : str)
            if (c != a && c != b) out += c;
        str = out;
    };
    if (t.find_first_of("mM") != std::string::npos) {
        erase_all(t, 'm', 'M');
        return leading_number(t) * 1000000.0;
    }
    if (t.find_first_of("kK") != std::string::npos) {
        erase_all(t, 'k', 'K');
        return leading_number(t) * 1000.0;
    }
    erase_all(t, '%', '%');
    return leading_number(t);
}

} // namespace

double Nearest(double v) { return std::floor(v + 0.5); }

std::int32_t SaturateToInt32(double v) { return saturate<std::int32_t>(v); }
std::int64_t SaturateToInt64(double v) { return saturate<std::int64_t>(v); }
std::int16_t SaturateToInt16(double v) { return saturate<std::int16_t>(v); }

unsigned ParseFormat(std::string_view f) {
    if (!f.empty() && f[0] == 'a') return 0;
    unsigned flags = FmtNumeric;
    auto has = [&](std::string_view s) { return f.find(s) != std::string_view::npos; };
    if (has("#")) flags |= FmtBlankZero;
    if (has(".")) flags |= has("00") ? FmtTwoDecimals : FmtOneDecimal;
    if (has("%")) flags |= FmtPercent;
    if (has("$")) flags |= FmtDollar;
    if (has(",")) flags |= FmtThousands;
    if (has("y")) flags |= FmtYears;
    if (has("m")) flags |= FmtMillions;
    if (has("(")) flags |= FmtParens;
    return flags;
}

std::string FormatValue(double v, unsigned flags) {
    if ((flags & FmtBlankZero) && Nearest(v) == 0.0) return " ";
    // NaN has no number either.
    if (v < kNoValueLimit || std::isnan(v)) return "?????";
    if (v >= kOverflowLimit) return "+++++";

    std::string text;
    if ((flags & FmtMillions) && std::fabs(v) > 999990.0) {
        text = fixed_string(v * 0.000001, 3) + "m";
    } else if (flags & (FmtOneDecimal | FmtTwoDecimals)) {
        text = fixed_string(v, (flags & FmtOneDecimal) ? 1 : 2);
    } else if ((flags & FmtThousands) && std::fabs(v) >= 1000.0) {
        double r = Nearest(v);
        std::int64_t t = SaturateToInt64(r * 0.001);
        std::int64_t u = SaturateToInt64(std::fabs(Nearest(r - static_cast<double>(t) * 1000.0)));
        if (u > 999) u = 999;
        std::string low = whole_string(u);
        text = whole_string(t) + "," + std::string(3 - low.size(), '0') + low;
    } else {
        text = whole_string(SaturateToInt64(Nearest(v)));
    }

    if (flags & FmtDollar) text.insert(0, "$");
    else if (flags & FmtPercent) text += "%";
    else if (flags & FmtYears) text += "yr";

    if ((flags & FmtParens) && v < 0) {
        std::string out = "(";
        for (char c : text)
            if (c != '-') out += c;
        out += ")";
        text = out;
    }
    if (text.size() > kMaxFormattedLength) text.resize(kMaxFormattedLength);
    return text;
}

std::string FormatValue(double v, std::string_view format) {
    return FormatValue(v, ParseFormat(format));
}

double ParseValue(std::string_view text) {
    std::string s(text.substr(0, std::min<std::size_t>(text.size(), 79)));
    return parse_narrow(std::move(s));
}

double ParseValue(std::u16string_view text) {
    std::string s;
    std::size_t n = std::min<std::size_t>(text.size(), 79);
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(text[i] & 0xFF);
    return parse_narrow(std::move(s));
}

bool CommaCannotGroup(std::string_view text) {
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) return false;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t before = 0;
    for (std::size_t i = first; i > 0 && isDigit(text[i - 1]); --i) ++before;
    if (before == 0 || before > 3) return true;
    for (std::size_t at = first; at != std::string_view::npos; at = text.find(',', at + 1)) {
        std::size_t digits = 0;
        while (at + 1 + digits < text.size() && isDigit(text[at + 1 + digits])) ++digits;
        if (digits != 3) return true;
    }
    return false;
}

std::string ExactNumber(double value) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}
