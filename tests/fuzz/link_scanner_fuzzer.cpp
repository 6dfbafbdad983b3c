// libFuzzer harness for the link scanner: the first byte chooses the path style, the rest is
// a page and, after a byte 0xFF, the page its fragments point to. The exact-form scan must
// give what its plain steps give, the site walk what a page's own scan gives, and
// FindAnker's names must be found by the plain search.

#include "../core/LinkScannerSupport.h"

#include "project/AnyForm.h"
#include "project/SiteWalk.h"

#include <cstdlib>

using namespace linktest;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const PathStyle style = data[0] & 1 ? PathStyle::Windows : PathStyle::Posix;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = std::min(bytes.find('\xFF'), bytes.size());
    const std::string folder = style == PathStyle::Windows ? "C:\\site\\" : "/site/";
    FakeSiteFiles files(style);
    files.add(folder + "index.html", bytes.substr(0, split));
    files.add(folder + "a.html", bytes.substr(std::min(split + 1, bytes.size())));
    files.add(folder + "sub/b.gif", "");

    std::vector<Entry> slowList{{"", folder + "index.html", "TopPage", ".html", 3}}; // as the fast list below
    std::vector<std::string> slowDropped;
    FakeIcons slowIcons;
    const std::vector<Entry> slow = reference::ScanPage(files, slowIcons, folder + "index.html", style, slowList, slowDropped);
    for (ScanForm form : {ScanForm::Exact, ScanForm::AnyForm}) {
        ScanSession session(files, form, style);
        LinkList list(style);
        FakeIcons icons;
        Collected fast;
        ScanPage(list.Add(folder + "index.html", "TopPage", 3), list, icons, fast, session);
        if (form == ScanForm::Exact && (fast.entries != slow || fast.dropped != slowDropped))
            std::abort();
    }
    // The walk gives a.html's references as its own scan does (when it scans it under the
    // same path), also when it read a.html early for a fragment and kept only its references
    // for its turn.
    struct APage : SiteWalkObserver {
        explicit APage(std::string path) : path(std::move(path)) {}
        void reference(const std::string& page, const ScanEntry& e) override
        {
            if (page == path)
                seen.push_back(std::string(e.displayText) + '\t' + std::string(e.record.Kind));
        }
        void scanned(const std::string& page) override { scannedA = scannedA || page == path; }
        void broken(const std::string&, std::string_view, BrokenReason, std::string_view) override {}
        void unreadable(const std::string&) override {}
        std::string path;
        std::vector<std::string> seen;
        bool scannedA = false;
    };
    for (ScanForm form : {ScanForm::Exact, ScanForm::AnyForm}) {
        ScanSession walked(files, form, style);
        APage a(folder + "a.html");
        walkSite(folder + "index.html", walked, a);
        ScanSession own(files, form, style);
        LinkList list(style);
        FakeIcons icons;
        Collected direct;
        ScanPage(list.Add(folder + "a.html", "TopPage", 3), list, icons, direct, own);
        std::vector<std::string> expected;
        for (const Entry& e : direct.entries)
            expected.push_back(e.display + '\t' + e.kind);
        if (a.scannedA && a.seen != expected)
            std::abort();
    }
    const std::string target = *ReadPageText(files, folder + "a.html");
    for (std::string_view name : exactFormAnchorNames(target))
        if (!reference::FindAnker(files, folder + "a.html", std::string(name)))
            std::abort();
    anyFormAnchorNames(target);
    return 0;
}
