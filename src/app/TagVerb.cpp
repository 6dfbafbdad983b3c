#include "app/TagVerb.h"

#include "options/SettingsFile.h"
#include "catalogue/ButtonTagList.h"
#include "catalogue/UserTagMenu.h"
#include "insert/TagTemplate.h"
#include "text/UserError.h"

#include <istream>
#include <iterator>
#include <optional>
#include <ostream>

namespace orvanel {

std::string expandTagTemplate(std::string_view tagTemplate, std::string_view selection, int tagFace)
{
    return ExpandTemplate(ApplyTagFace(tagTemplate, tagFace), selection, "\n");
}

namespace {

// The template of a button key, else of a user tag key; nullopt when neither has it.
std::optional<std::string> templateOf(const std::string& key, const VerbContext& c)
{
    const catalogue::ButtonTagList list = catalogue::ButtonTagList::load(c.programFolder + "TagBList.lst");
    if (list.list().contains(key))
        return list.templateOf(key);
    // Groups that cannot be read are no concern of a key in another group.
    const text::KeyedTextList userTags = catalogue::LoadUserTag(c.userFolder, {});
    if (userTags.contains(key))
        return catalogue::userTagTemplate(userTags, key);
    return std::nullopt;
}

} // namespace

int runTagVerb(VerbContext& c)
{
    if (c.args.size() != 1 || c.args[0].empty()) {
        c.err << "使い方: orvanel tag KEY\n";
        return 2;
    }
    const std::string& key = c.args[0];
    try {
        const std::optional<std::string> tagTemplate = templateOf(key, c);
        if (!tagTemplate) {
            c.err << "キー " << key << " のタグはありません\n";
            return 2;
        }
        const int tagFace = LoadSettings(c.userFolder + SettingsFileName, 0, c.userFolder).settings.TagFace;
        std::string selection{std::istreambuf_iterator<char>(c.in), std::istreambuf_iterator<char>()};
        if (selection.ends_with("\r\n"))
            selection.resize(selection.size() - 2);
        else if (selection.ends_with('\n'))
            selection.pop_back();
        const std::string result = expandTagTemplate(*tagTemplate, selection, tagFace);
        c.out << result;
        if (!result.ends_with('\n'))
            c.out << '\n';
        return 0;
    } catch (const UserError& e) {
        c.err << e.what() << '\n';
        return 1;
    }
}

} // namespace orvanel
