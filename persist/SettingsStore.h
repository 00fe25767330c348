// The per-user key-value store with sections that remembers defaults, scales and colours.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

inline constexpr std::string_view kSectionSettingsFile = "SettingsFile";
inline constexpr std::string_view kSectionSettings = "Settings";
inline constexpr std::string_view kSectionRecentFiles = "Recent File List";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A missing value, or one of the other kind that cannot be read as asked, is nullopt.
    virtual std::optional<std::int32_t> ReadInt(std::string_view section,
                                                std::string_view name) const = 0;
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view name) const = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;
    virtual void Remove(std::string_view section, std::string_view name) = 0;
    // A store with a file writes each change at once, except between these two: the changes
    // made in between reach the file together at the end, all of them or (after a crash)
    // none, and the reads in between see the file as it was at the start (with the batch's own
    // changes). They nest; use SettingsBatch.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}

    // Told once, at the first write that does not reach the store's file (no space left, a
    // folder or a file that cannot be written), with the file's name. What was written is
    // still read back for the rest of the run; it is only not remembered after it.
    std::function<void(const std::string& where)> onWriteFailed;
    bool WriteFailed() const { return writeFailed_; }
    // Every write that did not reach the file counts, told or not, so that an explicit
    // command can report its own failure; with the file's name.
    unsigned FailedWrites() const { return failedWrites_; }
    const std::string& FailedFile() const { return failedFile_; }

protected:
    void NoteWriteFailed(const std::string& where);

private:
    bool writeFailed_ = false;
    unsigned failedWrites_ = 0;
    std::string failedFile_;
};

// The writes of one command ("Save Settings", an accepted editor) as one batch.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store) : store_(store) { store_.BeginBatch(); }
    ~SettingsBatch() { store_.EndBatch(); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& store_;
};

// A store in memory, for tests and tools.
class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<std::int32_t, std::string>;

    std::optional<std::int32_t> ReadInt(std::string_view section,
                                        std::string_view name) const override;
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view name) const override;
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    void Remove(std::string_view section, std::string_view name) override;

    // Every write in order, as "section/name=value", for tests that check the order of writes.
    std::vector<std::string> log;
    std::map<std::pair<std::string, std::string>, Value> values;
};
