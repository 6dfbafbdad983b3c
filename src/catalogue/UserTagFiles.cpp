#include "catalogue/UserTagFiles.h"

#include "text/TextOps.h"

namespace orvanel::catalogue {

namespace {

// Longest file name most file systems take, in bytes.
constexpr std::size_t MaxFileNameBytes = 255;
// How much of a rejected name a message shows.
constexpr std::size_t ShownNameChars = 40;

bool isForbidden(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|]").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string shownName(std::string_view name)
{
    std::string shown = text::firstChars(name, ShownNameChars);
    if (shown.size() < name.size())
        shown += "…";
    return shown;
}

} // namespace

std::optional<std::string> groupNameProblem(std::string_view name)
{
    if (name.empty())
        return std::string("グループ名を入力して下さい。");
    if (name.size() + GroupFileExtension.size() > MaxFileNameBytes)
        return "グループ名「" + shownName(name) + "」は長すぎます。";
    bool forbidden = name.front() == '.';
    for (const char c : name)
        forbidden = forbidden || isForbidden(static_cast<unsigned char>(c));
    if (forbidden)
        return "グループ名「" + shownName(name) + "」は使えません。\n"
               "\\ / : * ? \" < > | ] と制御文字を含まず、「.」で始まらない名前にして下さい。";
    return std::nullopt;
}

std::optional<std::string> groupFilePath(const std::string& userFolder, std::string_view name)
{
    if (groupNameProblem(name))
        return std::nullopt;
    return userFolder + std::string(name) + std::string(GroupFileExtension);
}

std::string groupDataLine(std::size_t index, std::string_view tagTemplate)
{
    return "User" + std::to_string(index) + "=[" + std::string(tagTemplate) + "]";
}

std::string groupDataTemplate(std::string_view dataLine)
{
    const std::size_t open = dataLine.find('[');
    std::string_view templ = open == std::string_view::npos ? dataLine : dataLine.substr(open + 1);
    if (open != std::string_view::npos && templ.ends_with(']'))
        templ.remove_suffix(1);
    return std::string(templ);
}

} // namespace orvanel::catalogue
