#include "ui/shell/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include <string>

#include "persist/SettingsStore.h"

namespace {

std::string EntryName(int index) { return "File" + std::to_string(index + 1); }

QString Normalised(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

// Menu entries stay readable: a long path keeps its start and its file name.
constexpr int kMenuTextLength = 60;

} // namespace

void RecentFileList::Load(const SettingsStore& store) {
    files_.clear();
    for (int i = 0; i < kSize; ++i) {
        const auto text = store.ReadString(kSectionRecentFiles, EntryName(i));
        if (!text) continue;
        const QString path = Normalised(QString::fromStdString(*text));
        if (!path.isEmpty() && !files_.contains(path)) files_.append(path);
    }
}

void RecentFileList::Save(SettingsStore& store) const {
    for (int i = 0; i < kSize; ++i) {
        if (i < Size())
            store.WriteString(kSectionRecentFiles, EntryName(i), files_[i].toStdString());
        else
            store.Remove(kSectionRecentFiles, EntryName(i));
    }
}

void RecentFileList::Add(const QString& path) {
    const QString file = Normalised(path);
    if (file.isEmpty()) return;
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > kSize) files_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < Size()) files_.removeAt(index);
}

QString RecentFileList::MenuText(int index) const {
    if (index < 0 || index >= Size()) return {};
    QString path = QDir::toNativeSeparators(files_[index]);
    if (path.size() > kMenuTextLength) {
        const QString name = QFileInfo(files_[index]).fileName();
        const qsizetype keep = std::max<qsizetype>(kMenuTextLength - name.size() - 4, 3);
        path = path.left(keep) + QStringLiteral("...") + QDir::separator() + name;
    }
    path.replace('&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}
