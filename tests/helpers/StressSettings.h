// What the writer processes of the tests put in the settings, and the check that a settings
// file they wrote is sound: it parses, and each "Save Settings" is there whole or not at all.
#pragma once

#include <QSettings>
#include <QString>

#include <cmath>

// The interest rate and the conveyancing that "Save Settings" of round i writes.
inline double StressRate(int i) { return 1 + (i % 900) / 100.0; }
inline double StressConveyancing(int i) { return 1000 + i % 900; }

inline bool SoundSettingsFile(const QString& path) {
    QSettings check(path, QSettings::IniFormat);
    if (check.status() != QSettings::NoError) return false;
    const QVariant rate = check.value(QStringLiteral("SettingsFile/RateInterest"));
    const QVariant conveyancing = check.value(QStringLiteral("SettingsFile/Conveyancing"));
    if (!rate.isValid() && !conveyancing.isValid()) return true;
    bool rateRead = false, conveyancingRead = false;
    const double r = rate.toString().toDouble(&rateRead);
    const double c = conveyancing.toString().toDouble(&conveyancingRead);
    // Both of one round: the rate's hundredths and the conveyancing's units agree.
    return rateRead && conveyancingRead && r >= 1 && r < 10 &&
           std::lround((r - 1) * 100) == std::lround(c - 1000);
}
