// The investment's file on disk: read only when it can be an investment file, written so that
// a crash or a full disk at any moment leaves either the old bytes or the new ones, and
// recognised again when another program changed it.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// The path as the file system spells it.
std::string LocalPath(const QString& path);

// Reads the investment file at `path` whole (persist's one reader: a regular file no larger
// than any investment file). False with `reason` in a user's words.
bool ReadDocumentBytes(const QString& path, QByteArray& bytes, QString& reason);

// Writes `bytes` as the file `path`: to a new file beside it, which replaces the old one only
// once every byte is on disk. On failure the old file stays as it was and `reason` says why.
bool WriteFileReplacing(const QString& path, const QByteArray& bytes, QString& reason);

// The digest of the file at `path` as ReadDocumentBytes reads it; empty when there is no file.
// A file that can no longer be read at all gets a digest no file's bytes give.
QByteArray FileDigest(const QString& path);
// The digest FileDigest gives for a file holding `bytes`.
QByteArray BytesDigest(const QByteArray& bytes);
