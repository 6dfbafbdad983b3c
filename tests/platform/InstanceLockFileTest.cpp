#include "platform/x11/InstanceLockFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using orvanel::InstanceLock;
using orvanel::Platform;

namespace {

// Points XDG_RUNTIME_DIR (and TMPDIR) at a fresh folder for one test.
class RuntimeFolder {
public:
    RuntimeFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "orvanel-lock-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        saveEnv("XDG_RUNTIME_DIR", oldRuntime_);
        saveEnv("TMPDIR", oldTmp_);
        ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~RuntimeFolder()
    {
        restoreEnv("XDG_RUNTIME_DIR", oldRuntime_);
        restoreEnv("TMPDIR", oldTmp_);
        fs::remove_all(path_);
    }
    std::string path() const { return path_.string(); }

private:
    static void saveEnv(const char* name, std::optional<std::string>& slot)
    {
        if (const char* v = std::getenv(name))
            slot = v;
    }
    static void restoreEnv(const char* name, const std::optional<std::string>& slot)
    {
        if (slot)
            ::setenv(name, slot->c_str(), 1);
        else
            ::unsetenv(name);
    }
    fs::path path_;
    std::optional<std::string> oldRuntime_, oldTmp_;
};

} // namespace

TEST(InstanceLockFile, OneHolderAtATimeAndReleasedWithTheLock)
{
    RuntimeFolder runtime;
    EXPECT_EQ(orvanel::instanceLockFilePath("Orvanel"), runtime.path() + "/Orvanel");

    std::unique_ptr<InstanceLock> first, second;
    ASSERT_EQ(orvanel::acquireInstanceLockFile("Orvanel", first), Platform::LockResult::Acquired);
    ASSERT_TRUE(first);
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", second),
              Platform::LockResult::AlreadyRunning);
    EXPECT_FALSE(second);
    // Another name is another lock.
    std::unique_ptr<InstanceLock> other;
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Other", other), Platform::LockResult::Acquired);

    first.reset();
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", second), Platform::LockResult::Acquired);
}

TEST(InstanceLockFile, TemporaryFolderFallbackCarriesTheUserIdAndRefusesLinks)
{
    RuntimeFolder runtime;
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", runtime.path().c_str(), 1);
    const std::string path = orvanel::instanceLockFilePath("Orvanel");
    EXPECT_EQ(path, runtime.path() + "/Orvanel-" + std::to_string(::getuid()));

    // A link planted under the lock's name is not followed.
    fs::create_symlink(runtime.path() + "/elsewhere", path);
    std::unique_ptr<InstanceLock> held;
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", held), Platform::LockResult::Failed);
    EXPECT_FALSE(fs::exists(runtime.path() + "/elsewhere"));
    fs::remove(path);
    EXPECT_EQ(orvanel::acquireInstanceLockFile("Orvanel", held), Platform::LockResult::Acquired);
}
