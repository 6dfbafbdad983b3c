// "orvanel links" on real folders: the files of the system, the report, the status, and
// pages no one should write.

#include "TestFiles.h"
#include "app/CommandLine.h"
#include "project/PageText.h"
#include "project/SiteFiles.h"

#include <gtest/gtest.h>

using namespace orvanel::project;

TEST(SiteFiles, PlainFilesOfTheSystem)
{
    orvanel::test::TempFolder dir;
    orvanel::test::writeAll(dir.file("a.html"), "<a>");
    orvanel::test::writeAll(dir.file(".h.html"), "");
    std::filesystem::create_directory(dir.path() / "sub");
    const std::unique_ptr<SiteFiles> files = systemSiteFiles();
    EXPECT_EQ(files->check(dir.file("a.html")).state, FileState::File);
    EXPECT_EQ(files->check(dir.file(".h.html")).state, FileState::Hidden);
    EXPECT_EQ(files->check(dir.file("sub")).state, FileState::NotAFile);
    EXPECT_EQ(files->check(dir.file("gone.html")).state, FileState::Missing);
    EXPECT_EQ(files->check(dir.file("sub/../a.html")).id, files->check(dir.file("a.html")).id);
    EXPECT_EQ(files->read(dir.file("a.html")).bytes, "<a>");
    EXPECT_EQ(files->read(dir.file("sub")).outcome, ReadOutcome::NotAFile);
    EXPECT_EQ(files->read(dir.file("gone.html")).outcome, ReadOutcome::CannotRead);
    EXPECT_EQ(files->canonical(dir.file("sub/../a.html")), orvanel::test::utf8Of(std::filesystem::canonical(dir.path() / "a.html")));
    // After many missing names a folder is listed once; what is there is still found.
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(files->check(dir.file("gone" + std::to_string(i) + ".html")).state, FileState::Missing);
    EXPECT_EQ(files->check(dir.file("a.html")).state, FileState::File);
    EXPECT_EQ(files->check(dir.file(".h.html")).state, FileState::Hidden);
    EXPECT_EQ(files->check(dir.file("sub")).state, FileState::NotAFile);
    // A long page is decoded as it is read, a piece at a time, to the same text.
    std::string page;
    for (int i = 0; page.size() < 700000; ++i)
        page += "<p><a href=\"" + std::to_string(i) + ".html\">x</a>\r\n" + (i == 30000 ? "\x95\x5C" : "");
    orvanel::test::writeAll(dir.file("long.html"), page);
    EXPECT_EQ(ReadCheckedPageText(*files, dir.file("long.html")), decodePageText(page));
}

#ifndef _WIN32 // FIFOs, symbolic links, /proc and a child process: POSIX only

#include <fstream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome { int status; std::string out, err; };

class LinksVerb : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orvanel-links-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0); }
    void write(const std::string& name, const std::string& bytes)
    {
        if (name.find('/') != std::string::npos)
            ::mkdir((dir + "/" + name.substr(0, name.rfind('/'))).c_str(), 0700);
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
    }
    Outcome links(std::vector<std::string> args)
    {
        args.insert(args.begin(), "links");
        std::istringstream in;
        std::ostringstream out, err;
        const int status = orvanel::runCommandLine(args, in, out, err, "", "");
        return {status, out.str(), err.str()};
    }
    static std::size_t count(const std::string& text, const std::string& what)
    {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1), ++n) {}
        return n;
    }
    std::string dir;
};

} // namespace

