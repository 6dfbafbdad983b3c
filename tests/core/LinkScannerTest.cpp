#include "LinkScannerSupport.h"

#include "project/Anchors.h"
#include "project/FindLink.h"
#include "project/ResolveLink.h"

#include <gtest/gtest.h>

using namespace linktest;

namespace {

// Scans `page` (its text given) of an in-memory site; other files are added by the test.
struct Site {
    explicit Site(PathStyle style = PathStyle::Windows) : style(style), files(style), session(files, ScanForm::Exact, style) {}
    Collected scan(const std::string& pagePath, const std::string& text)
    {
        files.add(pagePath, text);
        Collected out;
        const LinkRecord& top = list.Add(pagePath, "TopPage", SetIcon(icons, pagePath));
        result = ScanPage(top, list, icons, out, session);
        return out;
    }
    PathStyle style;
    FakeSiteFiles files;
    ScanSession session;
    LinkList list{style};
    FakeIcons icons;
    ScanResult result;
};

std::vector<std::string> displays(const Collected& c)
{
    std::vector<std::string> out;
    for (const Entry& e : c.entries)
        out.push_back(e.display + " " + e.kind);
    return out;
}

} // namespace

TEST(LinkScanner, TagsByPriorityThenCutAfterEachValue)
{
    Site site;
    site.files.add(R"(C:\site\b.html)", "");
    site.files.add(R"(C:\site\c.gif)", "");
    site.files.add(R"(C:\site\a.gif)", "");
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<img src="a.gif"><a href="b.html">B</a><img src="c.gif"><frame src="b.html">)");
    EXPECT_EQ(displays(c), (std::vector<std::string>{"b.html href", "c.gif img", "b.html frame"}));
    EXPECT_EQ(c.entries[0].path, R"(C:\site\b.html)");
}

TEST(LinkScanner, OnlyTheExactOpeningsInAnyLetterCase)
{
    Site site;
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<A HREF="Up.html"><a  href="two.html"><a href = "eq.html">)"
                                  R"(<a target="_top" href="t.html"><img border="0" src="b.gif">)"
                                  R"(<frame name="f" src="f.html"><a)" "\n" R"(href="split.html"><a href=)" "\n"
                                  R"("joined.html">)");
    EXPECT_EQ(displays(c), (std::vector<std::string>{"Up.html href", "joined.html href"}));
}

TEST(LinkScanner, UnquotedValuesLoseTheirFirstCharacter)
{
    Site site;
    EXPECT_EQ(displays(site.scan(R"(C:\site\a.html)", R"(<a href=page.html>x</a> <b class="z">)")),
              (std::vector<std::string>{"age.html>x</a> <b class= href"}));
    // With no quote after it the value is empty and the scan goes on from the value's start.
    EXPECT_EQ(displays(site.scan(R"(C:\site\b.html)", R"(<a href=x.html><a href=y.html>)")),
              (std::vector<std::string>{" href", " href"}));
    // The character after "=" is skipped whole, never split.
    EXPECT_EQ(displays(site.scan(R"(C:\site\c.html)", "<a href=\xE8\xA1\xA8x.html\">")),
              (std::vector<std::string>{"x.html href"}));
}

