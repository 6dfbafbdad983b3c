#include "launch/FileSearch.h"

#include "text/Utf16.h"

#include <windows.h>

namespace orvanel::launch {

bool visibleFileMatches(const std::string& path)
{
    WIN32_FIND_DATAW match{};
    const HANDLE search = ::FindFirstFileExW(text::toUtf16(path).c_str(), FindExInfoBasic, &match,
                                             FindExSearchNameMatch, nullptr, 0);
    // No match, or a path the search refuses (a wildcard in a folder name).
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    do {
        found = !(match.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    } while (!found && ::FindNextFileW(search, &match));
    ::FindClose(search);
    return found;
}

} // namespace orvanel::launch
