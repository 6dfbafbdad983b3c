#pragma once
// The fragment targets a page defines.

#include "text/StringHash.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace orvanel::project {

// The names the exact-form search finds, in page order: the value of every "<a name=" and
// every " id=" (the id of any element), in any letter case, taken like a link value (the
// character after "=" skipped, the name running to the next double quote, the search going
// on after that quote, or from the name's start when no quote follows).
std::vector<std::string> exactFormAnchorNames(std::string_view pageText);

using AnchorSet = std::unordered_set<std::string, text::StringHash, std::equal_to<>>;

// Whether a fragment names a place in a page with these names. An empty fragment ("#")
// is the top of the page and always there.
bool anchorDefined(const AnchorSet& names, std::string_view fragment);

} // namespace orvanel::project
