#include "project/ResolveLink.h"

#include "project/LinkList.h"

#include <algorithm>

namespace orvanel::project {

bool hasScheme(std::string_view link)
{
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (link.empty() || !letter(link[0]))
        return false;
    std::size_t i = 1;
    while (i < link.size()
           && (letter(link[i]) || (link[i] >= '0' && link[i] <= '9') || link[i] == '+' || link[i] == '-'
               || link[i] == '.'))
        ++i;
    return i < link.size() && link[i] == ':' && i > 1;
}

namespace {

// Whether the text holds "http://" or "ftp://" anywhere: one search, for "://".
bool holdsWebAddress(std::string_view link)
{
    for (std::size_t at = link.find("://"); at != std::string_view::npos; at = link.find("://", at + 1))
        if ((at >= 4 && link.substr(at - 4, 4) == "http") || (at >= 3 && link.substr(at - 3, 3) == "ftp"))
            return true;
    return false;
}

} // namespace

void ResolveLink(std::string_view link, const std::string& folder, const std::string& page,
                 insert::PathStyle style, ResolvedLink& r)
{
    const bool windows = style == insert::PathStyle::Windows;
    r.written = link;
    r.relativeShown = false;
    r.hasFragment = false;
    r.fragment = {};
    if (hasScheme(link)) {
        r.path = kUrlPath;
        return;
    }
    if (windows && link.find('\\') != std::string_view::npos) {
        r.relativeShown = true;
        r.shown = insert::RelativeToFolder(folder, link, style);
        r.path = folder + r.shown;
        return;
    }
    if (holdsWebAddress(link)) {
        r.path = kUrlPath;
        return;
    }
    if (link.starts_with("./"))
        link.remove_prefix(2);
    r.written = link;
    std::string_view file = link;
    if (const std::size_t hash = link.find('#'); hash != std::string_view::npos) {
        r.hasFragment = true;
        r.fragment = link.substr(hash + 1);
        file = link.substr(0, hash);
    }
    if (file.empty()) {
        r.path = page;
    } else if (windows) {
        std::string local(file);
        std::replace(local.begin(), local.end(), '/', '\\');
        r.path = folder + insert::RelativeToFolder(folder, local, style);
    } else {
        r.path = folder;
        r.path += file;
    }
}

} // namespace orvanel::project
