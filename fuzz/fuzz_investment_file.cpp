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
    ResetScalesToStartup();
    fuzz::QuietSink sink;
    CVELPPCDoc doc;
    std::string before = fuzz::Save(doc);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!LoadInvestment(doc, in, &sink)) {
        // A failed read changes nothing.
        if (fuzz::Save(doc) != before) std::abort();
        return 0;
    }
    std::string first = fuzz::Save(doc);
    CVELPPCDoc again;
    std::istringstream in2(first);
    if (!LoadInvestment(again, in2, &sink)) std::abort();
    if (fuzz::Save(again) != first) std::abort();
    return 0;
}
