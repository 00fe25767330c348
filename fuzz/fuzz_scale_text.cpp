// Scale list texts from a damaged settings store: no crash, Count always 0..10, the
// computations stay inside the rows, and a scale written and read settles after one round.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Scales.h"
#include "persist/Settings.h"

namespace {

// One kind of scale: read from the text, its count in range, computed at an ordinary amount and
// a negative one, and written and read until it settles.
template <class Scale>
void CheckScale(const std::string& text, Scale (*fromText)(std::string_view),
                std::string (*toText)(const Scale&), double (*compute)(double, const Scale&),
                double amount, double negative) {
    Scale scale = fromText(text);
    if (scale.Count < 0 || scale.Count > kScaleRows) std::abort();
    (void)compute(amount, scale);
    (void)compute(negative, scale);
    std::string once = toText(scale);
    std::string twice = toText(fromText(once));
    if (toText(fromText(twice)) != twice) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CheckScale<DutyScale>(text, DutyScaleFromText, DutyScaleToText, ComputeStampDuty, 350000.0,
                          -1.0);
    CheckScale<TaxScale>(text, TaxScaleFromText, TaxScaleToText, ComputeIncomeTax, 47000.0, -5.0);
    return 0;
}
