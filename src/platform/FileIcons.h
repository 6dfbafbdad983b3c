#pragma once
// The icon the desktop shows for a file. A desktop with an icon theme names it after the
// file's type, with the type's generic icon as the next choice; a desktop that hands out the
// icon itself gives its picture. The window that draws it uses the picture when there is
// one, else turns the names into pictures (and falls back to a generic file picture when the
// theme has neither).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanel {

// An icon's pixels: `height` rows of `width` 32-bit ARGB values (0xAARRGGBB, not
// premultiplied), the top row first.
struct FileIconPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

struct FileIconLookup {
    enum class Outcome {
        Found,    // the names below are the type's icons, or the picture
        NoIcon,   // no file at that path, or its type has no icon
    };
    Outcome outcome = Outcome::NoIcon;
    std::string themeName;   // "text-html"
    std::string genericName; // "text-x-generic"
    // The icon itself, drawn instead of the names. Found with neither a picture nor names is
    // a file whose icon could not be read: it is drawn as a generic file.
    std::optional<FileIconPicture> picture;
};

class FileIcons {
public:
    virtual ~FileIcons() = default;
    // The icon associated with the file at `path` (UTF-8).
    virtual FileIconLookup iconOf(const std::string& path) = 0;
};

} // namespace orvanel
