#pragma once
// The whole site reachable from a top page, as "orvanel links" reports it: each page
// scanned once, in the order of its distance from the top page, so that every page is
// listed under the shortest way to it. Web pages (".htm", ".html", ".shtml", ".xhtml") are
// followed; pictures and other files are leaves. A page reached again (by another path:
// "..", another folder, a symbolic link) is not scanned again, so pages that refer to each
// other end.

#include "project/ScanPage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orvanel::project {

enum class BrokenReason { MissingFile, MissingAnchor };

class SiteWalkObserver {
public:
    virtual ~SiteWalkObserver() = default;
    // A reference of `page`, as soon as it is found (the top page's first).
    virtual void reference(const std::string& page, const ScanEntry& entry) = 0;
    // The scan of `page` is over (also when its references stopped at a fragment's target
    // that could not be read); not called for a page that could not be read at all.
    virtual void scanned(const std::string& page) = 0;
    // A reference to a missing file (with or without a fragment; `target` the path looked
    // for) or to a missing fragment (`target` the file that lacks it).
    virtual void broken(const std::string& page, std::string_view written, BrokenReason reason,
                        std::string_view target) = 0;
    // A page (or a fragment's target page) could not be read; the page's scan stopped there.
    virtual void unreadable(const std::string& path) = 0;
};

struct SiteSummary {
    bool topPageRead = false;
    std::size_t pages = 0;
    std::size_t broken = 0;     // missing files and fragments
    std::size_t unreadable = 0; // pages that could not be read
};

// A page is scanned under the path the session looked at for it, with the ".." steps at
// its start taken off its folder, so that paths stay short however deep the walk goes.
SiteSummary walkSite(const std::string& topPage, ScanSession& session, SiteWalkObserver& observer);

} // namespace orvanel::project
