#include "ui/dialogs/NumEntry.h"

#include <cmath>

#include "format/Format.h"

namespace {

constexpr std::u16string_view kNumberCharacters = u" 0123456789,.+-$mMkK%";

// Differences within this are display rounding, not a typed change.
constexpr double kChangeTolerance = 0.001;

} // namespace

std::uint16_t KeyClass(char16_t c) {
    if (c < 32) return kKeyControl;
    if (kNumberCharacters.find(c) != std::u16string_view::npos) return kKeyNumber;
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return kKeyLetter;
    return kKeyOther;
}

std::uint16_t KeyMaskForFormat(std::string_view format) {
    return !format.empty() && format.front() == 'a' ? kMaskText : kMaskNumber;
}

bool TextPasses(std::u16string_view text, std::uint16_t mask) {
    for (char16_t c : text)
        if (!KeyPasses(c, mask)) return false;
    return true;
}

double ShownValue(double value, std::string_view format) {
    return ParseValue(FormatValue(value, format));
}

bool TakeIfChanged(double& value, double typed, std::string_view format) {
    // NaN compares false: such a difference is not "more than 0.001", so nothing is taken.
    if (!(std::fabs(typed - ShownValue(value, format)) > kChangeTolerance)) return false;
    value = typed;
    return true;
}

bool TakeIntIfChanged(int& value, double typed, std::string_view format) {
    if (IsNoValue(typed)) return false;
    if (!(std::fabs(typed - ShownValue(static_cast<double>(value), format)) > kChangeTolerance))
        return false;
    // The nearest whole number, halves away from zero: adding a little and dropping the
    // fraction would turn -3 into -2.
    value = SaturateToInt32(std::round(typed));
    return true;
}
