#pragma once
// Whether a plain file exists, as the launchers and the user tag files test it, and the
// message that tells the user when it does not.

#include <functional>
#include <string>
#include <string_view>

namespace orvanel::launch {

// Shows one message to the user (a message box in the windows, a line on the command
// line, a list in tests). An empty function shows nothing.
using Tell = std::function<void(std::string_view message)>;

// The message for a file that is not there: the path followed by "がありません。".
std::string missingFileMessage(const std::string& path);

// True when `path` names a regular file that is not hidden (its name does not start with
// "."; on Windows, it lacks the hidden attribute). "*" and "?" in the file name match as
// in a file search; every other character, "[" and "\" included, and "*" and "?" in a
// folder name stand for themselves (see FileSearch.h). When nothing matches, `tell` (if
// set) shows missingFileMessage(path).
bool CheckFileExists(const std::string& path, const Tell& tell = {});

} // namespace orvanel::launch
