// The scanner against its steps written out plainly (LinkScannerSupport.h), on generated
// pages made of the pieces that matter: openings in every case and spacing, values quoted
// or not, fragments, addresses, Windows and POSIX paths, line breaks, Japanese text.

#include "LinkScannerSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace linktest;

namespace {

const char* const kPieces[] = {
    "<a href=\"", "<A HREF=\"", "<a Href='", "<a  href=\"", "<img src=\"", "<IMG SRC=\"", "<frame src=\"",
    "<a name=\"", " id=\"", " ID=\"", "\"", "\">", "<a href=", "a.html", "sub/b.html", "./a.html", "../up.gif",
    "#s1", "#s2", "#", "gone.html", "http://x.jp/", "https://y/", "mailto:m@x", "HTTP://Z/", "s1", "s2",
    "C:\\site\\a.html", "D:\\x\\y.gif", "sub\\b.html", "pic.gif", "表", "\r\n", "\n", " ", "<p>", "noext",
    "c.noicon", "sub/.h.html", "/a.html", "=", "<", "\xE3\x81\x82"};

std::string randomPage(std::mt19937& rnd)
{
    std::string page;
    const std::size_t n = rnd() % 60;
    for (std::size_t i = 0; i < n; ++i)
        page += kPieces[rnd() % std::size(kPieces)];
    return page;
}

void compareOn(PathStyle style, const std::string& folder, unsigned seed)
{
    std::mt19937 rnd(seed);
    FakeSiteFiles files(style);
    const char sep = style == PathStyle::Windows ? '\\' : '/';
    const std::vector<std::string> names = {"a.html", "sub" + std::string(1, sep) + "b.html", "pic.gif", "noext",
                                            "c.noicon", "sub" + std::string(1, sep) + ".h.html"};
    for (const std::string& name : names)
        files.add(folder + name, randomPage(rnd));
    files.add(folder + ".." + sep + "up.gif", "");

    ScanSession session(files, ScanForm::Exact, style);
    LinkList list(style);
    FakeIcons fastIcons, slowIcons;
    std::vector<Entry> slowList;
    for (int page = 0; page < 400; ++page) {
        const std::string path = folder + (page % 3 ? "index.html" : names[page % names.size()]);
        files.add(path, randomPage(rnd));
        Collected fast;
        const LinkRecord& top = list.Add(path, "TopPage", SetIcon(fastIcons, path));
        slowList.push_back({"", path, "TopPage", std::string(extensionOf(path, style)), SetIcon(slowIcons, path)});
        // A page changed since the session began is scanned by a new session, as the window does.
        ScanSession fresh(files, ScanForm::Exact, style);
        ASSERT_EQ(ScanPage(top, list, fastIcons, fast, fresh).outcome, ScanResult::Outcome::Done);
        std::vector<std::string> slowDropped;
        const std::vector<Entry> slow = reference::ScanPage(files, slowIcons, path, style, slowList, slowDropped);
        ASSERT_EQ(fast.entries, slow) << "seed " << seed << " page " << page;
        ASSERT_EQ(fast.dropped, slowDropped) << "seed " << seed << " page " << page;
    }
}

} // namespace

TEST(LinkScannerReference, SameEntriesAsTheStepsWrittenOut)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        compareOn(PathStyle::Windows, R"(C:\site\)", seed);
        compareOn(PathStyle::Posix, "/site/", seed);
    }
}
