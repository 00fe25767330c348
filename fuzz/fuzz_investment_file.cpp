// Any bytes given to the investment file reader: no crash, no undefined behaviour, and a file
// that reads writes back to bytes that read again to the same record.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::QuietSink sink;
    Investment doc;
    Scales scales;
    std::string before = fuzz::Save(doc, scales);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!LoadInvestment(doc, scales, in, &sink)) {
        // A failed read changes nothing.
        if (fuzz::Save(doc, scales) != before) std::abort();
        return 0;
    }
    std::string first = fuzz::Save(doc, scales);
    Investment again;
    Scales againScales;
    std::istringstream in2(first);
    if (!LoadInvestment(again, againScales, in2, &sink)) std::abort();
    if (fuzz::Save(again, againScales) != first) std::abort();
    return 0;
}
