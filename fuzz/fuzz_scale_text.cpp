// Scale list texts from a damaged settings store: no crash, Count always 0..10, the
// computations stay inside the rows, and a scale written and read settles after one round.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Scales.h"
#include "persist/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    DutyScale duty = DutyScaleFromText(text);
    if (duty.Count < 0 || duty.Count > kScaleRows) std::abort();
    (void)ComputeStampDuty(350000.0, duty);
    (void)ComputeStampDuty(-1.0, duty);
    std::string d1 = DutyScaleToText(duty);
    std::string d2 = DutyScaleToText(DutyScaleFromText(d1));
    std::string d3 = DutyScaleToText(DutyScaleFromText(d2));
    if (d2 != d3) std::abort();

    TaxScale tax = TaxScaleFromText(text);
    if (tax.Count < 0 || tax.Count > kScaleRows) std::abort();
    (void)ComputeIncomeTax(47000.0, tax);
    (void)ComputeIncomeTax(-5.0, tax);
    std::string t1 = TaxScaleToText(tax);
    std::string t2 = TaxScaleToText(TaxScaleFromText(t1));
    std::string t3 = TaxScaleToText(TaxScaleFromText(t2));
    if (t2 != t3) std::abort();
    return 0;
}
