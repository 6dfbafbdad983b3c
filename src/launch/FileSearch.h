#pragma once
// The system's file search, as CheckFileExists reads a path: "*" and "?" in the file name
// are wildcards.

#include <string>

namespace orvanel::launch {

// True when a regular file that is not hidden matches `path` (on POSIX systems: "[" and
// "\" and "*" and "?" in folder names stand for themselves, and a name starting with "."
// is hidden; on Windows: the search of FindFirstFileW, and the hidden attribute).
bool visibleFileMatches(const std::string& path);

} // namespace orvanel::launch
