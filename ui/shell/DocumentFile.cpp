#include "ui/shell/DocumentFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

namespace {
constexpr auto kDigest = QCryptographicHash::Sha256;
}

bool WriteFileReplacing(const QString& path, const QByteArray& bytes, QString& reason) {
    // Unbuffered, so that a short write (a full disk, a size limit) shows here: a buffered
    // flush can take one for success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    const qint64 size = bytes.size();
    qint64 written = 0;
    while (written < size) {
        const qint64 n = file.write(bytes.constData() + written, size - written);
        if (n <= 0) break;
        written += n;
    }
    if (written != size) {
        file.cancelWriting();
        reason = QStringLiteral("Only %1 of %2 bytes could be written; the disk may be full.")
                     .arg(written)
                     .arg(size);
        return false;
    }
    // The commit puts the bytes on disk before the new file takes the name.
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

QByteArray FileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return FileDigest({}, file);
}

QByteArray FileDigest(const QByteArray& head, QIODevice& rest) {
    QCryptographicHash hash(kDigest);
    hash.addData(head);
    if (!rest.atEnd() && !hash.addData(&rest)) return {};
    return hash.result();
}

QByteArray BytesDigest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, kDigest);
}
