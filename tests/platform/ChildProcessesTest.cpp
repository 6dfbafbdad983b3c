// Programs started for real: arguments arrive whole, streams go to /dev/null, ended children
// are reaped, what cannot start says why; the desktop's open goes by xdg-open's answer.

#include "platform/posix/ChildProcesses.h"
#include "platform/posix/DesktopOpen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace fs = std::filesystem;
using namespace orvanel;
using namespace std::chrono_literals;

namespace {

struct ChildProcessesTest : ::testing::Test {
    fs::path dir;
    posix::ChildProcesses children;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "orvanel-spawn-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path script(const std::string& name, const std::string& body, bool executable = true)
    {
        const fs::path path = dir / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
        return path;
    }
    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

} // namespace

TEST_F(ChildProcessesTest, ArgumentsArriveWholeStreamsGoNowhereAndTheEndedChildIsReaped)
{
    // Each argument NUL-terminated, then where the three streams lead.
    const fs::path recorder = script("record ed", "fds=$(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2)\n"
                                                  "printf '%s\\n' \"$fds\" > \"$0.fds\"\n"
                                                  "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$0.args\"\n");
    const std::string file = "/my site/it's \"a\";b $HOME `x` *.html";
    const StartResult r = children.start({recorder.string(), file});
    ASSERT_EQ(r.outcome, StartOutcome::Started);
    ASSERT_TRUE(children.waitForEnd(r.pid, 30s));
    EXPECT_EQ(children.exitStatus(r.pid), 0);
    EXPECT_EQ(read(recorder.string() + ".args"), file + '\0');
    EXPECT_EQ(read(recorder.string() + ".fds"), "/dev/null\n/dev/null\n/dev/null\n");
    EXPECT_EQ(::waitpid(static_cast<pid_t>(r.pid), nullptr, WNOHANG), -1); // reaped already
}

TEST_F(ChildProcessesTest, AProgramThatCannotStartSaysWhy)
{
    EXPECT_EQ(children.start({(dir / "nothing").string()}).outcome, StartOutcome::ProgramMissing);
    EXPECT_EQ(children.start({"orvanel-no-such-program"}).outcome, StartOutcome::ProgramMissing);
    EXPECT_EQ(children.start({script("plain", "exit 0\n", false).string()}).outcome, StartOutcome::NotExecutable);
    EXPECT_EQ(children.start({dir.string()}).outcome, StartOutcome::NotExecutable);
    // A bare name is looked up on the search path.
    const StartResult found = children.start({"true"});
    ASSERT_EQ(found.outcome, StartOutcome::Started);
    EXPECT_TRUE(children.waitForEnd(found.pid, 30s));
}

TEST_F(ChildProcessesTest, TheDesktopOpensWhatXdgOpenTakes)
{
    const std::string savedPath = std::getenv("PATH");
    ::setenv("PATH", dir.c_str(), 1);
    script("xdg-open", "test \"$1\" = /a/known.html\n");
    EXPECT_EQ(posix::openWithXdgOpen(children, "/a/known.html", 30s), DesktopOpenOutcome::Opened);
    EXPECT_EQ(posix::openWithXdgOpen(children, "/a/unknown.xyz", 30s), DesktopOpenOutcome::Failed);
    fs::remove(dir / "xdg-open");
    EXPECT_EQ(posix::openWithXdgOpen(children, "/a/known.html", 30s), DesktopOpenOutcome::Failed);
    ::setenv("PATH", savedPath.c_str(), 1);
}
