#include "platform/posix/InstanceLockFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanel {

namespace {

class FileLock final : public InstanceLock {
public:
    explicit FileLock(int fd) : fd_(fd) {}
    ~FileLock() override { ::close(fd_); } // closing the file releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

bool isFolder(const char* path)
{
    struct stat st {};
    return path && path[0] == '/' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string instanceLockFilePath(const std::string& name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (isFolder(runtime))
        return std::string(runtime) + "/" + name;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = isFolder(tmp) ? tmp : "/tmp";
    return folder + "/" + name + "-" + std::to_string(::getuid());
}

InstanceLocks::LockResult acquireInstanceLockFile(const std::string& name, std::unique_ptr<InstanceLock>& held)
{
    const std::string path = instanceLockFilePath(name);
    // No symbolic links: in a shared temporary folder the name could be planted.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return InstanceLocks::LockResult::Failed;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        const int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? InstanceLocks::LockResult::AlreadyRunning : InstanceLocks::LockResult::Failed;
    }
    held = std::make_unique<FileLock>(fd);
    return InstanceLocks::LockResult::Acquired;
}

std::unique_ptr<InstanceLocks> createInstanceLocks() { return std::make_unique<InstanceLockFiles>(); }

} // namespace orvanel
