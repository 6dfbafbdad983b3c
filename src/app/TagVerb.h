#pragma once
// "orvanel tag KEY": the template of a tag button key, or of a user tag key such as
// Group0_User1, expanded around the text read from standard input, in the letter case of
// the TagFace setting, printed without a window.

#include "app/CommandLine.h"

#include <string>
#include <string_view>

namespace orvanel {

// What the palette would insert for a tag template around `selection`: letter case by
// `tagFace`, "%CR%" as a line feed, "%SEL%" as the selection.
std::string expandTagTemplate(std::string_view tagTemplate, std::string_view selection, int tagFace);

// The verb: one argument, the key, looked up in the button tag list and then in the user
// tag groups. Unknown key or bad arguments: a message on standard error and status 2. Standard input is the selection; one final line break (as a shell
// here-string or echo adds) is not part of it.
int runTagVerb(VerbContext& context);

} // namespace orvanel
