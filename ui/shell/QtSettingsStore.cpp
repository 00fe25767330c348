#include "ui/shell/QtSettingsStore.h"

#include <QEvent>
#include <QStringList>
#include <QVariant>

namespace {

QString Key(std::string_view section, std::string_view name) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// An INI value comes back as text; one edited by hand without quotes around its commas comes
// back as a list. Either way the text is what was stored.
std::optional<QString> ReadText(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return std::nullopt;
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',');
    if (!value.canConvert<QString>()) return std::nullopt;
    return value.toString();
}

} // namespace

QtSettingsStore::QtSettingsStore() : settings_(QStringLiteral("Orvane"), QStringLiteral("VELPPC")) {}

QtSettingsStore::QtSettingsStore(const QString& path) : settings_(path, QSettings::IniFormat) {}

bool QtSettingsStore::Settings::event(QEvent* event) {
    // Swallowed, the request leaves the changes pending; the batch's end writes them.
    if (event->type() == QEvent::UpdateRequest && held) return true;
    return QSettings::event(event);
}

// What another copy of the program wrote since counts from the next read on: QSettings reads
// the file again when its size or time changed (a look at the file, no more, when it did not).
// Not within a batch, whose writes would go out early, nor once writing failed, when every
// look would try the write again.
void QtSettingsStore::Reload() const {
    if (batch_ == 0 && !WriteFailed()) settings_.sync();
}

std::optional<std::int32_t> QtSettingsStore::ReadInt(std::string_view section,
                                                     std::string_view name) const {
    Reload();
    const QVariant value = settings_.value(Key(section, name));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int number = value.typeId() == QMetaType::Int ? value.toInt(&ok)
                                                        : value.toString().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return static_cast<std::int32_t>(number);
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view section,
                                                       std::string_view name) const {
    Reload();
    const auto text = ReadText(settings_, Key(section, name));
    if (!text) return std::nullopt;
    return text->toStdString();
}

// QSettings writes a whole new file beside the old one under a lock file and renames it over
// the old one, merging what another copy of the program wrote meanwhile; a write it cannot
// finish leaves the old file and says so in its status (a parse error of the file as it was
// read says FormatError, which is no failure to write).
void QtSettingsStore::Sync() {
    if (batch_ > 0) return;
    settings_.sync();
    if (settings_.status() == QSettings::AccessError) NoteWriteFailed(FileName().toStdString());
}

// The reads of a batch see the file as it was at its start: one look at the file for all of
// them.
void QtSettingsStore::BeginBatch() {
    Reload();
    ++batch_;
    settings_.held = true;
}

void QtSettingsStore::EndBatch() {
    if (batch_ > 0 && --batch_ == 0) {
        settings_.held = false;
        Sync();
    }
}

// Every change (or batch of changes) goes to the file at once, so that the file always shows
// what the program holds, whatever happens to the program later.
void QtSettingsStore::WriteInt(std::string_view section, std::string_view name,
                               std::int32_t value) {
    settings_.setValue(Key(section, name), static_cast<int>(value));
    Sync();
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    settings_.setValue(Key(section, name),
                       QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    Sync();
}

void QtSettingsStore::Remove(std::string_view section, std::string_view name) {
    settings_.remove(Key(section, name));
    Sync();
}
