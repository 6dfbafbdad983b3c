// libFuzzer harness for the link scanner: any bytes as a page, and as the page its
// fragments point to. The exact-form scan must give what its steps written out plainly give,
// every name FindAnker's search finds must be found again by the plain search, and the
// tolerant scan must end. The first byte chooses the path style; a byte 0xFF splits the
// page from the target page.

#include "../core/LinkScannerSupport.h"

#include "project/Anchors.h"
#include "project/AnyForm.h"

#include <cstdint>
#include <cstdlib>

using namespace linktest;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const PathStyle style = data[0] & 1 ? PathStyle::Windows : PathStyle::Posix;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = bytes.find('\xFF');
    const std::string page = bytes.substr(0, split);
    const std::string target = split == std::string::npos ? std::string() : bytes.substr(split + 1);

    const std::string folder = style == PathStyle::Windows ? "C:\\site\\" : "/site/";
    FakeSiteFiles files(style);
    files.add(folder + "index.html", page);
    files.add(folder + "a.html", target);
    files.add(folder + "sub" + (style == PathStyle::Windows ? "\\" : "/") + "b.gif", "");

    // Both scans start from a list holding the top page with image 3.
    std::vector<Entry> slowList{{"", folder + "index.html", "TopPage", ".html", 3}};
    std::vector<std::string> slowDropped;
    FakeIcons slowIcons;
    const std::vector<Entry> slow =
        reference::ScanPage(files, slowIcons, folder + "index.html", style, slowList, slowDropped);

    for (ScanForm form : {ScanForm::Exact, ScanForm::AnyForm}) {
        ScanSession session(files, form, style);
        LinkList list(style);
        FakeIcons icons;
        Collected fast;
        const LinkRecord& top = list.Add(folder + "index.html", "TopPage", 3);
        ScanPage(top, list, icons, fast, session);
        if (form == ScanForm::Exact && (fast.entries != slow || fast.dropped != slowDropped))
            std::abort();
    }

    const std::string text = decodePageText(target);
    for (const std::string& name : exactFormAnchorNames(text))
        if (!reference::FindAnker(files, folder + "a.html", name))
            std::abort();
    anyFormAnchorNames(text);
    return 0;
}
