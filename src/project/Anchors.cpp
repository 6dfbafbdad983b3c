#include "project/Anchors.h"

#include "project/FindLink.h"
#include "text/FindByte.h"
#include "text/StringHash.h"
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
        names_.push_back(Name{text::hashText(name), text_.size(), name.size()});
        text_ += name;
    }
    // A few names are looked through in a row; more get a table at most half full.
    constexpr std::size_t kFew = 8;
    if (names_.size() <= kFew)
        return;
    std::size_t size = 16;
    while (size < 2 * names_.size())
        size *= 2;
    slots_.assign(size, Name{0, 0, std::string::npos});
    for (const Name& n : names_) {
        std::size_t i = n.hash & (size - 1);
        while (slots_[i].size != std::string::npos)
            i = (i + 1) & (size - 1);
        slots_[i] = n;
    }
    names_ = {};
}

bool AnchorSet::contains(std::string_view name) const
{
    const std::uint64_t hash = text::hashText(name);
    if (slots_.empty()) {
        for (const Name& n : names_)
            if (is(n, hash, name))
                return true;
        return false;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].size != std::string::npos; i = (i + 1) & mask)
        if (is(slots_[i], hash, name))
            return true;
    return false;
}

bool anchorDefined(const AnchorSet& names, std::string_view fragment)
{
    return fragment.empty() || names.contains(fragment);
}

} // namespace orvanel::project
