// Writing an export so that it is either complete or not there at all: the bytes go to a
// temporary file beside the target, which takes the target's name only once every byte is on
// disk. Whatever fails, the temporary file is removed again and the folder is as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Writes `bytes` as the file `target`. On failure returns false and sets `reason` to why, in
// the system's words ("No such file or directory", "File too large", ...).
bool WriteFileAtomically(const std::string& target, std::string_view bytes, std::string& reason);

// The same for a writer that makes the file itself from a path: `write` is given the path of
// an empty temporary file beside the target and returns false with a reason when it fails.
bool WriteFileAtomically(const std::string& target,
                         const std::function<bool(const std::string& path, std::string& reason)>& write,
                         std::string& reason);

// The message a user sees when an export fails: which file and why.
std::string ExportFailedMessage(const std::string& target, const std::string& reason);
