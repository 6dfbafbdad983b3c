#include "launch/LaunchRules.h"

#include "text/KeyedTextList.h"

namespace orvanel::launch {

std::optional<std::string> fileExtension(std::string_view path, PathStyle style)
{
    const std::size_t nameStart = insert::folderOf(path, style).size();
    const std::size_t dot = path.find('.', nameStart);
    if (dot == std::string_view::npos)
        return std::nullopt;
    return std::string(path.substr(dot + 1));
}

std::optional<std::string> programForExtension(const std::vector<std::string>& extList, std::string_view extension)
{
    std::string program = text::KeyedTextList(extList).value(extension);
    if (program.empty())
        return std::nullopt;
    return program;
}

std::optional<std::string> newFileProgram(const std::vector<std::string>& extList)
{
    if (auto program = programForExtension(extList, "txt"))
        return program;
    return programForExtension(extList, "html");
}

std::vector<std::string> programArguments(const std::string& program, const std::string& file)
{
    return {program, file};
}

std::string initialDirAfterOpen(std::string_view file, PathStyle style)
{
    std::string folder = insert::folderOf(file, style);
    if (folder.empty())
        return folder;
    const bool posixRoot = folder == "/";
    const bool driveRoot = style == PathStyle::Windows && folder.size() == 3 && folder[1] == ':';
    if (!posixRoot && !driveRoot)
        folder.pop_back();
    return folder;
}

} // namespace orvanel::launch
