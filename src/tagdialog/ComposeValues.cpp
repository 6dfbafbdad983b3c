#include "tagdialog/ComposeValues.h"

#include "text/Utf8Chars.h"

#include <charconv>

namespace orvanel::tagdialog {

std::string cutBeforeColon(std::string_view entry)
{
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return std::string(entry);
    // The character in front of the colon is always dropped; a whole character, never a
    // part of one.
    return std::string(entry.substr(0, text::lastCharStart(entry.substr(0, colon))));
}

std::string insertBeforeFirstGt(std::string_view tag, std::string_view what)
{
    std::size_t gt = tag.find('>');
    if (gt == std::string_view::npos)
        gt = 0;
    std::string out;
    out.reserve(tag.size() + what.size());
    out.append(tag.substr(0, gt)).append(what).append(tag.substr(gt));
    return out;
}

std::string insertAfterFirstGt(std::string_view tag, std::string_view what)
{
    const std::size_t gt = tag.find('>');
    const std::size_t at = gt == std::string_view::npos ? 0 : gt + 1;
    std::string out;
    out.reserve(tag.size() + what.size());
    out.append(tag.substr(0, at)).append(what).append(tag.substr(at));
    return out;
}

std::string repeatText(std::string_view text, long count)
{
    std::string out;
    if (count <= 0)
        return out;
    out.reserve(text.size() * static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i)
        out.append(text);
    return out;
}

std::optional<long> parseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+' || (text.front() == '-' && text.size() > 1 && text[1] == '+'))
        return std::nullopt;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace orvanel::tagdialog
