// Typed text and stored numbers: ParseValue never crashes and never returns NaN.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "format/Format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    double v = ParseValue(text);
    if (std::isnan(v)) std::abort();
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        wide += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (std::isnan(ParseValue(wide))) std::abort();
    return 0;
}
