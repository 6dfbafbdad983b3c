#include "project/SiteWalk.h"

#include "text/TextOps.h"

#include <deque>

namespace orvanel::project {

namespace {

// Every file is given an icon, as a desktop theme gives a generic one at least; the walk
// reports no icons, but the scan keeps the rules of the window.
class EveryFileIcons : public FileIconSource {
public:
    Lookup appendIconOf(std::string_view) override
    {
        ++count_;
        return Lookup::Appended;
    }
    std::int32_t imageCount() const override { return count_; }

private:
    std::int32_t count_ = kUrlIcon + 1;
};

bool isWebPage(std::string_view extension)
{
    using namespace std::string_view_literals;
    static constexpr std::string_view kPages[] = {".htm"sv, ".html"sv, ".shtml"sv, ".xhtml"sv};
    for (std::string_view page : kPages)
        if (extension.size() == page.size() && text::equalsIgnoreCase(extension, page))
            return true;
    return false;
}

struct Page {
    std::string path;
    std::string kind;
};

// Hands a page's references on and queues the pages among them that are new.
class PageSink : public ScanSink {
public:
    PageSink(const std::string& page, SiteWalkObserver& observer, SiteSummary& summary, std::deque<Page>& queue)
        : page_(page), observer_(observer), summary_(summary), queue_(queue)
    {
    }
    void entry(const ScanEntry& e) override
    {
        observer_.reference(page_, e);
        if (e.state == LinkState::Missing) {
            ++summary_.broken;
            observer_.broken(page_, e.written, BrokenReason::MissingFile, e.lookedFor);
        } else if (e.state == LinkState::AnchorMissing) {
            ++summary_.broken;
            observer_.broken(page_, e.written, BrokenReason::MissingAnchor, e.record.Path);
        }
        // Queued under the path the session looked at: as short as the reference allows.
        if (e.file && !e.file->walked) {
            e.file->walked = true;
            KnownFile& file = *e.file->file;
            if (!file.queued && isWebPage(e.record.Extension)) {
                file.queued = true;
                queue_.push_back(Page{std::string(e.file->path), std::string(e.record.Kind)});
            }
        }
    }
    void fragmentToMissingFile(std::string_view written, std::string_view, std::string_view lookedFor) override
    {
        ++summary_.broken;
        observer_.broken(page_, written, BrokenReason::MissingFile, lookedFor);
    }

private:
    const std::string& page_;
    SiteWalkObserver& observer_;
    SiteSummary& summary_;
    std::deque<Page>& queue_;
};

} // namespace

SiteSummary walkSite(const std::string& topPage, ScanSession& session, SiteWalkObserver& observer)
{
    SiteSummary summary;
    const CheckedPath& top = session.check(topPage);
    if (top.check.state != FileState::File && top.check.state != FileState::Hidden) {
        observer.unreadable(topPage);
        return summary;
    }
    if (top.file)
        top.file->queued = true;
    session.keepEarlyTexts();
    std::deque<Page> queue{Page{topPage, "TopPage"}};
    EveryFileIcons icons;
    // One list for the whole walk, as the window keeps one for its whole tree. A record lives
    // until the next is added and refers to the texts it was made of: the observer keeps what
    // it reports, and ScanPage copies the page's path first.
    LinkList list(session.style(), LinkList::Keep::Newest);
    bool first = true;
    while (!queue.empty()) {
        const Page page = std::move(queue.front());
        queue.pop_front();
        const std::string& path = page.path;
        const LinkRecord& record = list.Add(path, page.kind, SetIcon(icons, path));
        PageSink sink(path, observer, summary, queue);
        const ScanResult result = ScanPage(record, list, icons, sink, session);
        const bool pageRead = result.outcome == ScanResult::Outcome::Done || result.unreadablePath != path;
        if (first) {
            summary.topPageRead = pageRead;
            if (!pageRead) {
                observer.unreadable(path);
                return summary;
            }
        }
        first = false;
        ++summary.pages;
        if (pageRead)
            observer.scanned(path);
        if (result.outcome == ScanResult::Outcome::Unreadable) {
            ++summary.unreadable;
            observer.unreadable(result.unreadablePath);
        }
    }
    return summary;
}

} // namespace orvanel::project
