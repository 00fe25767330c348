// Number entry without widgets: which keys a number field lets through, and when a typed number
// counts as a change of the value that the field showed. NumEdit (NumEdit.h) and the value
// exchange (ValueExchange.h) are built on these.
#pragma once

#include <cstdint>
#include <string_view>

// Key classes of a typed character. A key passes a field when its class AND the field's key
// mask is not 0.
inline constexpr std::uint16_t kKeyControl = 0xFFFF; // code below 32: editing keys, shortcuts
inline constexpr std::uint16_t kKeyNumber = 1;       // one of " 0123456789,.+-$mMkK%"
inline constexpr std::uint16_t kKeyLetter = 2;       // A-Z, a-z that is not a number character
inline constexpr std::uint16_t kKeyOther = 4;        // anything else

// Key masks: a text pattern ("a...") lets everything through, a numeric pattern only the
// number characters and control characters.
inline constexpr std::uint16_t kMaskText = 0xFFFF;
inline constexpr std::uint16_t kMaskNumber = 1;

std::uint16_t KeyClass(char16_t c);
std::uint16_t KeyMaskForFormat(std::string_view format);
inline bool KeyPasses(char16_t c, std::uint16_t mask) { return (KeyClass(c) & mask) != 0; }
// Every character of `text` passes.
bool TextPasses(std::u16string_view text, std::uint16_t mask);

// The value as a field under `format` would show it and read it back.
double ShownValue(double value, std::string_view format);

// A typed number replaces `value` only when it differs from the shown value by more than 0.001,
// so that an untouched field keeps its value at full precision. True when `value` changed.
bool TakeIfChanged(double& value, double typed, std::string_view format);
// As TakeIfChanged for a whole number: the nearest whole number to the typed one, halves away
// from zero (out of range saturates). Text that is no number (NoValue) leaves `value` as it was
// and gives false.
bool TakeIntIfChanged(int& value, double typed, std::string_view format);
