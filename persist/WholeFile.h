// Files read and written whole, for the investment files and every export.
//
// Reading takes only a regular file of at most a given size, and looks before it reads: a
// pipe, a device or a huge file is refused at once instead of blocking or running long.
//
// Writing is whole or not at all: the bytes go to a temporary file beside the target, which
// takes the target's name only once every byte is on disk. Whatever fails, the temporary file
// is removed again and the folder is as it was. The target keeps its permission bits and, where
// the user may keep them, its owner; a symbolic link is written through to the file it names,
// as editors do; a target that exists and is not a regular file (a pipe, a device) is refused.
// "-" and "/dev/stdout" stream the bytes to standard output instead, for piping.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Reads the regular file at `path`, which may hold at most `largest` bytes, into `bytes`. On
// failure returns false and sets `reason` to why, in words a user understands.
bool ReadWholeFile(const std::string& path, std::size_t largest, std::string& bytes,
                   std::string& reason);

// Writes `bytes` as the file `target`. On failure returns false and sets `reason` to why, in
// the system's words ("No such file or directory", "File too large", ...).
bool WriteFileAtomically(const std::string& target, std::string_view bytes, std::string& reason);

// The same for a writer that makes the file itself from a path: `write` is given the path of
// an empty temporary file beside the target and returns false with a reason when it fails.
bool WriteFileAtomically(const std::string& target,
                         const std::function<bool(const std::string& path, std::string& reason)>& write,
                         std::string& reason);

// Whether `target` names standard output ("-" or "/dev/stdout").
bool IsStandardOutput(const std::string& target);

// The message a user sees when an export fails: which file and why.
std::string ExportFailedMessage(const std::string& target, const std::string& reason);
