#include "app/ComposeCommand.h"

#include "catalogue/ButtonTagList.h"
#include "options/SettingsFile.h"
#include "tagdialog/ComposeVerb.h"
#include "text/UserError.h"

#include <ostream>

namespace orvanel {

int runComposeVerb(VerbContext& c)
{
    try {
        const catalogue::ButtonTagList list = catalogue::ButtonTagList::load(c.programFolder + "TagBList.lst");
        int tagFace = 0;
        if (!c.args.empty())
            tagFace = LoadSettings(c.userFolder + SettingsFileName, 0, c.userFolder).settings.TagFace;
        const tagdialog::ComposeResult r = tagdialog::composeFromArguments(list, c.args, tagFace);
        if (r.status != 0) {
            c.err << r.problem << '\n';
            return r.status;
        }
        // A control whose composition failed is shown as the dialog shows it, on one line.
        for (std::string m : r.composeErrors) {
            for (char& ch : m)
                if (ch == '\n')
                    ch = ' ';
            c.err << m << '\n';
        }
        c.out << r.text << '\n';
        return 0;
    } catch (const UserError& e) {
        c.err << e.what() << '\n';
        return 1;
    }
}

} // namespace orvanel
