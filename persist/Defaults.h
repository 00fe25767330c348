// New investments: defaults from the settings store, then a recalculation.
#pragma once

class CVELPPCDoc;
class SettingsStore;

// Gives every field its default: the table cleared, the stored scales loaded, texts empty,
// amounts 0, each default input from section "SettingsFile" or its built-in value.
void ResetToDefaults(CVELPPCDoc& doc, const SettingsStore& store);

// The framework's New: reset, recalculate without marking changed, clear the modified flag.
bool NewInvestment(CVELPPCDoc& doc, const SettingsStore& store);
