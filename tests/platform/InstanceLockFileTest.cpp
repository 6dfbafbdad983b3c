#include "platform/posix/InstanceLockFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanel::InstanceLock;
using LockResult = orvanel::InstanceLocks::LockResult;

TEST(InstanceLockFile, OneHolderAtATimeWithoutFollowingPlantedLinks)
{
    std::string pattern = (fs::temp_directory_path() / "orvanel-lock-XXXXXX").string();
    const std::string dir = ::mkdtemp(pattern.data());
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = oldRuntime ? oldRuntime : "";
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    EXPECT_EQ(orvanel::instanceLockFilePath("Orvanel"), dir + "/Orvanel");

    std::unique_ptr<InstanceLock> first, second, other;
    ASSERT_EQ(orvanel::acquireInstanceLockFile("Orvanel", first), LockResult::Acquired);
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", second), LockResult::AlreadyRunning);
    EXPECT_FALSE(second);
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Other", other), LockResult::Acquired);
    first.reset(); // releasing the lock admits the next
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", second), LockResult::Acquired);

    // Without a runtime folder the lock lies in the temporary folder, named per user; a
    // link planted under that name is not followed.
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", dir.c_str(), 1);
    const std::string shared = orvanel::instanceLockFilePath("Orvanel");
    EXPECT_EQ(shared, dir + "/Orvanel-" + std::to_string(::getuid()));
    fs::create_symlink(dir + "/elsewhere", shared);
    std::unique_ptr<InstanceLock> held;
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", held), LockResult::Failed);
    EXPECT_FALSE(fs::exists(dir + "/elsewhere"));

    ::unsetenv("TMPDIR");
    if (oldRuntime)
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    fs::remove_all(dir);
}
