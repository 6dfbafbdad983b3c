#include "project/FindLink.h"

#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <cstring>

namespace orvanel::project {

namespace {

struct Opening {
    std::string_view pattern;
    std::string_view kind;
};

constexpr Opening kOpenings[3] = {
    {"<a href=", "href"},
    {"<img src=", "img"},
    {"<frame src=", "frame"},
};

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool matchesAt(std::string_view text, std::size_t at, std::string_view lowerPattern)
{
    if (at > text.size() || text.size() - at < lowerPattern.size())
        return false;
    for (std::size_t i = 0; i < lowerPattern.size(); ++i)
        if (lower(text[at + i]) != lowerPattern[i])
            return false;
    return true;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view lowerPattern, std::size_t from)
{
    const char first = lowerPattern.front();
    while (from < text.size()) {
        const void* hit = std::memchr(text.data() + from, first, text.size() - from);
        if (!hit)
            return text::npos;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (matchesAt(text, at, lowerPattern))
            return at;
        from = at + 1;
    }
    return text::npos;
}

LinkFinder::LinkFinder(std::string_view pageText) : text_(pageText), noQuoteFrom_(pageText.size())
{
    // One pass over the page finds every opening of the three kinds. Each ends in its only
    // "=", which is rarer in a page than "<", and the letter before it tells "href=" from
    // "src="; the openings so come in page order.
    const char* const begin = text_.data();
    const char* p = begin;
    const char* const end = begin + text_.size();
    while (p < end) {
        p = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(end - p)));
        if (!p)
            break;
        const std::size_t eq = static_cast<std::size_t>(p - begin);
        ++p;
        if (eq == 0)
            continue;
        const char before = lower(text_[eq - 1]);
        if (before == 'f') {
            if (eq + 1 >= kOpenings[0].pattern.size() && matchesAt(text_, eq + 1 - kOpenings[0].pattern.size(), kOpenings[0].pattern))
                openings_[0].push_back(eq + 1 - kOpenings[0].pattern.size());
        } else if (before == 'c') {
            for (std::size_t k = 1; k < 3; ++k) {
                const std::size_t size = kOpenings[k].pattern.size();
                if (eq + 1 >= size && matchesAt(text_, eq + 1 - size, kOpenings[k].pattern)) {
                    openings_[k].push_back(eq + 1 - size);
                    break;
                }
            }
        }
    }
}

bool LinkFinder::next(FoundReference& found)
{
    for (; tag_ < 3; ++tag_) {
        std::vector<std::size_t>& at = openings_[tag_];
        std::size_t& i = taken_[tag_];
        while (i < at.size() && at[i] < rest_)
            ++i;
        if (i == at.size())
            continue; // none left in the rest, and the rest only shrinks
        const std::size_t opening = at[i++];
        // Skip the character after "=" (a whole character, never part of one).
        const std::size_t valueStart =
            text::nextChar(text_, opening + kOpenings[tag_].pattern.size());
        std::size_t quote = text::npos;
        if (valueStart < noQuoteFrom_) {
            const void* hit = std::memchr(text_.data() + valueStart, '"', text_.size() - valueStart);
            if (hit)
                quote = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
            else
                noQuoteFrom_ = valueStart;
        }
        found.kind = kOpenings[tag_].kind;
        if (quote == text::npos) {
            found.text = {};
            rest_ = valueStart;
        } else {
            found.text = text_.substr(valueStart, quote - valueStart);
            rest_ = quote + 1;
        }
        return true;
    }
    return false;
}

} // namespace orvanel::project
