#include "launch/CheckFileExists.h"

#include "launch/FileSearch.h"

namespace orvanel::launch {

std::string missingFileMessage(const std::string& path)
{
    return path + "がありません。";
}

bool CheckFileExists(const std::string& path, const Tell& tell)
{
    // A path with a NUL byte cannot name a file; the system's calls would see a shorter one.
    const bool found = !path.empty() && path.find('\0') == std::string::npos && visibleFileMatches(path);
    if (!found && tell)
        tell(missingFileMessage(path));
    return found;
}

} // namespace orvanel::launch
