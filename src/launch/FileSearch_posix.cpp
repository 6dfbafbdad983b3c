#include "launch/FileSearch.h"

#include <glob.h>
#include <sys/stat.h>

namespace orvanel::launch {

namespace {

// The pattern for glob, as a file search reads a path: "*" and "?" in the file name are
// wildcards; every other special character, and "*" and "?" in the folders, match
// themselves.
std::string searchPattern(const std::string& path)
{
    const std::size_t nameStart = path.rfind('/') + 1; // 0 without a folder
    std::string pattern;
    pattern.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '[' || c == ']' || c == '\\' || (i < nameStart && (c == '*' || c == '?')))
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

bool isVisibleRegularFile(const char* path)
{
    struct stat st {};
    if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/')
            name = p + 1;
    return name[0] != '.';
}

} // namespace

bool visibleFileMatches(const std::string& path)
{
    bool found = false;
    glob_t matches{};
    if (::glob(searchPattern(path).c_str(), 0, nullptr, &matches) == 0) {
        for (std::size_t i = 0; i < matches.gl_pathc && !found; ++i)
            found = isVisibleRegularFile(matches.gl_pathv[i]);
    }
    ::globfree(&matches);
    return found;
}

} // namespace orvanel::launch
