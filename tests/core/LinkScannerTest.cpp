#include "LinkScannerSupport.h"

#include "project/Anchors.h"
#include "project/FindLink.h"
#include "project/ResolveLink.h"
#include "project/SiteWalk.h"

#include <gtest/gtest.h>

using namespace linktest;

namespace {

// A page of an in-memory site scanned; other files are added by the test.
struct Site {
    explicit Site(PathStyle style = PathStyle::Windows, ScanForm form = ScanForm::Exact)
        : files(style), session(files, form, style), list(style)
    {
    }
    Collected scan(const std::string& pagePath, const std::string& text)
    {
        files.add(pagePath, text);
        Collected out;
        ScanPage(list.Add(pagePath, "TopPage", SetIcon(icons, pagePath)), list, icons, out, session);
        return out;
    }
    FakeSiteFiles files;
    ScanSession session;
    LinkList list;
    FakeIcons icons;
};

// Each entry as "display kind path icon".
std::vector<std::string> rows(const Collected& c)
{
    std::vector<std::string> out;
    for (const Entry& e : c.entries)
        out.push_back(e.display + " " + e.kind + " " + e.path + " " + std::to_string(e.icon));
    return out;
}

using Rows = std::vector<std::string>;

} // namespace

TEST(LinkScanner, TagsByPriorityThenCutAfterEachValue)
{
    Site site;
    for (const char* file : {R"(C:\site\b.html)", R"(C:\site\c.gif)", R"(C:\site\a.gif)"})
        site.files.add(file, "");
    EXPECT_EQ(rows(site.scan(R"(C:\site\index.html)", R"(<img src="a.gif"><a href="b.html">B</a><img src="c.gif">)"
                                                      R"(<frame src="b.html">)")),
              (Rows{R"(b.html href C:\site\b.html 3)", R"(c.gif img C:\site\c.gif 4)", R"(b.html frame C:\site\b.html 3)"}));
}

TEST(LinkScanner, OnlyTheExactOpeningsInAnyLetterCase)
{
    Site site;
    const Collected c = site.scan(R"(C:\site\index.html)",
                                  R"(<A HREF="Up.html"><a  href="two.html"><a href = "eq.html">)"
                                  R"(<a target="_top" href="t.html"><img border="0" src="b.gif">)"
                                  R"(<frame name="f" src="f.html"><a)" "\n" R"(href="split.html"><a href=)" "\n"
                                  R"("joined.html">)");
    EXPECT_EQ(rows(c), (Rows{"Up.html href  0", "joined.html href  0"}));
    // An unquoted value loses its first character and runs to the next double quote.
    EXPECT_EQ(rows(site.scan(R"(C:\site\a.html)", R"(<a href=page.html>x</a> <b class="z">)")),
              Rows{"age.html>x</a> <b class= href  0"});
    // No quote after it: empty, the page itself (image 5, this third top page's), scan goes on.
    EXPECT_EQ(rows(site.scan(R"(C:\site\b.html)", R"(<a href=x.html><a href=y.html>)")),
              (Rows{R"( href C:\site\b.html 5)", R"( href C:\site\b.html 5)"}));
    // The character after "=" is skipped whole, never split.
    EXPECT_EQ(rows(site.scan(R"(C:\site\c.html)", "<a href=\xE8\xA1\xA8x.html\">")), Rows{"x.html href  0"});
    // Only letters match in either case: control characters one bit away from "<", " " or
    // "=" do not.
    EXPECT_TRUE(matchesAt("x<A hReF=", 1, "<a href="));
    EXPECT_FALSE(matchesAt(std::string_view("\x1C" "a href=", 8), 0, "<a href="));
    EXPECT_FALSE(matchesAt(std::string_view("<a\0href=", 8), 0, "<a href="));
    EXPECT_FALSE(matchesAt("<a hre\x06=", 0, "<a href="));
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
    // Only a fragment: the page itself. Exact names, of <a name> or any id; "#" is the top of
    // the page, "" the page itself; a fragment to a missing file gives no entry; a picture
    // with a fragment is listed as a link.
    EXPECT_EQ(rows(c), (Rows{R"(#here href C:\site\index.html 3)", R"(#nowhere href C:\site\index.html 0)",
                             R"(t.html#Top href C:\site\t.html 3)", R"(t.html#top href C:\site\t.html 0)",
                             R"(t.html#sec href C:\site\t.html 3)", "gone.html href  0",
                             R"(# href C:\site\index.html 3)", R"( href C:\site\index.html 3)",
                             R"(pic.gif#p href C:\site\pic.gif 0)"}));
    EXPECT_EQ(c.dropped, std::vector<std::string>{"gone.html#x"});
    // Each target is read once however many fragments point at it: the page, t.html, pic.gif.
    EXPECT_EQ(site.files.reads, 3);
}

