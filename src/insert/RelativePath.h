#pragma once
// Paths relative to the folder of the page being edited. The rule is written once with a
// path style: Windows style ("\" separators, drive letters and UNC shares, names compared
// without regard to ASCII letter case) and POSIX style ("/" separators, no drive, names
// compared exactly). MakeRelativePath gives "/" separators, so that its result can stand in
// an HTML attribute as it is; RelativeToFolder, which the link scanner also uses, keeps the
// separators of the style.

#include <functional>
#include <string>
#include <string_view>

namespace orvanel::insert {

enum class PathStyle { Windows, Posix };

// The style of the system the program runs on.
constexpr PathStyle nativePathStyle()
{
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

// Shown when no page being edited is known and the absolute path is used instead.
inline constexpr std::string_view kNoRelativePathMessage =
    "相対パスを取得できませんでした。\n絶対パスで出力します。";

// The path of `path` (an absolute file path) relative to `folder` (an absolute folder,
// with or without its trailing separator), with the style's separators ("..\img\a.gif" in
// Windows style). When the two lie on different drives or shares (or one of them is not
// absolute), `path` itself is returned unchanged.
std::string RelativeToFolder(std::string_view folder, std::string_view path, PathStyle style);

// The folder part of a file path, with its trailing separator ("C:\site\" for
// "C:\site\a.html"); empty when the path holds no separator.
std::string folderOf(std::string_view file, PathStyle style);

// `path` relative to the folder of `targetFile` (the page being edited), with "/"
// separators (also when it stays absolute because it lies on another drive). When
// `targetFile` is empty, `tell` receives kNoRelativePathMessage and `path` comes back
// unchanged.
std::string MakeRelativePath(std::string_view path, std::string_view targetFile, PathStyle style,
                             const std::function<void(std::string_view)>& tell);

} // namespace orvanel::insert
