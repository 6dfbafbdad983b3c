#include "project/FindLink.h"

#include "text/FindByte.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <algorithm>
#include <cstdint>
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
    const char* t = text.data() + at;
    const char* p = lowerPattern.data();
    std::size_t n = lowerPattern.size();
    // Eight bytes at a time: at the pattern's letters the text's byte with 0x20 set must be
    // the letter (so only that letter in either case), elsewhere the bytes must be equal.
    constexpr std::uint64_t ones = 0x0101010101010101u;
    while (n >= 8) {
        std::uint64_t tw;
        std::uint64_t pw;
        std::memcpy(&tw, t, 8);
        std::memcpy(&pw, p, 8);
        if (pw & (0x80 * ones))
            break; // not ASCII: byte by byte below
        // 0x80 in each byte of the pattern from 'a' to 'z' (no carry: every byte is below 0x80).
        const std::uint64_t letters = (pw + (0x80 - 'a') * ones) & (('z' + 0x80) * ones - pw) & (0x80 * ones);
        if ((tw | (letters >> 2)) != pw)
            return false;
        t += 8;
        p += 8;
        n -= 8;
    }
    for (; n > 0; --n, ++t, ++p)
        if (lower(*t) != *p)
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

LinkFinder::LinkFinder(std::string_view pageText) : text_(pageText), equals_(pageText, '='), noQuoteFrom_(pageText.size())
{
}

std::size_t LinkFinder::nextOpening(std::size_t tag, std::size_t from)
{
    // Each opening ends in its only "=", which is rarer in a page than "<": the search goes
    // from "=" to "=" and looks back from each. One search per tag, only forward, so the page
    // is gone through at most three times however the tags alternate.
    const std::string_view pattern = kOpenings[tag].pattern;
    const char before = pattern[pattern.size() - 2];
    std::size_t& searched = searched_[tag];
    std::size_t eq = std::max(from + pattern.size() - 1, searched);
    while (eq < text_.size()) {
        eq = equals_.next(eq);
        if (eq == text::npos)
            break;
        const std::size_t at = eq + 1 - pattern.size();
        if (lower(text_[eq - 1]) == before && matchesAt(text_, at, pattern)) {
            searched = eq + 1;
            return at;
        }
        ++eq;
    }
    searched = text_.size();
    return text::npos;
}

bool LinkFinder::next(FoundReference& found)
{
    for (; tag_ < 3; ++tag_) {
        const std::size_t opening = nextOpening(tag_, rest_);
        if (opening == text::npos)
            continue; // none left in the rest, and the rest only shrinks
        // Skip the character after "=" (a whole character, never part of one).
        const std::size_t valueStart =
            text::nextChar(text_, opening + kOpenings[tag_].pattern.size());
        std::size_t quote = text::npos;
        if (valueStart < noQuoteFrom_) {
            quote = text::findByte(text_, valueStart, '"');
            if (quote == text::npos)
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