TEST_F(LinksVerb, ReportsEachPageOnceThenTheBrokenReferences)
{
    write("index.html", "<a href=\"sub/b.html\"><a href=\"gone.html\"><a href=\"a.html#nope\"><a href=\"a.html#top\">"
                        "<a href=\"https://x.org/\"><a href=\"mailto:a@b\"><img src=\"p.gif\">");
    write("a.html", "<a name=\"top\"><a href=\"index.html\">");
    write("sub/b.html", "<a href=\"../index.html\"><a href=\"../a.html\"><a href=\"x.html#y\">");
    write("p.gif", "<a href=\"never-scanned.html\">");
    const Outcome r = links({dir + "/index.html"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    // Three pages, each listed once, nearest to the top page first; the picture is a leaf.
    EXPECT_EQ(r.out.find(dir + "/index.html\n  sub/b.html\thref\t" + dir + "/sub/b.html\n"), 0u) << r.out;
    EXPECT_EQ(count(r.out, "\n" + dir + "/sub/b.html\n") + count(r.out, "\n" + dir + "/a.html\n"), 2u);
    EXPECT_EQ(count(r.out, "never-scanned"), 0u);
    EXPECT_NE(r.out.find("  gone.html\thref\t\tリンク切れ\n  a.html#nope\thref\t" + dir + "/a.html\tアンカーなし\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  https://x.org/\thref\tURL\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n\n" + dir + "/index.html: gone.html がありません\n" + dir +
                         "/index.html: a.html#nope のアンカーがありません\n" + dir + "/sub/b.html: x.html#y がありません\n"),
              std::string::npos);
    const std::string json = links({"--json", dir + "/index.html"}).out;
    EXPECT_EQ(json.find("{\"top\": \"" + dir + "/index.html\""), 0u);
    EXPECT_EQ(count(json, "\"reason\": \"missing\", \"target\": \"" + dir + "/"), 2u);

    write("index.html", "<a href=\"a.html#top\">");
    EXPECT_EQ(links({dir + "/index.html"}).status, 0);
    EXPECT_EQ(links({dir + "/index.html", "--any-form"}).status, 0);
}

TEST_F(LinksVerb, TopPagesThatCannotBeReadAndBadArguments)
{
    ASSERT_EQ(::mkfifo((dir + "/fifo.html").c_str(), 0600), 0);
    for (const std::string& top : {dir, dir + "/missing.html", std::string("/dev/zero"), dir + "/fifo.html"}) {
        const Outcome r = links({top});
        EXPECT_EQ(r.status, 2) << top;
        EXPECT_EQ(r.err, "ファイル " + top + " は開けません\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(links({"--bad", dir}).status, 2);
    EXPECT_EQ(links({"a.html", "b.html"}).err, "使い方: orvanel links TOPPAGE [--json] [--any-form]\n");
}

TEST_F(LinksVerb, PagesNoOneShouldWrite)
{
    std::mt19937 rnd(7);
    std::string garbage, up;
    for (int i = 0; i < 200000; ++i)
        garbage += static_cast<char>(rnd() % 4 ? rnd() % 256 : "<a href=\"#\n"[rnd() % 11]);
    for (char c : dir)
        up += c == '/' ? "../" : "";
    ASSERT_EQ(::mkfifo((dir + "/fifo.html").c_str(), 0600), 0);
    write("a/index.html", "<a href=\"loop/index.html\"><a href=\"loop/loop/index.html#x\">");
    write("b/index.html", "<a href=\"loop/index.html\">");
    ASSERT_EQ(::symlink("../b", (dir + "/a/loop").c_str()) + ::symlink("../a", (dir + "/b/loop").c_str()) +
                  ::symlink("self.html", (dir + "/self.html").c_str()), 0);
    write("index.html", "<a href=\"garbage.html\"><a href=\"sjis.html\"><a href=\"nul.html\"><a href=\"fifo.html\">"
                        "<a href=\"" + up + "proc/self/status\"><a href=\"" + up + "dev/zero\"><a href=\"self.html\">"
                        "<a href=\"a/index.html\"><a href=\"open.html\"><a href=\"garbage.html#x\">");
    write("garbage.html", garbage);
    write("sjis.html", "<a href=\"\x81\xFF\x82.html\"><a href=\"\xC3\x28\xE2\x82.html\">\x82");
    write("nul.html", std::string("<a href=\"a.html\0\"><a href=\"b.html\">", 36));
    write("open.html", "<a href=\"x.html<img src=\"y<a href=");
    const Outcome r = links({dir + "/index.html"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("  fifo.html\thref\t\tリンク切れ\n"), std::string::npos);
    // The folders that hold each other are walked once each, under the path first found.
    EXPECT_EQ(count(r.out, "\n" + dir + "/a/index.html\n") + count(r.out, "\n" + dir + "/a/loop/index.html\n"), 2u);
    EXPECT_EQ(links({"/proc/self/status"}).status, 0);

    // A 100 MB line, scanned in a child process of its own: its peak memory stays within 3 pages.
    std::ofstream big(dir + "/big.html", std::ios::binary);
    big << "<a href=\"gone.html\">";
    for (int i = 0; i < 100; ++i)
        big << std::string(1 << 20, 'x') << (i == 99 ? "<a href=\"unclosed" : "");
    big.close();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(links({dir + "/big.html"}).status);
    int status = 0;
    rusage usage {};
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_LT(usage.ru_maxrss, 3 * (100 << 10)); // kilobytes
}
#endif
