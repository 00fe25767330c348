// Any bytes given to the investment file reader: no crash, no undefined behaviour, and a file
// that reads writes back to bytes that read again to the same record.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"

namespace {
class QuietSink : public MessageSink {
public:
    void Message(const std::string&) override {}
};

std::string save(const CVELPPCDoc& doc) {
    std::ostringstream out;
    if (!SaveInvestment(doc, out)) std::abort();
    return out.str();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetScalesToStartup();
    QuietSink sink;
    CVELPPCDoc doc;
    std::string before = save(doc);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    if (!LoadInvestment(doc, in, &sink)) {
        // A failed read changes nothing.
        if (save(doc) != before) std::abort();
        return 0;
    }
    std::string first = save(doc);
    CVELPPCDoc again;
    std::istringstream in2(first);
    if (!LoadInvestment(again, in2, &sink)) std::abort();
    if (save(again) != first) std::abort();
    return 0;
}
