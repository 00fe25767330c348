#include "persist/Defaults.h"

#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/DefaultInputs.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"

void ResetToDefaults(Investment& doc, Scales& scales, const SettingsStore& store) {
    doc.ResetFixedDefaults();
    // The stored scales come first: where the store holds none, the scale in force stays.
    LoadScalesFromSettings(store, scales);
    // Each default on its own, so one bad value does not cost the others theirs.
    for (const RecordField& d : kDefaultInputs) {
        if (d.intField)
            doc.*d.intField = ReadSettingInt(store, d.name, static_cast<int>(d.builtIn));
        else
            doc.*d.doubleField = ReadSettingDouble(store, d.name, d.builtIn);
    }
    for (const AssumptionInput& a : kAssumptionInputs) {
        if (!IsRemembered(a)) continue;
        if (a.intField)
            doc.*a.intField = ReadSettingInt(store, a.name, static_cast<int>(a.builtIn));
        else
            doc.*a.doubleField = ReadSettingDouble(store, a.name, a.builtIn);
    }
    if (auto steps = store.ReadString(kSectionSettingsFile, kRateStepsName))
        doc.RateSteps = ParseRateSteps(*steps);
    // The store is outside our control: keep its years and choices out of the table's range
    // and out of divisions.
    doc.LimitInputs();
}

bool HoldsNoDefaults(const SettingsStore& store) {
    auto held = [&](std::string_view name) {
        return store.ReadString(kSectionSettingsFile, name).has_value() ||
               store.ReadInt(kSectionSettingsFile, name).has_value();
    };
    if (held(kSettingStampDuty) || held(kSettingTaxScale)) return false;
    for (const RecordField& d : kDefaultInputs)
        if (held(d.name)) return false;
    for (const AssumptionInput& a : kAssumptionInputs)
        if (held(a.name)) return false;
    if (held(kRateStepsName)) return false;
    return true;
}

void ApplyFirstStartLaw(Investment& doc, int year, int month) {
    doc.TaxLaw = kAustraliaByIncomeYear;
    doc.PurchaseYear = year;
    doc.PurchaseMonth = month;
    doc.NewBuild = 0;
    doc.LimitInputs();
}

bool NewInvestment(Investment& doc, Scales& scales, const SettingsStore& store) {
    ResetToDefaults(doc, scales, store);
    doc.Recalculate(scales);
    return true;
}
