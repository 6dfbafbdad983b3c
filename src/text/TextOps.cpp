#include "text/TextOps.h"

#include "text/Utf8Chars.h"

namespace orvanel::text {

namespace {

// A byte that does not continue a UTF-8 character starts one.
bool startsChar(std::string_view text, std::size_t pos)
{
    return pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80;
}

bool matchesAt(std::string_view text, std::size_t pos, std::string_view what, bool ignoreCase)
{
    if (text.size() - pos < what.size())
        return false;
    if (!ignoreCase)
        return text.compare(pos, what.size(), what) == 0;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (asciiLower(text[pos + i]) != asciiLower(what[i]))
            return false;
    return true;
}

} // namespace

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string toAsciiUpper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

std::string toAsciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && matchesAt(a, 0, b, true);
}

std::size_t findMarker(std::string_view text, std::string_view marker, std::size_t from,
                       bool ignoreCase)
{
    if (marker.empty() || from >= text.size())
        return npos;
    for (std::size_t pos = from; pos + marker.size() <= text.size(); ++pos) {
        if (startsChar(text, pos) && matchesAt(text, pos, marker, ignoreCase)
            && startsChar(text, pos + marker.size()))
            return pos;
    }
    return npos;
}

std::string replaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = findMarker(text, from, pos, true);
        if (hit == npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string insertAt(std::string_view text, std::size_t pos, std::string_view what)
{
    if (pos > text.size())
        pos = text.size();
    std::string out;
    out.reserve(text.size() + what.size());
    out.append(text.substr(0, pos));
    out.append(what);
    out.append(text.substr(pos));
    return out;
}

std::string firstChars(std::string_view text, std::size_t n)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (startsChar(text, pos)) {
            if (count == n)
                return std::string(text.substr(0, pos));
            ++count;
        }
    }
    return std::string(text);
}

std::size_t charCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos)
        if (startsChar(text, pos))
            ++count;
    return count;
}

std::string cutBytes(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    return std::string(text.substr(0, charStartAtOrBefore(text, maxBytes)));
}

} // namespace orvanel::text
