// Value formats: how a number is shown under a short format string ("$0,m", "0.00%", "0y"...)
// and how typed text is read back into a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The no-value marker: there is no number. Everything below kNoValueLimit shows as "?????".
inline constexpr double NoValue = -99000000000.0;
inline constexpr double kNoValueLimit = -98999999999.0;
// Values at or above this show as "+++++".
inline constexpr double kOverflowLimit = 1e20;

inline bool IsNoValue(double v) { return v < kNoValueLimit; }

// The largest number an edit takes: ParseValue reads at most 79 characters.
inline constexpr double kLargestTypedNumber = 1e79;

// `v` times `factor`, where a value that is no number (the marker, or not a number at all)
// stays no value rather than becoming a figure.
inline double ScaledValue(double v, double factor) {
    return IsNoValue(v) || v != v ? NoValue : v * factor;
}

// Format flags, one bit per display rule.
enum FormatFlags : unsigned {
    FmtNumeric = 0x001,
    FmtBlankZero = 0x004,
    FmtOneDecimal = 0x008,
    FmtTwoDecimals = 0x010,
    FmtPercent = 0x020,
    FmtDollar = 0x040,
    FmtThousands = 0x080,
    FmtYears = 0x100,
    FmtMillions = 0x200,
    FmtParens = 0x800,
};

// The longest text FormatValue may return.
inline constexpr std::size_t kMaxFormattedLength = 79;

unsigned ParseFormat(std::string_view format);

std::string FormatValue(double value, unsigned flags);
std::string FormatValue(double value, std::string_view format);

// The shortest text that reads back as exactly `value`, with a point for the decimals
// whatever the locale.
std::string ExactNumber(double value);

// Reads typed text back into a number; NoValue when the text is not a number. Only the low
// eight bits of each of the first 79 characters count.
double ParseValue(std::string_view text);
// Whether the commas of a typed number cannot be thousands separators ("6,5", "1,23",
// "12,3456", "1234,567"): as separators each comma has exactly three digits after it and the
// first comma at most three before it.
bool CommaCannotGroup(std::string_view text);
double ParseValue(std::u16string_view text);

// floor(v + 0.5): halves go to the larger whole number.
double Nearest(double v);

// Double to integer without undefined behaviour: NaN gives 0, out-of-range values saturate.
std::int32_t SaturateToInt32(double v);
std::int64_t SaturateToInt64(double v);
std::int16_t SaturateToInt16(double v);
