#include "project/Anchors.h"

#include "project/FindLink.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <cstring>

namespace orvanel::project {

namespace {

// The next " id=" at or after `from` (letter case ignored), found by its "=", which is far
// rarer in a page than the blank.
std::size_t findBlankId(std::string_view text, std::size_t from)
{
    for (std::size_t at = from + 3; at < text.size();) {
        const void* hit = std::memchr(text.data() + at, '=', text.size() - at);
        if (!hit)
            return text::npos;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (matchesAt(text, at - 3, " id="))
            return at - 3;
        ++at;
    }
    return text::npos;
}

} // namespace

std::vector<std::string> exactFormAnchorNames(std::string_view text)
{
    constexpr std::string_view kName = "<a name=";
    constexpr std::size_t kIdLength = 4; // " id="
    std::vector<std::string> names;
    std::size_t rest = 0;
    std::size_t nextName = findIgnoringCase(text, kName, 0);
    std::size_t nextId = findBlankId(text, 0);
    bool quotesLeft = true;
    while (nextName != text::npos || nextId != text::npos) {
        const bool byName = nextName != text::npos && (nextId == text::npos || nextName < nextId);
        const std::size_t at = byName ? nextName : nextId;
        const std::size_t valueStart = text::nextChar(text, at + (byName ? kName.size() : kIdLength));
        const void* quote = quotesLeft && valueStart < text.size()
            ? std::memchr(text.data() + valueStart, '"', text.size() - valueStart)
            : nullptr;
        if (quote) {
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(quote) - text.data());
            names.emplace_back(text.substr(valueStart, end - valueStart));
            rest = end + 1;
        } else {
            quotesLeft = false;
            names.emplace_back();
            rest = valueStart;
        }
        if (nextName != text::npos && nextName < rest)
            nextName = findIgnoringCase(text, kName, rest);
        if (nextId != text::npos && nextId < rest)
            nextId = findBlankId(text, rest);
    }
    return names;
}

bool anchorDefined(const AnchorSet& names, std::string_view fragment)
{
    return fragment.empty() || names.contains(fragment);
}

} // namespace orvanel::project
