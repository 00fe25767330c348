// Any double under every format string in use: at most 79 characters, and under "0.00" the
// text reads back to the value to two decimals.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "format/Format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const kFormats[] = {"a",     "0",    "0y",    "0,m",  "$0,m", "$#,m",
                                           "$0,m(", "0.00%", "%0.00", "0.00", "#.00"};
    if (size < sizeof(double)) return 0;
    double v;
    std::memcpy(&v, data, sizeof v);
    for (const char* f : kFormats) {
        std::string text = FormatValue(v, f);
        if (text.empty() || text.size() > kMaxFormattedLength) std::abort();
    }
    // Exactly representable to the cent only while the magnitude leaves room for two decimals.
    if (std::isfinite(v) && !IsNoValue(v) && std::fabs(v) < 1e13) {
        double back = ParseValue(FormatValue(v, "0.00"));
        if (std::fabs(back - v) > 0.005 + std::fabs(v) * 1e-15) std::abort();
    }
    return 0;
}
