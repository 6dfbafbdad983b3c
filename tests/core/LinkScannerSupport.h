#pragma once
// Test stand-ins for the link scanner: an in-memory site, an icon source that records its
// calls, a sink that keeps what it is given, and the scanner's steps written out plainly
// (the slow way: the rest of the page lower-cased again at every step, each fragment's
// target read again) to compare the scanner with.

#include "insert/RelativePath.h"
#include "project/PageText.h"
#include "project/ScanPage.h"
#include "text/TextOps.h"
#include "text/Utf8Chars.h"

#include <map>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

namespace linktest {

using namespace orvanel::project;
using orvanel::insert::PathStyle;

// Paths are compared after "." and ".." steps and doubled separators are taken out, as a
// file system without symbolic links resolves them.
inline std::string normalized(const std::string& path, PathStyle style)
{
    const char sep = style == PathStyle::Windows ? '\\' : '/';
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/' && path[i] != sep) {
            part += path[i];
            continue;
        }
        if (part == "..") {
            if (parts.size() > (style == PathStyle::Windows ? 1u : 0u)) // a drive stays
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    }
    std::string out = style == PathStyle::Posix ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += parts[i] + (i + 1 < parts.size() ? std::string(1, sep) : "");
    return out;
}

class FakeSiteFiles : public SiteFiles {
public:
    explicit FakeSiteFiles(PathStyle style) : style_(style) {}
    void add(const std::string& path, std::string content) { files_[normalized(path, style_)] = std::move(content); }
    FileCheck check(const std::string& path) override
    {
        ++checks;
        const std::string p = normalized(path, style_);
        const auto it = files_.find(p);
        if (it == files_.end())
            return {};
        const bool hidden = p[p.find_last_of("/\\") + 1] == '.';
        return {hidden ? FileState::Hidden : FileState::File,
                FileId{1, static_cast<std::uint64_t>(std::distance(files_.begin(), it)) + 1}, it->second.size()};
    }
    FileRead read(const std::string& path) override
    {
        ++reads;
        const auto it = files_.find(normalized(path, style_));
        if (it == files_.end())
            return {ReadOutcome::CannotRead, {}, 2};
        return {ReadOutcome::Read, it->second, 0};
    }
    std::optional<std::string> canonical(const std::string& path) override
    {
        if (style_ == PathStyle::Windows)
            return std::nullopt;
        return normalized(path, style_);
    }
    int checks = 0;
    int reads = 0;

private:
    PathStyle style_;
    std::map<std::string, std::string> files_;
};

// Gives every path an icon except those ending in ".noicon".
class FakeIcons : public FileIconSource {
public:
    Lookup appendIconOf(std::string_view path) override
    {
        asked.emplace_back(path);
        if (path.ends_with(".noicon"))
            return Lookup::NoIcon;
        ++count;
        return Lookup::Appended;
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
    *os << "{" << e.display << " | " << e.path << " | " << e.kind << " | " << e.extension << " | " << e.icon << "}";
}

struct Collected : ScanSink {
    void entry(const ScanEntry& e) override
    {
        entries.push_back({std::string(e.displayText), std::string(e.record.Path), std::string(e.record.Kind),
                           std::string(e.record.Extension), e.record.IconIndex});
    }
    void fragmentToMissingFile(std::string_view written, std::string_view, std::string_view) override
    {
        dropped.emplace_back(written);
    }
    std::vector<Entry> entries;
    std::vector<std::string> dropped;
};

// ---- The steps of the scan, written out plainly.
namespace reference {

inline std::string lower(std::string s)
{
    for (char& c : s)
        c = orvanel::text::asciiLower(c);
    return s;
}

// FindLink: false when no reference is left.
inline bool FindLink(std::string& page, std::string& link, std::string& kind)
{
    static const std::pair<std::string, std::string> tags[] = {
        {"<a href=", "href"}, {"<img src=", "img"}, {"<frame src=", "frame"}};
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
    const bool win = style == PathStyle::Windows;
    const std::string folder = orvanel::insert::folderOf(pagePath, style);
    std::string page = *ReadPageText(files, pagePath);
    std::vector<Entry> out;
    std::string link, kind;
    while (FindLink(page, link, kind)) {
        const std::string written = link;
        std::string path, anchor;
        bool fragment = false;
        static const std::regex scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
        if (std::regex_search(link, scheme)) {
            path = "URL";
        } else if (win && link.find('\\') != std::string::npos) {
            link = orvanel::insert::RelativeToFolder(folder, link, style);
            path = folder + link;
        } else if (link.find("http://") != std::string::npos || link.find("ftp://") != std::string::npos) {
            path = "URL";
        } else {
            if (link.rfind("./", 0) == 0)
                link = link.substr(2);
            std::string file = link;
            if (const std::size_t hash = link.find('#'); hash != std::string::npos) {
                fragment = true;
                anchor = link.substr(hash + 1);
                file = link.substr(0, hash);
            }
            if (win)
                for (char& c : file)
                    c = c == '/' ? '\\' : c;
            path = file.empty() ? pagePath : folder + (win ? orvanel::insert::RelativeToFolder(folder, file, style) : file);
        }
        std::int32_t icon = kUrlIcon;
        if (path != "URL") {
            if (files.check(path).state != FileState::File) {
                if (fragment) {
                    dropped.push_back(written);
                    continue;
                }
                path.clear();
                icon = kBrokenIcon;
            } else if (fragment && !FindAnker(files, path, anchor)) {
                icon = kBrokenIcon;
            } else {
                icon = -1;
                for (auto r = list.rbegin(); r != list.rend() && icon < 0; ++r)
                    if (r->extension == extensionOf(path, style) && r->icon > 0)
                        icon = r->icon;
                if (icon < 0)
                    icon = SetIcon(icons, path);
            }
            if (fragment)
                kind = "href";
        }
        const Entry e{link, path, kind, std::string(extensionOf(path, style)), icon};
        list.push_back(e);
        out.push_back(e);
    }
    return out;
}

} // namespace reference
} // namespace linktest
