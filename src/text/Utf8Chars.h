#pragma once
// Character steps over UTF-8 text, for rules that count characters: a lead byte starts a
// character, continuation bytes (10xxxxxx) never do.

#include <cstddef>
#include <string_view>

namespace orvanel::text {

// Byte offset of the character after the one starting at `pos` (text.size() at the end).
inline std::size_t nextChar(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
        ++pos;
    return pos;
}

// Byte offset where the last character starts (0 for empty text).
inline std::size_t lastCharStart(std::string_view text)
{
    std::size_t pos = text.size();
    while (pos > 0) {
        --pos;
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            break;
    }
    return pos;
}

// The start of the character that holds byte offset `pos` (`pos` itself when a character starts
// there; text.size() when `pos` is past the end). Cutting at it never splits a character.
inline std::size_t charStartAtOrBefore(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    while (pos > 0 && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
        --pos;
    return pos;
}

// Byte offset of the character with 0-based index `n` (text.size() when there are fewer).
inline std::size_t charOffset(std::string_view text, std::size_t n)
{
    std::size_t pos = 0;
    while (n-- > 0 && pos < text.size())
        pos = nextChar(text, pos);
    return pos;
}

// The text between byte offsets `from` and `to`; empty when the range is empty or reversed.
inline std::string_view between(std::string_view text, std::size_t from, std::size_t to)
{
    if (from >= to || from >= text.size())
        return {};
    return text.substr(from, to - from);
}

// The text without its first and its last character.
inline std::string_view innerText(std::string_view text)
{
    return between(text, nextChar(text, 0), lastCharStart(text));
}

} // namespace orvanel::text
