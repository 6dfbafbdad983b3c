#include "catalogue/UserTagMenu.h"

#include "catalogue/TagMenuModel.h"
#include "catalogue/UserTagFiles.h"
#include "text/Lines.h"
#include "text/UserError.h"
#include "text/Utf8Chars.h"

namespace orvanel::catalogue {

namespace {

// The lines of a file that CheckFileExists found; nullopt (told) when it cannot be read.
std::optional<std::vector<std::string>> readLines(const std::string& path, const launch::Tell& tell)
{
    try {
        return text::readDataFileLines(path);
    } catch (const UserError& e) {
        if (tell)
            tell(e.what());
        return std::nullopt;
    }
}

} // namespace

text::KeyedTextList LoadUserTag(const std::string& userFolder, const launch::Tell& tell)
{
    text::KeyedTextList list;
    const std::string listPath = userFolder + std::string(UserTagListFileName);
    if (!launch::CheckFileExists(listPath))
        return list;
    const auto groups = readLines(listPath, tell);
    if (!groups)
        return list;
    for (std::size_t g = 0; g < groups->size(); ++g) {
        const std::string& name = (*groups)[g];
        if (name.empty())
            continue;
        if (const auto problem = groupNameProblem(name)) {
            if (tell)
                tell(*problem);
            continue;
        }
        const std::string path = *groupFilePath(userFolder, name);
        if (!launch::CheckFileExists(path, tell))
            continue;
        const auto lines = readLines(path, tell);
        if (!lines)
            continue;
        for (const std::string& line : *lines) {
            if (line.find('=') != std::string::npos)
                list.append("Group" + std::to_string(g) + "_" + line);
            else
                list.append("[" + name + "][" + line + "]");
        }
    }
    return list;
}

std::vector<UserTagGroup> LoadUserTagMnBtn(const text::KeyedTextList& userTagList)
{
    std::vector<UserTagGroup> groups;
    const auto& lines = userTagList.lines();
    std::string rememberedGroup, rememberedTag;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with('['))
            continue;
        const HeaderCaptions h = splitHeader(lines[i]);
        const std::string& group = h.c[0];
        const std::string& tag = h.c[1];
        if (groups.empty() || group != rememberedGroup) {
            rememberedGroup = group;
            rememberedTag.clear();
            groups.push_back({group, {}});
        }
        if (tag.empty() || tag == rememberedTag)
            continue;
        rememberedTag = tag;
        // The key is that of the data line after the name; a name followed by another name
        // (the last one of a file with an odd number of lines) has none.
        std::string key;
        if (i + 1 < lines.size() && !lines[i + 1].starts_with('[') && lines[i + 1].find('=') != std::string::npos)
            key = std::string(text::KeyedTextList::entryKey(lines[i + 1]));
        groups.back().tags.push_back({tag, std::move(key)});
    }
    return groups;
}

std::string userTagKeyOf(std::string_view senderName)
{
    for (const std::string_view prefix : {"UserBtn", "UserMn", "UserPm"})
        if (senderName.starts_with(prefix))
            return std::string(senderName.substr(prefix.size()));
    return {};
}

std::string userTagTemplate(const text::KeyedTextList& userTagList, std::string_view key)
{
    return std::string(text::innerText(userTagList.value(key)));
}

std::optional<std::string> TagUserMnBtnClick(const text::KeyedTextList& userTagList, std::string_view senderName)
{
    const std::string key = userTagKeyOf(senderName);
    if (key.empty())
        return std::nullopt;
    return userTagTemplate(userTagList, key);
}

} // namespace orvanel::catalogue
