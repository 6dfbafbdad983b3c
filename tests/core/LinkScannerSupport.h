#pragma once
// Stand-ins for the link scanner's tests, and its steps written out plainly (the slow way:
// the rest of the page lower-cased again at every step, each fragment's target read again).

#include "insert/RelativePath.h"
#include "project/PageText.h"
#include "project/ScanPage.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <regex>

namespace linktest {

using namespace orvanel::project;
using orvanel::insert::PathStyle;

// A path with its "." and ".." steps and doubled separators taken out, as a file system
// without symbolic links resolves it (a drive stays).
inline std::string normalized(const std::string& path, PathStyle style)
{
    const bool win = style == PathStyle::Windows;
    std::vector<std::string> parts(1);
    for (char c : path + '/') {
        if (c != '/' && !(win && c == '\\')) {
            parts.back() += c;
            continue;
        }
        std::string part = std::move(parts.back());
        parts.pop_back();
        if (part == ".." && parts.size() > (win ? 1u : 0u))
            parts.pop_back();
        else if (part != ".." && !part.empty() && part != ".")
            parts.push_back(std::move(part));
        parts.emplace_back();
    }
    std::string out = win ? "" : "/";
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        out += parts[i] + (i + 2 < parts.size() ? (win ? "\\" : "/") : "");
    return out;
}

// An in-memory site; a path whose name starts with "." is hidden.
class FakeSiteFiles : public SiteFiles {
public:
    explicit FakeSiteFiles(PathStyle style) : style_(style) {}
    void add(const std::string& path, std::string content) { files_[normalized(path, style_)] = std::move(content); }
    FileCheck check(const std::string& path) override
    {
        const std::string p = normalized(path, style_);
        const auto it = files_.find(p);
        if (it == files_.end())
            return {};
        return {p[p.find_last_of("/\\") + 1] == '.' ? FileState::Hidden : FileState::File,
                FileId{1, std::hash<std::string>()(p)}, it->second.size()};
    }
    FileRead read(const std::string& path) override
    {
        ++reads;
        const auto it = files_.find(normalized(path, style_));
        return it == files_.end() ? FileRead{ReadOutcome::CannotRead, {}, 2} : FileRead{ReadOutcome::Read, it->second, 0};
    }
    std::optional<std::string> canonical(const std::string& p) override
    {
        return style_ == PathStyle::Windows ? std::nullopt : std::optional(normalized(p, style_));
    }
    int reads = 0;
    PathStyle style_;
    std::map<std::string, std::string> files_;
};

// Gives every path an icon except those ending in ".noicon".
struct FakeIcons : FileIconSource {
    Lookup appendIconOf(std::string_view path) override
    {
        asked.emplace_back(path);
        return path.ends_with(".noicon") ? Lookup::NoIcon : (++count, Lookup::Appended);
    }
    std::int32_t imageCount() const override { return count; }
    std::int32_t count = 3;
    std::vector<std::string> asked;
};

struct Entry {
    std::string display, path, kind, extension;
    std::int32_t icon;
    bool operator==(const Entry&) const = default;
};

inline void PrintTo(const Entry& e, std::ostream* os)
{
    *os << "{" << e.display << " | " << e.path << " | " << e.kind << " | " << e.icon << "}";
}

struct Collected : ScanSink {
    void entry(const ScanEntry& e) override
    {
        entries.push_back({std::string(e.displayText), std::string(e.record.Path), std::string(e.record.Kind),
                           std::string(e.record.Extension), e.record.IconIndex});
    }
    void fragmentToMissingFile(std::string_view written, std::string_view, std::string_view) override { dropped.emplace_back(written); }
    std::vector<Entry> entries;
    std::vector<std::string> dropped;
};

// ---- The steps of the scan, written out plainly.
namespace reference {

inline std::string lower(std::string s)
{
    return std::transform(s.begin(), s.end(), s.begin(), orvanel::text::asciiLower), s;
}

// FindLink: false when no reference is left.
inline bool FindLink(std::string& page, std::string& link, std::string& kind)
{
    static const std::pair<std::string, std::string> tags[] = {{"<a href=", "href"}, {"<img src=", "img"}, {"<frame src=", "frame"}};
    const std::string low = lower(page);
    for (const auto& [tag, k] : tags) {
        const std::size_t p = low.find(tag);
        if (p == std::string::npos)
            continue;
        kind = k;
        const std::size_t start = orvanel::text::nextChar(page, p + tag.size());
        const std::size_t quote = low.find('"', start);
        link = quote == std::string::npos ? "" : page.substr(start, quote - start);
        page = quote == std::string::npos ? page.substr(start) : page.substr(quote + 1);
        return true;
    }
    return false;
}

// FindAnker: the first "<a name=" or " id=", compared, cut after its quote, again.
inline bool FindAnker(SiteFiles& files, const std::string& path, const std::string& name)
{
    std::string page = *ReadPageText(files, path);
    if (name.empty())
        return true;
    for (;;) {
        const std::string low = lower(page);
        const std::size_t a = low.find("<a name="), i = low.find(" id=");
        if (a == std::string::npos && i == std::string::npos)
            return false;
        const bool byName = a != std::string::npos && (i == std::string::npos || a < i);
        const std::size_t start = orvanel::text::nextChar(page, byName ? a + 8 : i + 4);
        const std::size_t quote = low.find('"', start);
        if (quote != std::string::npos && page.substr(start, quote - start) == name)
            return true;
        page = quote == std::string::npos ? page.substr(start) : page.substr(quote + 1);
    }
}

inline std::vector<Entry> ScanPage(SiteFiles& files, FakeIcons& icons, const std::string& pagePath,
                                   PathStyle style, std::vector<Entry>& list, std::vector<std::string>& dropped)
{
    using orvanel::insert::RelativeToFolder;
    const bool win = style == PathStyle::Windows;
    const std::string folder = orvanel::insert::folderOf(pagePath, style);
    std::string page = *ReadPageText(files, pagePath), link, kind;
    std::vector<Entry> out;
    while (FindLink(page, link, kind)) {
        const std::string written = link;
        std::string path = "URL", anchor;
        bool fragment = false;
        static const std::regex scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
        if (std::regex_search(link, scheme)) {
        } else if (win && link.find('\\') != std::string::npos) {
            link = RelativeToFolder(folder, link, style);
            path = folder + link;
        } else if (link.find("http://") == std::string::npos && link.find("ftp://") == std::string::npos) {
            if (link.rfind("./", 0) == 0)
                link = link.substr(2);
            std::string file = link.substr(0, link.find('#'));
            fragment = file.size() < link.size();
            anchor = fragment ? link.substr(file.size() + 1) : "";
            if (win)
                std::replace(file.begin(), file.end(), '/', '\\');
            path = file.empty() ? pagePath : folder + (win ? RelativeToFolder(folder, file, style) : file);
        }
        std::int32_t icon = kUrlIcon;
        if (path != "URL" && files.check(path).state != FileState::File) {
            if (fragment) {
                dropped.push_back(written);
                continue;
            }
            path.clear();
            icon = kBrokenIcon;
        } else if (path != "URL" && fragment && !FindAnker(files, path, anchor)) {
            icon = kBrokenIcon;
        } else if (path != "URL") {
            icon = -1;
            for (auto r = list.rbegin(); r != list.rend() && icon < 0; ++r)
                icon = r->extension == extensionOf(path, style) && r->icon > 0 ? r->icon : -1;
            icon = icon < 0 ? SetIcon(icons, path) : icon;
        }
        kind = fragment ? "href" : kind;
        out.push_back({link, path, kind, std::string(extensionOf(path, style)), icon});
        list.push_back(out.back());
    }
    return out;
}

} // namespace reference
} // namespace linktest
