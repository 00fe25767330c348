// What the settings store holds and how: value encodings, scale list texts, the write-through
// helpers of the editors, "Save Settings", "Delete settings" and the colours.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "model/Scales.h"
#include "persist/SettingsStore.h"

class Investment;

// Section "SettingsFile": ints are numbers, doubles are texts under "0.00". A double whose
// text is no number reads as its built-in value.
int ReadSettingInt(const SettingsStore& store, std::string_view name, int builtIn);
double ReadSettingDouble(const SettingsStore& store, std::string_view name, double builtIn);
void WriteSettingInt(SettingsStore& store, std::string_view name, int value);
void WriteSettingDouble(SettingsStore& store, std::string_view name, double value);
// Writes a field of the record (model/Fields.h, model/Assumptions.h) under its own name.
void StoreField(SettingsStore& store, const Investment& doc, double Investment::*field);
void StoreField(SettingsStore& store, const Investment& doc, int Investment::*field);
// A field remembered for new investments; StoreFields writes a list of them in its order.
using RememberedField = std::variant<double Investment::*, int Investment::*>;
void StoreFields(SettingsStore& store, const Investment& doc,
                 std::initializer_list<RememberedField> fields);

// Scale list texts: every number followed by a comma; whole numbers under "0", others "0.00".
std::string DutyScaleToText(const DutyScale& scale);
std::string TaxScaleToText(const TaxScale& scale);
// Reading fills every field in order; missing items read as 0. Count is limited to 0..10.
DutyScale DutyScaleFromText(std::string_view text);
TaxScale TaxScaleFromText(std::string_view text);
// As above, but an item that is not a number keeps the value that `base` holds instead of
// becoming 0 or NoValue.
DutyScale DutyScaleFromText(std::string_view text, const DutyScale& base);
TaxScale TaxScaleFromText(std::string_view text, const TaxScale& base);

// Where the store holds "StampDuty" / "TaxScale", that scale of `scales` is read from it.
void LoadScalesFromSettings(const SettingsStore& store, Scales& scales);

void StoreStampDuty(SettingsStore& store, const DutyScale& scale);
void StoreTaxScale(SettingsStore& store, const TaxScale& scale);
void StoreLinkSwitches(SettingsStore& store, const Investment& doc);
// "Save Settings": the scales, the switches and every default input of the current investment.
void SaveSettings(SettingsStore& store, const Investment& doc, const Scales& scales);
// The inputs beyond the file's fixed layout (model/Assumptions.h) as the next investment's
// defaults, under their own value names.
void StoreAssumptions(SettingsStore& store, const Investment& doc);
// "Delete settings": every value of "SettingsFile" (the assumptions' included) and the five
// colours.
void DeleteSettings(SettingsStore& store);

// Colours, 0x00BBGGRR.
inline constexpr std::uint32_t kAutomaticColour = 0xFF000000u;
inline constexpr std::uint32_t RGBColour(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
struct Colours {
    std::uint32_t BG1Color = RGBColour(220, 255, 255);
    std::uint32_t BG2Color = RGBColour(255, 255, 255);
    std::uint32_t GR1Color = RGBColour(0, 0, 255);
    std::uint32_t GR2Color = RGBColour(255, 0, 0);
    std::uint32_t GR3Color = RGBColour(0, 255, 0);
    bool operator==(const Colours&) const = default;
};
// The five colours in use for the whole run.
extern Colours CurrentColours;
// Each colour present and not empty in section "Settings" replaces its built-in default.
Colours ReadColours(const SettingsStore& store);
void WriteColours(SettingsStore& store, const Colours& colours);
