#pragma once
// "orvanel compose PANEL [NAME=VALUE ...]": an attribute panel composed without a window.
// The panel's controls start from their initial values; each NAME=VALUE sets one control
// the way the user would (check boxes 1 or 0, lists and radio groups by entry, spins by
// number, edits by text, grid cells as NAME[row,col]=text) and runs its event, so that the
// builders and enabling rules follow. The tag is then composed exactly as the dialog's OK
// composes it, in the letter case of the TagFace setting, and printed as a template
// (app/ComposeCommand runs it for the command line).

#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

namespace catalogue {
class ButtonTagList;
}

namespace tagdialog {

struct ComposeResult {
    int status = 0;            // 0 composed, 2 bad arguments
    std::string text;          // the composed template (status 0)
    std::string problem;       // one line for standard error (status 2)
    std::vector<std::string> composeErrors; // controls whose composition failed
};

// The work of the verb, on a fresh control model; `tagFace` as in ApplyTagFace.
ComposeResult composeFromArguments(const catalogue::ButtonTagList& list,
                                   const std::vector<std::string>& args, int tagFace);

} // namespace tagdialog

} // namespace orvanel
