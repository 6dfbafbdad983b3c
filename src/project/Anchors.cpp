#include "project/Anchors.h"

#include "project/FindLink.h"
#include "text/FindByte.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <algorithm>
#include <cstring>

namespace orvanel::project {

std::vector<std::string_view> exactFormAnchorNames(std::string_view text)
{
    // Both openings end in "=", far rarer in a page than "<" or a blank: one pass over the
    // "=" of the page finds them in page order (they cannot overlap, as neither holds an "="
    // before its last character).
    constexpr std::string_view kOpenings[2] = {"<a name=", " id="};
    std::vector<std::string_view> names;
    names.reserve(16);
    std::size_t rest = 0;
    bool quotesLeft = true;
    text::BytePlaces equals(text, '=');
    for (std::size_t eq = 0; eq < text.size();) {
        eq = equals.next(eq);
        if (eq == text::npos)
            break;
        std::size_t opening = text::npos;
        // The letter before "=" tells whether an opening can end there at all.
        const char before = eq > 0 ? static_cast<char>(text[eq - 1] | 0x20) : '\0';
        if (before == 'e' || before == 'd')
            for (std::string_view kind : kOpenings)
                if (eq + 1 >= kind.size() && matchesAt(text, eq + 1 - kind.size(), kind)) {
                    opening = eq + 1 - kind.size();
                    break;
                }
        if (opening == text::npos || opening < rest) {
            ++eq;
            continue;
        }
        const std::size_t valueStart = text::nextChar(text, eq + 1);
        const std::size_t end = quotesLeft && valueStart < text.size() ? text::findByte(text, valueStart, '"') : text::npos;
        if (end != text::npos) {
            names.push_back(text.substr(valueStart, end - valueStart));
            rest = end + 1;
        } else {
            quotesLeft = false;
            names.emplace_back();
            rest = valueStart;
        }
        eq = std::max(eq + 1, rest);
    }
    return names;
}

bool anchorDefined(const AnchorSet& names, std::string_view fragment)
{
    return fragment.empty() || names.contains(fragment);
}

} // namespace orvanel::project
