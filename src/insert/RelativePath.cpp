#include "insert/RelativePath.h"

#include <algorithm>
#include <vector>

namespace orvanel::insert {
namespace {

// UTF-8 never holds the byte of "\" or "/" inside a multi-byte character, so cutting at
// those bytes never splits a character (in Shift-JIS a "\" byte may be the second byte of
// a character such as 表; our text is UTF-8 by the time it gets here).
bool isSeparator(char c, PathStyle style)
{
    return c == '/' || (style == PathStyle::Windows && c == '\\');
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b, PathStyle style)
{
    if (style == PathStyle::Posix)
        return a == b;
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// The drive part: "C:" for a drive path, "\\server\share" for a network path, empty
// otherwise. POSIX paths have no drive.
std::string_view drivePart(std::string_view p, PathStyle style)
{
    if (style == PathStyle::Posix)
        return {};
    if (p.size() >= 2 && p[1] == ':'
        && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')))
        return p.substr(0, 2);
    if (p.size() >= 2 && isSeparator(p[0], style) && isSeparator(p[1], style)) {
        // Server name, then share name.
        std::size_t i = 2;
        while (i < p.size() && !isSeparator(p[i], style))
            ++i;
        if (i < p.size())
            ++i;
        while (i < p.size() && !isSeparator(p[i], style))
            ++i;
        return p.substr(0, i);
    }
    return {};
}

bool isAbsolute(std::string_view p, PathStyle style)
{
    if (style == PathStyle::Posix)
        return !p.empty() && p[0] == '/';
    return !drivePart(p, style).empty();
}

// Folder names between separators; empty names (doubled or leading separators) are skipped.
std::vector<std::string_view> splitFolders(std::string_view folders, PathStyle style)
{
    std::vector<std::string_view> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= folders.size(); ++i) {
        if (i == folders.size() || isSeparator(folders[i], style)) {
            if (i > start)
                names.push_back(folders.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

std::size_t lastSeparator(std::string_view p, PathStyle style)
{
    for (std::size_t i = p.size(); i > 0; --i)
        if (isSeparator(p[i - 1], style))
            return i - 1;
    return std::string_view::npos;
}

std::string withSlashes(std::string_view p)
{
    std::string out(p);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

} // namespace

std::string folderOf(std::string_view file, PathStyle style)
{
    const std::size_t sep = lastSeparator(file, style);
    if (sep == std::string_view::npos)
        return {};
    return std::string(file.substr(0, sep + 1));
}

std::string RelativeToFolder(std::string_view folder, std::string_view path, PathStyle style)
{
    const std::string_view baseDrive = drivePart(folder, style);
    const std::string_view pathDrive = drivePart(path, style);
    if (!isAbsolute(folder, style) || !isAbsolute(path, style)
        || !sameName(baseDrive, pathDrive, PathStyle::Windows))
        return std::string(path);

    const std::vector<std::string_view> base =
        splitFolders(folder.substr(baseDrive.size()), style);
    const std::string_view rest = path.substr(pathDrive.size());
    const std::size_t sep = lastSeparator(rest, style);
    const std::string_view fileName =
        sep == std::string_view::npos ? rest : rest.substr(sep + 1);
    const std::vector<std::string_view> dest =
        splitFolders(sep == std::string_view::npos ? std::string_view{} : rest.substr(0, sep), style);

    std::size_t common = 0;
    while (common < base.size() && common < dest.size()
           && sameName(base[common], dest[common], style))
        ++common;

    const char separator = style == PathStyle::Windows ? '\\' : '/';
    std::string out;
    for (std::size_t i = common; i < base.size(); ++i) {
        out += "..";
        out += separator;
    }
    for (std::size_t i = common; i < dest.size(); ++i) {
        out += dest[i];
        out += separator;
    }
    out += fileName;
    return out;
}

std::string MakeRelativePath(std::string_view path, std::string_view targetFile, PathStyle style,
                             const std::function<void(std::string_view)>& tell)
{
    if (targetFile.empty()) {
        if (tell)
            tell(kNoRelativePathMessage);
        return std::string(path);
    }
    const std::string relative = RelativeToFolder(folderOf(targetFile, style), path, style);
    return style == PathStyle::Windows ? withSlashes(relative) : relative;
}

} // namespace orvanel::insert
