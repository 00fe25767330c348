// Replacing members of a finished zip archive. The workbook library writes numbers with 16
// significant digits, which does not give back every double; the workbook's sheets are
// rewritten with the exact numbers after it has written them.
#pragma once

#include <functional>
#include <string>

// Reads the archive `bytes`, passes each member's name and content to `patch` (which may
// change the content) and returns the archive anew, its members stored uncompressed. Empty
// when `bytes` is no archive this can read.
std::string RewriteZip(const std::string& bytes,
                       const std::function<void(const std::string& name, std::string& content)>& patch);
