// Conversions between the investment's UTF-16 texts and UTF-8.
#pragma once

#include <string>
#include <string_view>

// Lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Malformed sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);