TEST(LinkScanner, FragmentsAreCheckedInTheirTargetPage)
{
    Site site;
    site.files.add(R"(C:\site\t.html)", R"(<A NAME="Top">x</a><h2 class="c" id="sec">S</h2>)");
    site.files.add(R"(C:\site\pic.gif)", "");
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<a name="here"><a href="#here"><a href="#nowhere"><a href="t.html#Top">)"
                                  R"(<a href="t.html#top"><a href="t.html#sec"><a href="gone.html#x"><a href="gone.html">)"
                                  R"(<a href="#"><a href=""><img src="pic.gif#p">)");
    ASSERT_EQ(c.entries.size(), 9u);
    // Only a fragment: the page itself, with its icon when the anchor is there, else 0.
    EXPECT_EQ(c.entries[0].path, R"(C:\site\index.html)");
    EXPECT_GT(c.entries[0].icon, 2);
    EXPECT_EQ(c.entries[1].path, R"(C:\site\index.html)");
    EXPECT_EQ(c.entries[1].icon, 0);
    // Exact names (letter case counts), as <a name> or as the id of any element.
    EXPECT_GT(c.entries[2].icon, 2);
    EXPECT_EQ(c.entries[3].icon, 0);
    EXPECT_EQ(c.entries[3].path, R"(C:\site\t.html)");
    EXPECT_GT(c.entries[4].icon, 2);
    // A fragment to a missing file gives no entry; a missing file gives one with no path.
    EXPECT_EQ(c.dropped, std::vector<std::string>{"gone.html#x"});
    EXPECT_EQ(c.entries[5].display, "gone.html");
    EXPECT_EQ(c.entries[5].path, "");
    EXPECT_EQ(c.entries[5].icon, 0);
    // "#" is the top of the page and "" the page itself: neither is broken.
    EXPECT_GT(c.entries[6].icon, 2);
    EXPECT_EQ(c.entries[7].path, R"(C:\site\index.html)");
    EXPECT_GT(c.entries[7].icon, 2);
    // A picture with a fragment is listed as a link.
    EXPECT_EQ(c.entries[8].kind, "href");
    // Each target is read once however many fragments point at it: the page, t.html, pic.gif.
    EXPECT_EQ(site.files.reads, 3);
}

TEST(LinkScanner, AddressesWithAnySchemeAreNeverFiles)
{
    Site site;
    site.files.add(R"(C:\site\noext)", "");
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<a href="https://x.org/"><a href="mailto:a@b.jp"><a href="HTTP://X/">)"
                                  R"(<a href="see http://x/"><a href="ftp://f/"><a href="C:x.html"><a href="noext">)");
    ASSERT_EQ(c.entries.size(), 7u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(c.entries[i].path, "URL") << i;
        EXPECT_EQ(c.entries[i].icon, 2) << i;
    }
    // A drive letter is no scheme.
    EXPECT_EQ(c.entries[5].path, "");
    // A file without extension shares the picture of the web addresses (same empty extension).
    EXPECT_EQ(c.entries[6].path, R"(C:\site\noext)");
    EXPECT_EQ(c.entries[6].icon, 2);
    EXPECT_FALSE(hasScheme("C:\\x"));
    EXPECT_TRUE(hasScheme("svn+ssh:x"));
    EXPECT_FALSE(hasScheme("1a:b"));
}

TEST(LinkScanner, WindowsPathsOfTheReferences)
{
    Site site;
    site.files.add(R"(C:\site\sub\a.html)", "");
    site.files.add(R"(C:\site\img\x.gif)", "");
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<a href="./sub/a.html"><a href="/img/x.gif"><a href="C:\site\sub\a.html">)"
                                  R"(<a href="D:\other\b.html"><a href="c:/site/img/x.gif">)");
    ASSERT_EQ(c.entries.size(), 5u);
    EXPECT_EQ(c.entries[0].display, "sub/a.html");
    EXPECT_EQ(c.entries[0].path, R"(C:\site\sub\a.html)");
    EXPECT_EQ(c.entries[1].path, R"(C:\site\\img\x.gif)");
    EXPECT_EQ(c.entries[2].display, R"(sub\a.html)");
    EXPECT_EQ(c.entries[2].path, R"(C:\site\sub\a.html)");
    EXPECT_EQ(c.entries[3].display, R"(D:\other\b.html)");
    EXPECT_EQ(c.entries[3].path, "");
    EXPECT_EQ(c.entries[4].path, R"(C:\site\img\x.gif)");
}

TEST(LinkScanner, PosixPathsFollowTheWindowsRulesForLinksWithoutDrive)
{
    Site site(PathStyle::Posix);
    site.files.add("/site/sub/a.html", "");
    site.files.add("/site/img/x.gif", "");
    site.files.add("/site/.hidden.html", "");
    const Collected c = site.scan("/site/index.html", R"(<a href="./sub/a.html"><a href="/img/x.gif">)"
                                                      R"(<a href="sub\a.html"><a href=".hidden.html"><a href="sub/../img/x.gif">)");
    ASSERT_EQ(c.entries.size(), 5u);
    EXPECT_EQ(c.entries[0].path, "/site/sub/a.html");
    EXPECT_EQ(c.entries[1].path, "/site//img/x.gif");
    EXPECT_EQ(c.entries[2].path, ""); // a backslash is part of a POSIX name
    EXPECT_EQ(c.entries[3].path, ""); // hidden files are not found
    EXPECT_EQ(c.entries[4].path, "/site/sub/../img/x.gif");
}

