// The four most recently used files, newest first, kept in the settings store's section
// "Recent File List" as "File1" to "File4".
#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

class RecentFileList {
public:
    static constexpr int kSize = 4;

    // Reads "File1".."File4"; empty and repeated entries are skipped.
    void Load(const SettingsStore& store);
    // Writes the entries as "File1".. and removes the names of the entries not in use.
    void Save(SettingsStore& store) const;

    // Puts a file at the front; an entry of the same file moves there, the oldest falls off.
    void Add(const QString& path);
    void Remove(int index);

    const QStringList& Files() const { return files_; }
    int Size() const { return static_cast<int>(files_.size()); }
    // The menu text of entry `index`: "&1 " and the path, ampersands doubled.
    QString MenuText(int index) const;

private:
    QStringList files_;
};
