#include "ui/shell/DocumentFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include "persist/InvestmentFile.h"
#include "persist/WholeFile.h"

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool ReadDocumentBytes(const QString& path, QByteArray& bytes, QString& reason) {
    std::string read, why;
    if (!ReadInvestmentFileBytes(LocalPath(path), read, why)) {
        reason = QString::fromLocal8Bit(why);
        return false;
    }
    bytes = QByteArray::fromStdString(read);
    return true;
}

bool WriteFileReplacing(const QString& path, const QByteArray& bytes, QString& reason) {
    std::string why;
    if (WriteFileAtomically(LocalPath(path), std::string_view(bytes.constData(), bytes.size()), why))
        return true;
    reason = QString::fromLocal8Bit(why);
    return false;
}

QByteArray FileDigest(const QString& path) {
    if (!QFileInfo::exists(path)) return {};
    QByteArray bytes;
    QString reason;
    if (!ReadDocumentBytes(path, bytes, reason)) return QByteArrayLiteral("unreadable");
    return BytesDigest(bytes);
}

QByteArray BytesDigest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}
