// Any bytes after a sound fixed layout, as an investment file's extension block: the file
// always opens with the fixed layout's record, a damaged block leaves the assumptions at
// their built-in values with one message, and what opens writes back to bytes that read
// again to the same record.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/Investment.h"
#include "model/Scales.h"
#include "fuzz/FuzzSupport.h"
#include "persist/InvestmentFile.h"

namespace {
class CountingSink : public MessageSink {
public:
    void Message(const std::string&) override { ++count; }
    int count = 0;
};

// A filled-in investment's fixed layout, written once.
const std::string& fixedPart() {
    static const std::string bytes = [] {
        const Scales scales;
        Investment doc;
        doc.Price = 300000;
        doc.MarketValue = 300000;
        doc.Rent = 350;
        doc.Recalculate(scales);
        return fuzz::Save(doc, scales);
    }();
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& fixed = fixedPart();
    CountingSink sink;
    Investment doc;
    Scales scales;
    std::istringstream in(fixed + std::string(reinterpret_cast<const char*>(data), size));
    if (!LoadInvestment(doc, scales, in, &sink, "fuzz.vel")) std::abort();
    if (sink.count > 1) std::abort();
    const std::string first = fuzz::Save(doc, scales);
    if (first.compare(0, fixed.size(), fixed) != 0) std::abort();
    if (sink.count == 1 && first.size() != fixed.size()) std::abort();

    Investment again;
    Scales againScales;
    std::istringstream in2(first);
    CountingSink quiet;
    if (!LoadInvestment(again, againScales, in2, &quiet) || quiet.count != 0) std::abort();
    if (fuzz::Save(again, againScales) != first) std::abort();
    return 0;
}
