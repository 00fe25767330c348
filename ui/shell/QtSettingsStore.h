// The per-user settings store of the program: QSettings("Orvane", "VELPPC"), an INI file at
// ~/.config/Orvane/VELPPC.conf with the sections "SettingsFile", "Settings" and
// "Recent File List".
#pragma once

#include <QSettings>
#include <QString>

#include "persist/SettingsStore.h"

class QtSettingsStore : public SettingsStore {
public:
    // The user's store.
    QtSettingsStore();
    // A store in the INI file at `path` (tests, other profiles).
    explicit QtSettingsStore(const QString& path);

    std::optional<std::int32_t> ReadInt(std::string_view section,
                                        std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view name) const override;
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    void Remove(std::string_view section, std::string_view name) override;
    void BeginBatch() override;
    void EndBatch() override;

    QString FileName() const { return settings_.fileName(); }

private:
    // QSettings writes its changes by itself at the event loop's next turn; within a batch
    // those wait for the batch's end.
    class Settings : public QSettings {
    public:
        using QSettings::QSettings;
        bool held = false;

    protected:
        bool event(QEvent* event) override;
    };

    // Writes the changes to the file; a write that does not reach it is told to the user once.
    void Sync();
    void Reload() const;

    mutable Settings settings_;
    int batch_ = 0;
};
