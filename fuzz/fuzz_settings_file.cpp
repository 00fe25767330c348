// Any bytes as the settings file, read as a new investment reads it: every default input,
// every assumption, both scales and the colours. The file is INI text (what the desktop's
// settings file holds); a small reader here turns it into a store in memory, since the
// program's own reader needs Qt. Whatever the file holds, the new investment stays inside its
// limits, its table holds numbers or the no-value marker, it saves and reads back to the same
// bytes, and settings written from it read back to the same investment once settled.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "model/Investment.h"
#include "model/RecordHistory.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "fuzz/FuzzSupport.h"
#include "persist/InvestmentFile.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// "[section]" starts a section; "name=value" sets a value, quotes around it dropped; every
// other line is ignored. Values are kept as text, as the desktop's file holds them.
MemorySettingsStore ReadIni(std::string_view text) {
    MemorySettingsStore store;
    std::string section;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view value = trimmed(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        store.values[{section, std::string(trimmed(line.substr(0, eq)))}] = std::string(value);
    }
    return store;
}

void checkLimited(const Investment& doc, const Scales& scales) {
    Investment limited = doc;
    limited.LimitInputs();
    if (!SameFields(limited, doc)) std::abort();
    for (int count : {scales.duty.Count, scales.tax.Count})
        if (count < 0 || count > kScaleRows) std::abort();
    for (double cell : doc.table)
        if (!std::isfinite(cell)) std::abort();
}

// A new investment from the store, as File New makes it.
Investment newInvestment(const SettingsStore& store, Scales& scales) {
    Investment doc;
    if (!NewInvestment(doc, scales, store)) std::abort();
    checkLimited(doc, scales);
    return doc;
}

// The same with a purchase, so that the table fills.
Investment withPurchase(const SettingsStore& store, Scales& scales) {
    Investment doc = newInvestment(store, scales);
    doc.Price = 300000;
    doc.MarketValue = 300000;
    doc.Rent = 350;
    doc.Recalculate(scales);
    checkLimited(doc, scales);
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MemorySettingsStore store =
        ReadIni(std::string_view(reinterpret_cast<const char*>(data), size));
    Scales scales;
    const Investment doc = withPurchase(store, scales);
    (void)ReadColours(store);

    const std::string bytes = fuzz::Save(doc, scales);
    Investment again;
    Scales againScales;
    std::istringstream in(bytes);
    fuzz::QuietSink sink;
    if (!LoadInvestment(again, againScales, in, &sink) || fuzz::Save(again, againScales) != bytes)
        std::abort();

    // Settings saved from the investment and read again settle after one round.
    MemorySettingsStore first;
    SaveSettings(first, doc, scales);
    Scales oneScales;
    const RecordState one = RecordState::Capture(newInvestment(first, oneScales), oneScales);
    MemorySettingsStore second;
    SaveSettings(second, one.record, one.scales);
    Scales twoScales;
    const RecordState two = RecordState::Capture(newInvestment(second, twoScales), twoScales);
    if (!(one == two)) std::abort();
    return 0;
}
