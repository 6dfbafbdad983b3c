#include "project/Anchors.h"

#include "project/FindLink.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <algorithm>
#include <cstring>

namespace orvanel::project {

std::vector<std::string> exactFormAnchorNames(std::string_view text)
{
    // Both openings end in "=", far rarer in a page than "<" or a blank: one pass over the
    // "=" of the page finds them in page order (they cannot overlap, as neither holds an "="
    // before its last character).
    constexpr std::string_view kOpenings[2] = {"<a name=", " id="};
    std::vector<std::string> names;
    std::size_t rest = 0;
    bool quotesLeft = true;
    for (std::size_t eq = 0; eq < text.size();) {
        const void* hit = std::memchr(text.data() + eq, '=', text.size() - eq);
        if (!hit)
            break;
        eq = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        std::size_t opening = text::npos;
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
        eq = std::max(eq + 1, rest);
    }
    return names;
}

AnchorSet::AnchorSet(const std::vector<std::string>& names)
{
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    text_.reserve(total);
    names_.reserve(names.size());
    for (const std::string& name : names) {
        names_.push_back(Name{std::hash<std::string_view>()(name), text_.size(), name.size()});
        text_ += name;
    }
    std::sort(names_.begin(), names_.end(), [](const Name& a, const Name& b) { return a.hash < b.hash; });
}

bool AnchorSet::contains(std::string_view name) const
{
    const std::size_t hash = std::hash<std::string_view>()(name);
    auto it = std::lower_bound(names_.begin(), names_.end(), hash,
                               [](const Name& n, std::size_t h) { return n.hash < h; });
    for (; it != names_.end() && it->hash == hash; ++it)
        if (std::string_view(text_).substr(it->offset, it->size) == name)
            return true;
    return false;
}

bool anchorDefined(const AnchorSet& names, std::string_view fragment)
{
    return fragment.empty() || names.contains(fragment);
}

} // namespace orvanel::project
