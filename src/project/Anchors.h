#pragma once
// The fragment targets a page defines.

#include "text/NameSet.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanel::project {

// The names the exact-form search finds, in page order: the value of every "<a name=" and
// every " id=" (the id of any element), in any letter case, taken like a link value (the
// character after "=" skipped, the name running to the next double quote, the search going
// on after that quote, or from the name's start when no quote follows).
// The names are parts of `pageText`.
std::vector<std::string_view> exactFormAnchorNames(std::string_view pageText);

// The fragment targets of one page.
using AnchorSet = text::NameSet;

// Whether a fragment names a place in a page with these names. An empty fragment ("#")
// is the top of the page and always there.
bool anchorDefined(const AnchorSet& names, std::string_view fragment);

} // namespace orvanel::project
