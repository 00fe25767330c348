#include "persist/Settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Assumptions.h"
#include "persist/DefaultInputs.h"

Colours CurrentColours;

namespace {

constexpr std::string_view kWholeFormat = "0";
constexpr std::string_view kDoubleFormat = "0.00";

// A string value that is missing or empty counts as absent.
std::optional<std::string> readPresent(const SettingsStore& store, std::string_view section,
                                       std::string_view name) {
    auto s = store.ReadString(section, name);
    if (!s || s->empty()) return std::nullopt;
    return s;
}

// --- scale list texts ---

class ListWriter {
public:
    void whole(double v) { item(v, kWholeFormat); }
    void number(double v) { item(v, kDoubleFormat); }
    template <std::size_t N> void wholes(const std::array<std::int16_t, N>& a) {
        for (auto v : a) whole(v);
    }
    template <std::size_t N> void numbers(const std::array<double, N>& a) {
        for (double v : a) number(v);
    }
    std::string text;

private:
    void item(double v, std::string_view format) {
        text += FormatValue(v, format);
        text += ',';
    }
};

class ListReader {
public:
    explicit ListReader(std::string_view text) : text_(text) {}

    double number() {
        // An item starts after leading spaces and runs to the next comma; past the end of
        // the text every item is empty, which reads as 0.
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        std::size_t end = text_.find(',', pos_);
        if (end == std::string_view::npos) end = text_.size();
        double v = ParseValue(text_.substr(pos_, end - pos_));
        pos_ = end < text_.size() ? end + 1 : end;
        return v;
    }
    // Whole-number fields truncate toward zero and saturate; an item that is no number keeps
    // the field as it was.
    void whole(std::int16_t& field) {
        double v = number();
        if (!IsNoValue(v)) field = SaturateToInt16(v);
    }
    template <std::size_t N> void wholes(std::array<std::int16_t, N>& a) {
        for (auto& v : a) whole(v);
    }
    // An item that is no number keeps the field as it was too, so that one damaged item
    // never reaches a computation.
    void number(double& field) {
        double v = number();
        if (!IsNoValue(v)) field = v;
    }
    template <std::size_t N> void numbers(std::array<double, N>& a) {
        for (double& v : a) number(v);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::int16_t limitCount(std::int16_t count) {
    return static_cast<std::int16_t>(std::clamp<int>(count, 0, kScaleRows));
}

void writeScaleText(SettingsStore& store, std::string_view name, const std::string& text) {
    store.WriteString(kSectionSettingsFile, name, text);
}

struct ColourSetting {
    std::string_view name;
    std::uint32_t Colours::*field;
};
constexpr std::array<ColourSetting, 5> kColourSettings = {{
    {"BG1Color", &Colours::BG1Color},
    {"BG2Color", &Colours::BG2Color},
    {"GR1Color", &Colours::GR1Color},
    {"GR2Color", &Colours::GR2Color},
    {"GR3Color", &Colours::GR3Color},
}};

} // namespace

int ReadSettingInt(const SettingsStore& store, std::string_view name, int builtIn) {
    return store.ReadInt(kSectionSettingsFile, name).value_or(builtIn);
}

double ReadSettingDouble(const SettingsStore& store, std::string_view name, double builtIn) {
    auto s = readPresent(store, kSectionSettingsFile, name);
    if (!s) return builtIn;
    // Text that is no number gives the built-in value rather than NoValue in an input.
    const double v = ParseValue(*s);
    return IsNoValue(v) ? builtIn : v;
}

void WriteSettingInt(SettingsStore& store, std::string_view name, int value) {
    store.WriteInt(kSectionSettingsFile, name, value);
}

void WriteSettingDouble(SettingsStore& store, std::string_view name, double value) {
    store.WriteString(kSectionSettingsFile, name, FormatValue(value, kDoubleFormat));
}

namespace {

// The order of a scale's items in its text: one list, which the writer and the reader both go
// through, so that what is written is what is read back. Every scale starts with its rows.
constexpr auto kRowItems = [](auto& list, auto& s) {
    list.whole(s.Count);
    list.numbers(s.Above);
    list.numbers(s.Rate);
};
constexpr auto kDutyScaleItems = [](auto& list, auto& s) {
    kRowItems(list, s);
    list.wholes(s.Flat);
    list.number(s.BaseDuty);
    list.whole(s.Location);
};
constexpr auto kTaxScaleItems = [](auto& list, auto& s) {
    kRowItems(list, s);
    list.number(s.MedicareRate);
    list.number(s.MedicareThreshold);
    list.whole(s.Location);
};

template <class Scale, class Items> std::string ScaleToText(const Scale& scale, Items items) {
    ListWriter w;
    items(w, scale);
    return w.text;
}

// Items missing or no number keep the base's values; the row count is kept in range.
template <class Scale, class Items>
Scale ScaleFromText(std::string_view text, const Scale& base, Items items) {
    Scale s = base;
    ListReader r(text);
    items(r, s);
    s.Count = limitCount(s.Count);
    return s;
}

} // namespace

std::string DutyScaleToText(const DutyScale& scale) { return ScaleToText(scale, kDutyScaleItems); }
std::string TaxScaleToText(const TaxScale& scale) { return ScaleToText(scale, kTaxScaleItems); }

DutyScale DutyScaleFromText(std::string_view text, const DutyScale& base) {
    return ScaleFromText(text, base, kDutyScaleItems);
}
TaxScale TaxScaleFromText(std::string_view text, const TaxScale& base) {
    return ScaleFromText(text, base, kTaxScaleItems);
}

DutyScale DutyScaleFromText(std::string_view text) { return DutyScaleFromText(text, {}); }
TaxScale TaxScaleFromText(std::string_view text) { return TaxScaleFromText(text, {}); }

void LoadScalesFromSettings(const SettingsStore& store, Scales& scales) {
    if (auto s = readPresent(store, kSectionSettingsFile, kSettingStampDuty))
        scales.duty = DutyScaleFromText(*s, scales.duty);
    if (auto s = readPresent(store, kSectionSettingsFile, kSettingTaxScale)) {
        scales.tax = TaxScaleFromText(*s, scales.tax);
        scales.tax.MedicareShadeIn = ReadSettingInt(store, kSettingTaxScaleShadeIn, 0) != 0;
    }
}

void StoreStampDuty(SettingsStore& store, const DutyScale& scale) {
    writeScaleText(store, kSettingStampDuty, DutyScaleToText(scale));
}

void StoreTaxScale(SettingsStore& store, const TaxScale& scale) {
    SettingsBatch batch(store);
    writeScaleText(store, kSettingTaxScale, TaxScaleToText(scale));
    // Kept out of the scale's text, which other readers know field by field.
    if (scale.MedicareShadeIn) WriteSettingInt(store, kSettingTaxScaleShadeIn, 1);
    else if (store.ReadString(kSectionSettingsFile, kSettingTaxScaleShadeIn))
        store.Remove(kSectionSettingsFile, kSettingTaxScaleShadeIn);
}

namespace {

// The settings name of a field; every field a program writes is in one of the two tables.
template <class T> std::string_view NameOf(T Investment::*field) {
    for (const RecordField& f : kRecordFields)
        if constexpr (std::is_same_v<T, double>) {
            if (f.doubleField == field) return f.name;
        } else {
            if (f.intField == field) return f.name;
        }
    for (const AssumptionInput& a : kAssumptionInputs)
        if constexpr (std::is_same_v<T, double>) {
            if (a.doubleField == field) return a.name;
        } else {
            if (a.intField == field) return a.name;
        }
    std::abort();
}

} // namespace

void StoreField(SettingsStore& store, const Investment& doc, double Investment::*field) {
    WriteSettingDouble(store, NameOf(field), doc.*field);
}

void StoreField(SettingsStore& store, const Investment& doc, int Investment::*field) {
    WriteSettingInt(store, NameOf(field), doc.*field);
}

void StoreFields(SettingsStore& store, const Investment& doc,
                 std::initializer_list<RememberedField> fields) {
    for (const RememberedField& field : fields)
        std::visit([&](auto member) { StoreField(store, doc, member); }, field);
}

void StoreLinkSwitches(SettingsStore& store, const Investment& doc) {
    SettingsBatch batch(store);
    // The order of the linked-variables dialog, not the order of the defaults.
    StoreFields(store, doc,
                {&Investment::UseSDScale, &Investment::CalcDeposit, &Investment::CalcLoanCosts,
                 &Investment::CalcExpenses, &Investment::CalcDepFitt, &Investment::CalcDepBuild});
}

void SaveSettings(SettingsStore& store, const Investment& doc, const Scales& scales) {
    SettingsBatch batch(store);
    StoreStampDuty(store, scales.duty);
    StoreTaxScale(store, scales.tax);
    StoreLinkSwitches(store, doc);
    for (const RecordField& d : kDefaultInputs) {
        if (d.role == FieldRole::Switch) continue;
        if (d.intField) WriteSettingInt(store, d.name, doc.*d.intField);
        else WriteSettingDouble(store, d.name, doc.*d.doubleField);
    }
    StoreAssumptions(store, doc);
}

void StoreAssumptions(SettingsStore& store, const Investment& doc) {
    SettingsBatch batch(store);
    for (const AssumptionInput& a : kAssumptionInputs) {
        if (!IsRemembered(a)) continue;
        if (a.intField) WriteSettingInt(store, a.name, doc.*a.intField);
        else WriteSettingDouble(store, a.name, doc.*a.doubleField);
    }
    store.WriteString(kSectionSettingsFile, kRateStepsName, RateStepsText(doc.RateSteps));
}

void DeleteSettings(SettingsStore& store) {
    SettingsBatch batch(store);
    store.Remove(kSectionSettingsFile, kSettingStampDuty);
    store.Remove(kSectionSettingsFile, kSettingTaxScale);
    store.Remove(kSectionSettingsFile, kSettingTaxScaleShadeIn);
    for (const RecordField& d : kDefaultInputs) store.Remove(kSectionSettingsFile, d.name);
    for (const AssumptionInput& a : kAssumptionInputs)
        if (IsRemembered(a)) store.Remove(kSectionSettingsFile, a.name);
    store.Remove(kSectionSettingsFile, kRateStepsName);
    for (const ColourSetting& c : kColourSettings) store.Remove(kSectionSettings, c.name);
}

Colours ReadColours(const SettingsStore& store) {
    Colours colours;
    for (const ColourSetting& c : kColourSettings) {
        auto s = readPresent(store, kSectionSettings, c.name);
        if (!s) continue;
        double v = ParseValue(*s);
        if (IsNoValue(v)) continue;
        // Stored signed ("%ld"); reduce modulo 2^32 so that both signed and unsigned decimal
        // texts give the same 0x00BBGGRR value.
        colours.*c.field = static_cast<std::uint32_t>(SaturateToInt64(v));
    }
    return colours;
}

void WriteColours(SettingsStore& store, const Colours& colours) {
    SettingsBatch batch(store);
    for (const ColourSetting& c : kColourSettings) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%ld",
                      static_cast<long>(static_cast<std::int32_t>(colours.*c.field)));
        store.WriteString(kSectionSettings, c.name, buf);
    }
}
