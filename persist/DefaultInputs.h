// The default inputs that section "SettingsFile" remembers, in the order in which a new
// investment reads them, and the names of the scales kept beside them.
#pragma once

#include <array>
#include <string_view>

#include "model/Fields.h"

// Each is a field of model/Fields.h that a new investment remembers.
inline constexpr const auto& kDefaultInputs = kRememberedFields;

inline constexpr std::string_view kSettingStampDuty = "StampDuty";
inline constexpr std::string_view kSettingTaxScale = "TaxScale";
// The tax scale's reduced Medicare levy: 1 while it is on; absent while it is off.
inline constexpr std::string_view kSettingTaxScaleShadeIn = "TaxScaleMedicareShadeIn";