TEST(LinkScanner, AddressesWithAnySchemeAreNeverFiles)
{
    Site site;
    site.files.add(R"(C:\site\noext)", "");
    // A drive letter is no scheme; a file without extension shares the picture of the web
    // addresses (the same empty extension).
    EXPECT_EQ(rows(site.scan(R"(C:\site\index.html)",
                             R"(<a href="https://x.org/"><a href="mailto:a@b.jp"><a href="HTTP://X/">)"
                             R"(<a href="see http://x/"><a href="ftp://f/"><a href="C:x.html"><a href="noext">)")),
              (Rows{"https://x.org/ href URL 2", "mailto:a@b.jp href URL 2", "HTTP://X/ href URL 2",
                    "see http://x/ href URL 2", "ftp://f/ href URL 2", "C:x.html href  0", R"(noext href C:\site\noext 2)"}));
    EXPECT_TRUE(hasScheme("svn+ssh:x"));
    EXPECT_FALSE(hasScheme("1a:b"));
}

TEST(LinkScanner, WindowsPathsOfTheReferences)
{
    Site site;
    site.files.add(R"(C:\site\sub\a.html)", "");
    site.files.add(R"(C:\site\img\x.gif)", "");
    EXPECT_EQ(rows(site.scan(R"(C:\site\index.html)",
                             R"(<a href="./sub/a.html"><a href="/img/x.gif"><a href="C:\site\sub\a.html">)"
                             R"(<a href="D:\other\b.html"><a href="c:/site/img/x.gif">)")),
              (Rows{R"(sub/a.html href C:\site\sub\a.html 3)", R"(/img/x.gif href C:\site\\img\x.gif 4)",
                    R"(sub\a.html href C:\site\sub\a.html 3)", R"(D:\other\b.html href  0)",
                    R"(c:/site/img/x.gif href C:\site\img\x.gif 4)"}));
    // POSIX follows the rules for links without drive: a backslash is part of a name; hidden
    // files are not found.
    Site posix(PathStyle::Posix);
    for (const char* file : {"/site/sub/a.html", "/site/img/x.gif", "/site/.hidden.html"})
        posix.files.add(file, "");
    EXPECT_EQ(rows(posix.scan("/site/index.html", R"(<a href="./sub/a.html"><a href="/img/x.gif">)"
                                                 R"(<a href="sub\a.html"><a href=".hidden.html"><a href="sub/../img/x.gif">)")),
              (Rows{"sub/a.html href /site/sub/a.html 3", "/img/x.gif href /site//img/x.gif 4", R"(sub\a.html href  0)",
                    ".hidden.html href  0", "sub/../img/x.gif href /site/sub/../img/x.gif 4"}));
}

TEST(LinkScanner, IconsAreSharedByExtension)
{
    Site site;
    for (const char* file : {R"(C:\site\a.html)", R"(C:\site\b.html)", R"(C:\site\c.noicon)", R"(C:\site\d.noicon)"})
        site.files.add(file, "");
    // a.html and b.html share the top page's image without asking; no icon gives 0, asked again.
    EXPECT_EQ(rows(site.scan(R"(C:\site\index.html)", R"(<a href="a.html"><a href="b.html"><a href="c.noicon"><a href="d.noicon">)")),
              (Rows{R"(a.html href C:\site\a.html 3)", R"(b.html href C:\site\b.html 3)",
                    R"(c.noicon href C:\site\c.noicon 0)", R"(d.noicon href C:\site\d.noicon 0)"}));
    EXPECT_EQ(site.icons.asked, (std::vector<std::string>{R"(C:\site\index.html)", R"(C:\site\c.noicon)", R"(C:\site\d.noicon)"}));
    EXPECT_EQ(site.list.FindExtensionIcon(".noicon"), -1);
    EXPECT_EQ(extensionOf(R"(C:\a.b\file)", PathStyle::Windows), "");
    // Extensions alike in their first bytes keep icons of their own.
    site.list.Add(R"(C:\x.longname1)", "href", 5);
    site.list.Add(R"(C:\x.longname2)", "href", 6);
    EXPECT_EQ(site.list.FindExtensionIcon(".longname1"), 5);
    EXPECT_EQ(site.list.FindExtensionIcon(".longname"), -1);
}

TEST(LinkScanner, UnreadablePagesStopTheScan)
{
    Site site;
    Collected out;
    const ScanResult r = ScanPage(site.list.Add(R"(C:\site\gone.html)", "TopPage", 3), site.list, site.icons, out, site.session);
    EXPECT_EQ(r.outcome == ScanResult::Outcome::Unreadable ? r.unreadablePath : "", R"(C:\site\gone.html)");
    // Nothing is read for a web address.
    EXPECT_EQ(ScanPage(site.list.Add("URL", "href", 2), site.list, site.icons, out, site.session).outcome,
              ScanResult::Outcome::Done);
    EXPECT_EQ(site.files.reads, 1);
}

TEST(LinkScanner, TheSiteWalkReadsEachPageOnce)
{
    struct Pages : SiteWalkObserver {
        void reference(const std::string& page, const ScanEntry& e) override
        {
            if (page == "/s/a.html")
                references.push_back(std::string(e.displayText) + " " + std::string(e.record.Kind) + " "
                                     + std::string(e.record.Path));
        }
        void scanned(const std::string& page) override { pages.push_back(page); }
        void broken(const std::string&, std::string_view, BrokenReason, std::string_view) override {}
        void unreadable(const std::string& page) override { pages.push_back("problem in " + page); }
        Rows pages;
        Rows references;
    };
    const std::string a = R"(<a name="x"><a href="b.html#y"><a href=c&amp;d.html><IMG SRC="e.gif"><a href="f)";
    for (ScanForm form : {ScanForm::Exact, ScanForm::AnyForm}) {
        FakeSiteFiles files(PathStyle::Posix);
        files.add("/s/index.html", R"(<a href="a.html#x"><a href="b.html">)");
        files.add("/s/a.html", a);
        files.add("/s/b.html", R"(<h2 id="y">)");
        ScanSession session(files, form, PathStyle::Posix);
        Pages seen;
        walkSite("/s/index.html", session, seen);
        EXPECT_EQ(seen.pages, (Rows{"/s/index.html", "/s/a.html", "/s/b.html"}));
        EXPECT_EQ(files.reads, 3); // a.html, read for its fragment before it was queued, is not read again
        // What was kept of a.html for its turn gives what its text gives.
        Site direct(PathStyle::Posix, form);
        direct.files.add("/s/b.html", R"(<h2 id="y">)");
        Rows expected;
        for (const std::string& row : rows(direct.scan("/s/a.html", a)))
            expected.push_back(row.substr(0, row.rfind(' ')));
        EXPECT_EQ(seen.references, expected);
        EXPECT_EQ(seen.references.size(), 3u);
    }
}

TEST(LinkScanner, PageTextIsDecodedAndLosesItsLineBreaks)
{
    // A NUL byte ends the text; Shift-JIS becomes UTF-8, so that link texts are file names.
    EXPECT_EQ(decodePageText(std::string("<a\r\nb>\rc") + '\0' + "<a href=\"x\">"), "<ab>c");
    EXPECT_EQ(decodePageText("<a href=\"\x95\x5C.html\">"), "<a href=\"表.html\">");
    EXPECT_EQ(decodePageText("<meta charset=\"EUC-JP\">\xC9\xBD"), "<meta charset=\"EUC-JP\">表");
    // A page that names Shift_JIS is read so even when its bytes would be valid UTF-8.
    EXPECT_EQ(decodePageText("<meta content=\"text/html; charset=Shift_JIS\">\xC3\xA9"),
              "<meta content=\"text/html; charset=Shift_JIS\">ﾃｩ");
    EXPECT_EQ(decodePageText("\xEF\xBB\xBF<meta charset=shift_jis>\xE3\x81\x82"), "<meta charset=shift_jis>あ");
    EXPECT_EQ(decodePageText("<meta charset=\"no-such-set\">\x82\xA0"), "<meta charset=\"no-such-set\">あ");
    EXPECT_EQ(declaredCharset("<a x=1><META Content='text/html; CharSet=\"Shift_JIS\"'>"), "shift_jis");
    // The plain ASCII start is taken as it is and only what follows it decoded: a break
    // inside a Shift-JIS pair still spoils the pair, and a NUL after the start still ends it.
    const std::string lines = "<p>first line\r\nsecond line</p>\r\n";
    EXPECT_EQ(decodePageText(lines + "\x95\r\x5C\r\n<a>"), "<p>first linesecond line</p>\uFFFD\\<a>");
    EXPECT_EQ(decodePageText("<meta charset=\"utf-8\">\r\n" + lines + "表\r\n\xFF<a>"),
              "<meta charset=\"utf-8\"><p>first linesecond line</p>表\uFFFD<a>");
    EXPECT_EQ(decodePageText(lines + "表\r\n" + lines), "<p>first linesecond line</p>表<p>first linesecond line</p>");
    EXPECT_EQ(decodePageText(lines + lines + '\0' + "\x95\x5C"), "<p>first linesecond line</p><p>first linesecond line</p>");
    // Breaks anywhere, alone, in pairs and in runs, at every density: the text without them.
    std::uint32_t x = 7;
    for (int density = 1; density <= 64; density *= 2) {
        std::string page, plain;
        for (int i = 0; i < 3000; ++i) {
            x = x * 1103515245u + 12345u;
            const char c = (x >> 16) % 64 < static_cast<unsigned>(density) ? "\r\n"[(x >> 8) & 1] : static_cast<char>('a' + (x >> 20) % 26);
            page += c;
            if (c != '\r' && c != '\n')
                plain += c;
        }
        ASSERT_EQ(decodePageText(page), plain) << density;
    }
    EXPECT_EQ(exactFormAnchorNames(R"(<a name="a"><A NAME="B"><p ID="c"><a  name="no"><p data-id="no"><a name="d)"),
              (std::vector<std::string_view>{"a", "B", "c", ""}));
}

TEST(LinkScanner, APageReadInPiecesIsDecodedAsAWhole)
{
    // Each piece handed on as it comes, however the pieces fall on breaks, characters and
    // the start that names the character set.
    struct PieceFiles : FakeSiteFiles {
        using FakeSiteFiles::FakeSiteFiles;
        FileRead readCheckedFileInPieces(const std::string& path, const ReadPieces& pieces) override
        {
            FileRead r = read(path);
            for (std::size_t got = std::min(piece, r.bytes.size()); got > 0;
                 got = got == r.bytes.size() ? 0 : std::min(got + piece, r.bytes.size()))
                pieces(r.bytes.data(), got);
            return r;
        }
        std::size_t piece = 1;
    };
    const std::string lines = std::string(600, 'x') + "<p>first line\r\nsecond line</p>\r\n";
    const std::string pages[] = {
        lines + lines + "\x95\r\x5C\r\n<a>" + lines,
        "<meta charset=\"utf-8\">\r\n" + lines + lines + "表\r\n\xFF<a>",
        lines + lines + '\0' + "\x95\x5C" + lines,
        "\xEF\xBB\xBF<meta charset=shift_jis>\r\n" + lines + lines + "\xE3\x81\x82",
        lines + "<meta charset=\"EUC-JP\">" + lines + "\xC9\xBD",
        lines + lines + lines + "\r",
    };
    for (std::size_t piece : {1, 7, 100, 1024, 1500}) {
        PieceFiles files(PathStyle::Posix);
        files.piece = piece;
        for (const std::string& page : pages) {
            files.add("/p.html", page);
            EXPECT_EQ(*ReadCheckedPageText(files, "/p.html"), decodePageText(page)) << piece;
        }
    }
}

TEST(LinkScanner, DecodedReferencesOfTheTolerantScanStayApartUpToTheirTurn)
{
    // The tolerant scan decodes each value into one place; the scan reads a few ahead.
    Site site(PathStyle::Posix, ScanForm::AnyForm);
    site.files.add("/s/a&b.html", "");
    EXPECT_EQ(rows(site.scan("/s/index.html", "<a href='a&amp;b.html'><a href=c&amp;d.html><img src=\"e&lt;f.gif\">")),
              (Rows{"a&b.html href /s/a&b.html 3", "c&d.html href  0", "e<f.gif img  0"}));
}
