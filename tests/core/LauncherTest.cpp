// The launchers over a fake ProgramStarter: which program starts with which arguments,
// what is recorded, the refusals and their messages, and the file-existence test.

#include "insert/TargetWindow.h"
#include "launch/Launcher.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanel;
using namespace orvanel::launch;

namespace {

class FakeStarter : public ProgramStarter {
public:
    std::vector<std::vector<std::string>> started;
    std::vector<ProcessId> waitedFor;
    std::vector<std::string> opened;
    StartOutcome outcome = StartOutcome::Started;
    DesktopOpenOutcome desktop = DesktopOpenOutcome::Opened;

    StartResult startProcess(const std::vector<std::string>& argv) override
    {
        started.push_back(argv);
        return {outcome, outcome == StartOutcome::Started ? ProcessId(100 + started.size()) : 0};
    }
    WindowWaitOutcome waitForWindow(ProcessId pid) override
    {
        waitedFor.push_back(pid);
        return WindowWaitOutcome::TimedOut;
    }
    DesktopOpenOutcome openWithDesktop(const std::string& path) override
    {
        opened.push_back(path);
        return desktop;
    }
};

struct LauncherTest : ::testing::Test {
    FakeStarter os;
    std::vector<std::string> extList{"HTML=/opt/ed/ed", "htm=", "tar.gz=/usr/bin/ark"};
    LaunchedFiles launched;
    std::vector<std::string> told;
    Launcher launcher{os, extList, launched, [this](std::string_view m) { told.emplace_back(m); }};
};

} // namespace

TEST_F(LauncherTest, OpensAFileWithTheProgramOfItsExtensionAsOneArgument)
{
    // Case ignored, first dot of the file name; blanks, quotes and ";" stay in one argument.
    for (const std::string path : {"/site/index.html", "/my site/it's \"a\";b.html", "/my.site/x.html"})
        launcher.OpenFileWithProgram(path);
    ASSERT_EQ(os.started.size(), 3u);
    EXPECT_EQ(os.started[0], (std::vector<std::string>{"/opt/ed/ed", "/site/index.html"}));
    EXPECT_EQ(os.started[1], (std::vector<std::string>{"/opt/ed/ed", "/my site/it's \"a\";b.html"}));
    EXPECT_EQ(os.waitedFor, (std::vector<ProcessId>{101, 102, 103}));
    // The started process is recorded even when its window never showed.
    EXPECT_EQ(launched.lookup(101), "/site/index.html");
    EXPECT_EQ(launched.lookup(103), "/my.site/x.html");
    EXPECT_TRUE(told.empty());

    // Multi-dot names take all after the first dot; unknown, empty-program and dotless
    // files go to the desktop, recording nothing.
    launcher.OpenFileWithProgram("/a/b.tar.gz");
    EXPECT_EQ(os.started.back(), (std::vector<std::string>{"/usr/bin/ark", "/a/b.tar.gz"}));
    for (const std::string path : {"/a/b.gz", "/a/b.htm", "/a.d/Makefile"})
        launcher.OpenFileWithProgram(path);
    EXPECT_EQ(os.opened, (std::vector<std::string>{"/a/b.gz", "/a/b.htm", "/a.d/Makefile"}));
    EXPECT_EQ(launched.size(), 4u);
    os.desktop = DesktopOpenOutcome::Failed;
    launcher.OpenFileWithProgram("/a/b.xyz");
    EXPECT_EQ(told, (std::vector<std::string>{"/a/b.xyzを開くプログラムがありません。"}));

    // The Windows rule reads the same names.
    EXPECT_EQ(fileExtension("C:\\my.site\\index.html", PathStyle::Windows), "html");
    EXPECT_EQ(fileExtension("C:\\site\\index", PathStyle::Windows), std::nullopt);
}

TEST_F(LauncherTest, NewFileStartsTheTextEditorElseTheHtmlEditorWithoutArguments)
{
    launcher.OpenFileWithProgram("");
    EXPECT_EQ(os.started, (std::vector<std::vector<std::string>>{{"/opt/ed/ed"}}));
    EXPECT_TRUE(os.waitedFor.empty());
    EXPECT_EQ(launched.size(), 0u);
    extList.insert(extList.begin(), "TXT=/usr/bin/mousepad");
    launcher.OpenFileWithProgram("");
    EXPECT_EQ(os.started.back(), (std::vector<std::string>{"/usr/bin/mousepad"}));
    extList = {"txt=", "htm=/x"};
    launcher.OpenFileWithProgram("");
    EXPECT_EQ(told, (std::vector<std::string>{"エディタを指定して下さい。"}));
    EXPECT_EQ(os.started.size(), 2u);
}

