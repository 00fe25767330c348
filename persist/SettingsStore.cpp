#include "persist/SettingsStore.h"

#include <charconv>

namespace {

std::pair<std::string, std::string> key(std::string_view section, std::string_view name) {
    return {std::string(section), std::string(name)};
}

std::string logName(std::string_view section, std::string_view name) {
    std::string s(section);
    s += '/';
    s += name;
    return s;
}

} // namespace

void SettingsStore::NoteWriteFailed(const std::string& where) {
    ++failedWrites_;
    failedFile_ = where;
    if (writeFailed_) return;
    writeFailed_ = true;
    if (onWriteFailed) onWriteFailed(where);
}

// A value of the other kind is converted where that is lossless, as a registry read through
// a text-based store would be: a string that is a whole 32-bit number reads as an int, and an
// int always reads as its decimal text.
std::optional<std::int32_t> MemorySettingsStore::ReadInt(std::string_view section,
                                                         std::string_view name) const {
    auto it = values.find(key(section, name));
    if (it == values.end()) return std::nullopt;
    if (const auto* i = std::get_if<std::int32_t>(&it->second)) return *i;
    const std::string& s = std::get<std::string>(it->second);
    std::int32_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<std::string> MemorySettingsStore::ReadString(std::string_view section,
                                                           std::string_view name) const {
    auto it = values.find(key(section, name));
    if (it == values.end()) return std::nullopt;
    if (const auto* i = std::get_if<std::int32_t>(&it->second)) return std::to_string(*i);
    return std::get<std::string>(it->second);
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view name,
                                   std::int32_t value) {
    values[key(section, name)] = value;
    log.push_back(logName(section, name) + "=" + std::to_string(value));
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view name,
                                      std::string_view value) {
    values[key(section, name)] = std::string(value);
    log.push_back(logName(section, name) + "=" + std::string(value));
}

void MemorySettingsStore::Remove(std::string_view section, std::string_view name) {
    values.erase(key(section, name));
    log.push_back(logName(section, name) + " removed");
}
