// The scanner against its steps written out plainly (LinkScannerSupport.h), on pages made of
// the pieces that matter: openings, quotes, fragments, addresses, paths, line breaks, Japanese.

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
    for (std::size_t i = rnd() % 60; i > 0; --i)
        page += kPieces[rnd() % std::size(kPieces)];
    return page;
}

void compareOn(PathStyle style, const std::string& folder, unsigned seed)
{
    std::mt19937 rnd(seed);
    FakeSiteFiles files(style);
    const std::string sub = style == PathStyle::Windows ? "sub\\" : "sub/";
    const std::vector<std::string> names = {"a.html", sub + "b.html", "pic.gif", "noext", "c.noicon", sub + ".h.html"};
    for (const std::string& name : names)
        files.add(folder + name, randomPage(rnd));
    files.add(folder + "../up.gif", "");
    LinkList list(style);
    FakeIcons fastIcons, slowIcons;
    std::vector<Entry> slowList;
    for (int page = 0; page < 400; ++page) {
        const std::string path = folder + (page % 3 ? "index.html" : names[page % names.size()]);
        files.add(path, randomPage(rnd));
        Collected fast;
        // A page changed since a session began is scanned by a new session, as the window does.
        ScanSession session(files, ScanForm::Exact, style);
        ASSERT_EQ(ScanPage(list.Add(path, "TopPage", SetIcon(fastIcons, path)), list, fastIcons, fast, session).outcome,
                  ScanResult::Outcome::Done);
        slowList.push_back({"", path, "TopPage", std::string(extensionOf(path, style)), SetIcon(slowIcons, path)});
        std::vector<std::string> slowDropped;
        ASSERT_EQ(fast.entries, reference::ScanPage(files, slowIcons, path, style, slowList, slowDropped)) << seed;
        ASSERT_EQ(fast.dropped, slowDropped) << seed;
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
