#include "app/TagVerb.h"

#include "options/SettingsFile.h"
#include "catalogue/ButtonTagList.h"
#include "insert/TagTemplate.h"
#include "text/UserError.h"

#include <istream>
#include <iterator>
#include <ostream>

namespace orvanel {

std::string expandButtonTag(const catalogue::ButtonTagList& list, std::string_view key, std::string_view selection,
                            int tagFace)
{
    return ExpandTemplate(ApplyTagFace(list.templateOf(key), tagFace), selection, "\n");
}

int runTagVerb(VerbContext& c)
{
    if (c.args.size() != 1 || c.args[0].empty()) {
        c.err << "使い方: orvanel tag KEY\n";
        return 2;
    }
    const std::string& key = c.args[0];
    try {
        const catalogue::ButtonTagList list = catalogue::ButtonTagList::load(c.programFolder + "TagBList.lst");
        if (!list.list().contains(key)) {
            c.err << "キー " << key << " のタグはありません\n";
            return 2;
        }
        const int tagFace = LoadSettings(c.userFolder + SettingsFileName, 0, c.userFolder).settings.TagFace;
        std::string selection{std::istreambuf_iterator<char>(c.in), std::istreambuf_iterator<char>()};
        if (selection.ends_with("\r\n"))
            selection.resize(selection.size() - 2);
        else if (selection.ends_with('\n'))
            selection.pop_back();
        const std::string result = expandButtonTag(list, key, selection, tagFace);
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
