#pragma once
// The icon the desktop shows for a file: named after the file's type in the icon theme, with
// the type's generic icon as the next choice. The window that draws it turns the names into
// pictures (and falls back to a generic file picture when the theme has neither).

#include <string>

namespace orvanel {

struct FileIconLookup {
    enum class Outcome {
        Found,    // the names below are the type's icons
        NoIcon,   // no file at that path, or its type has no icon
    };
    Outcome outcome = Outcome::NoIcon;
    std::string themeName;   // "text-html"
    std::string genericName; // "text-x-generic"
};

class FileIcons {
public:
    virtual ~FileIcons() = default;
    // The icon associated with the file at `path` (UTF-8).
    virtual FileIconLookup iconOf(const std::string& path) = 0;
};

} // namespace orvanel
