// The investment's file on disk: written so that a crash or a full disk at any moment leaves
// either the old bytes or the new ones, and recognised again when another program changed it.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Writes `bytes` as the file `path`: to a new file beside it, which replaces the old one only
// once every byte is on disk. On failure the old file stays as it was and `reason` says why.
bool WriteFileReplacing(const QString& path, const QByteArray& bytes, QString& reason);

// The digest of every byte of the file at `path`; empty when there is no file to read.
QByteArray FileDigest(const QString& path);
// The same for a file open for reading whose first bytes, `head`, were read already: the
// rest is read from `rest`, so that the digest is of the very bytes that were read.
QByteArray FileDigest(const QByteArray& head, QIODevice& rest);
// The digest FileDigest gives for a file holding `bytes`.
QByteArray BytesDigest(const QByteArray& bytes);
