#pragma once
// "orvanel tag KEY": the template of a tag button key expanded around the text read from
// standard input, in the letter case of the TagFace setting, printed without a window.

#include "app/CommandLine.h"

#include <string>
#include <string_view>

namespace orvanel {

namespace catalogue {
class ButtonTagList;
}

// What the palette would insert for `key` around `selection`: the key's entry template,
// letter case by `tagFace`, "%CR%" as a line feed, "%SEL%" as the selection.
std::string expandButtonTag(const catalogue::ButtonTagList& list, std::string_view key, std::string_view selection,
                            int tagFace);

// The verb: one argument, the key. Unknown key or bad arguments: a message on standard
// error and status 2. Standard input is the selection; one final line break (as a shell
// here-string or echo adds) is not part of it.
int runTagVerb(VerbContext& context);

} // namespace orvanel