TEST_F(LauncherTest, PreviewAndExternalProgramsRefuseWithTheirMessages)
{
    launcher.PreviewInBrowser("", "/site/a.html");
    launcher.PreviewInBrowser("/usr/bin/firefox", "");
    launcher.RunExternalProgram("");
    launcher.RunExternalProgram("/bin/sh -a");
    EXPECT_EQ(told, (std::vector<std::string>{"使用するブラウザが設定されていません。",
                                              "ファイルのパスを取得できませんでした。",
                                              "使用するプログラムのパスが設定されていません。",
                                              "/bin/sh -aがありません。"}));
    EXPECT_TRUE(os.started.empty());

    told.clear();
    launcher.PreviewInBrowser("/usr/bin/firefox", "/my site/a b.html");
    launcher.RunExternalProgram("/bin/sh");
    EXPECT_EQ(os.started, (std::vector<std::vector<std::string>>{{"/usr/bin/firefox", "/my site/a b.html"}, {"/bin/sh"}}));
    EXPECT_EQ(launched.size(), 0u);

    // A program that does not start says why; nothing is recorded.
    os.outcome = StartOutcome::ProgramMissing;
    launcher.OpenFileWithProgram("/site/a.html");
    os.outcome = StartOutcome::NotExecutable;
    launcher.PreviewInBrowser("/etc/hosts", "/site/a.html");
    EXPECT_EQ(told, (std::vector<std::string>{"/opt/ed/edがありません。", "/etc/hostsを実行できません。"}));
    EXPECT_TRUE(os.waitedFor.empty());
    EXPECT_EQ(launched.size(), 0u);
}

TEST(CheckFileExists, FindsVisibleRegularFilesWithFileSearchWildcards)
{
    const test::TempFolder dir("orvanel-exists");
    std::filesystem::create_directories(dir.path() / "sub.d");
    for (const char* name : {"a[1].exe", "prog", "sub.d/x"})
        test::writeAll(dir.file(name), "x");
    const std::string d = dir.file("");
    EXPECT_TRUE(CheckFileExists(d + "a[1].exe"));
    EXPECT_FALSE(CheckFileExists(d + "a1.exe"));
    EXPECT_TRUE(CheckFileExists(d + "pr?g"));
    EXPECT_TRUE(CheckFileExists(d + "*.exe"));
    EXPECT_FALSE(CheckFileExists(d + "sub.d"));
    EXPECT_FALSE(CheckFileExists(d + "sub*"));
    EXPECT_FALSE(CheckFileExists(d + "s*/x")); // wildcards only in the file name
    std::vector<std::string> told;
    EXPECT_FALSE(CheckFileExists(d + "none", [&](std::string_view m) { told.emplace_back(m); }));
    EXPECT_EQ(told, (std::vector<std::string>{d + "noneがありません。"}));

    EXPECT_EQ(initialDirAfterOpen("/site/a/b.html", PathStyle::Posix), "/site/a");
    EXPECT_EQ(initialDirAfterOpen("/b.html", PathStyle::Posix), "/");
    EXPECT_EQ(initialDirAfterOpen("C:\\b.html", PathStyle::Windows), "C:\\");
}

TEST(CheckFileExists, DotFilesAreHiddenAndFolderNamesMayHoldWildcards)
{
    if (test::kOnWindows)
        GTEST_SKIP() << "POSIX names: Windows hides files by an attribute and forbids \"*\" in names";
    const test::TempFolder dir("orvanel-exists");
    std::filesystem::create_directories(dir.path() / "w*");
    for (const char* name : {".hidden", "w*/y"})
        test::writeAll(dir.file(name), "x");
    EXPECT_FALSE(CheckFileExists(dir.file(".hidden")));
    EXPECT_TRUE(CheckFileExists(dir.file("w*/y")));
}

TEST(LaunchedFiles, TitleNamesTheLatestFileAsAWholeName)
{
    LaunchedFiles files;
    files.add(1, "/site/a.html");
    files.add(2, "/site/index.html");
    files.add(3, "/other/a.html");
    EXPECT_EQ(files.lookupByTitle("a.html - Mousepad"), "/other/a.html");
    EXPECT_EQ(files.lookupByTitle("*index.html (~/site) - gedit"), "/site/index.html");
    EXPECT_EQ(files.lookupByTitle("data.html - Mousepad"), "");
    EXPECT_EQ(files.lookupByTitle("a.html5 - Mousepad"), "");
    EXPECT_EQ(files.lookupByTitle("Untitled"), "");
}