TEST(LinkScanner, IconsAreSharedByExtension)
{
    Site site;
    site.files.add(R"(C:\site\a.html)", "");
    site.files.add(R"(C:\site\b.html)", "");
    site.files.add(R"(C:\site\c.noicon)", "");
    site.files.add(R"(C:\site\d.noicon)", "");
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<a href="a.html"><a href="b.html"><a href="c.noicon"><a href="d.noicon">)");
    // The top page took image 3; a.html and b.html share it without asking the icon source.
    EXPECT_EQ(c.entries[0].icon, 3);
    EXPECT_EQ(c.entries[1].icon, 3);
    // No icon: index 0, asked again for the next file of that extension.
    EXPECT_EQ(c.entries[2].icon, 0);
    EXPECT_EQ(c.entries[3].icon, 0);
    EXPECT_EQ(site.icons.asked, (std::vector<std::string>{R"(C:\site\index.html)", R"(C:\site\c.noicon)",
                                                          R"(C:\site\d.noicon)"}));
    EXPECT_EQ(site.list.FindExtensionIcon(".html"), 3);
    EXPECT_EQ(site.list.FindExtensionIcon(".noicon"), -1);
    EXPECT_EQ(extensionOf(R"(C:\a.b\file)", PathStyle::Windows), "");
    EXPECT_EQ(extensionOf(R"(C:x.tar.gz)", PathStyle::Windows), ".gz");
}

TEST(LinkScanner, UnreadablePagesStopTheScan)
{
    Site site;
    Collected out;
    const LinkRecord& gone = site.list.Add(R"(C:\site\gone.html)", "TopPage", 3);
    const ScanResult r = ScanPage(gone, site.list, site.icons, out, site.session);
    EXPECT_EQ(r.outcome, ScanResult::Outcome::Unreadable);
    EXPECT_EQ(r.unreadablePath, R"(C:\site\gone.html)");
    // Nothing is scanned for a broken reference or a web address.
    const LinkRecord& url = site.list.Add("URL", "href", 2);
    EXPECT_EQ(ScanPage(url, site.list, site.icons, out, site.session).outcome, ScanResult::Outcome::Done);
    EXPECT_EQ(site.files.reads, 1);
}

TEST(LinkScanner, PageTextIsDecodedAndLosesItsLineBreaks)
{
    // A NUL byte ends the text; Shift-JIS becomes UTF-8, so that link texts are file names.
    EXPECT_EQ(decodePageText(std::string("<a\r\nb>\rc") + '\0' + "<a href=\"x\">"), "<ab>c");
    EXPECT_EQ(decodePageText("<a href=\"\x95\x5C.html\">"), "<a href=\"表.html\">");
    EXPECT_EQ(decodePageText("<meta charset=\"EUC-JP\"><a href=\"\xC9\xBD.html\">"),
              "<meta charset=\"EUC-JP\"><a href=\"表.html\">");
    // A page that names Shift_JIS is read so even when its bytes would be valid UTF-8.
    EXPECT_EQ(decodePageText("<meta content=\"text/html; charset=Shift_JIS\">\xC3\xA9"),
              "<meta content=\"text/html; charset=Shift_JIS\">ﾃｩ");
    EXPECT_EQ(decodePageText("\xEF\xBB\xBF<meta charset=shift_jis>\xE3\x81\x82"), "<meta charset=shift_jis>あ");
    EXPECT_EQ(decodePageText("<meta charset=\"no-such-set\">\x82\xA0"), "<meta charset=\"no-such-set\">あ");
}

TEST(LinkScanner, AnchorNamesInExactForm)
{
    EXPECT_EQ(exactFormAnchorNames(R"(<a name="a"><A NAME="B"><p ID="c"><a  name="no"><p data-id="no"><a name="d)"),
              (std::vector<std::string>{"a", "B", "c", ""}));
}
