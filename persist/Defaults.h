// New investments: defaults from the settings store, then a recalculation.
#pragma once

class Investment;
class SettingsStore;
struct Scales;

// Gives every field its default: the table cleared, the stored scales loaded into `scales`,
// texts empty, amounts 0, each default input from section "SettingsFile" or its built-in value.
void ResetToDefaults(Investment& doc, Scales& scales, const SettingsStore& store);

// New: reset, then recalculate under `scales`.
bool NewInvestment(Investment& doc, Scales& scales, const SettingsStore& store);

// Whether the store holds none of the defaults of new investments and no scale: a user's
// first start, before any editor or "Save Settings" remembered anything.
bool HoldsNoDefaults(const SettingsStore& store);
// A new investment of a first start follows today's law: "Australia by income year", bought
// in `month` of `year` (the caller's today), an established dwelling. Not recalculated.
void ApplyFirstStartLaw(Investment& doc, int year, int month);
