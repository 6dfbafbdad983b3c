#include "project/SiteFiles.h"

#include "project/LargeMemory.h"
#include "text/StringHash.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

// The files of a site through POSIX calls.

namespace orvanel::project {

namespace {

bool isHiddenName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    return name < path.size() && path[name] == '.';
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A path split into the folder it names and the name in it, the folder opened once: a scan
// looks at many files in few folders, and a look from the open folder walks one name instead
// of every folder from the root again.
class FolderHandles {
public:
    FolderHandles() = default;
    FolderHandles(const FolderHandles&) = delete;
    FolderHandles& operator=(const FolderHandles&) = delete;
    ~FolderHandles()
    {
        for (const auto& [folder, fd] : open_)
            if (fd >= 0)
                ::close(fd);
    }

    // The open folder of `path` and the name in it; AT_FDCWD and the whole path when the
    // path has no folder and name, or its folder cannot be (or is not to be) kept open.
    std::pair<int, const char*> split(const std::string& path)
    {
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos || slash + 1 == path.size())
            return {AT_FDCWD, path.c_str()};
        const std::string_view folder = std::string_view(path).substr(0, slash + 1);
        auto it = open_.find(folder);
        if (it == open_.end()) {
            if (open_.size() >= kMostOpen)
                return {AT_FDCWD, path.c_str()};
            const int fd = ::open(std::string(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            it = open_.emplace(folder, fd).first;
        }
        if (it->second < 0)
            return {AT_FDCWD, path.c_str()};
        return {it->second, path.c_str() + slash + 1};
    }

private:
    // Well below the usual limit of 1024 descriptors a process.
    static constexpr std::size_t kMostOpen = 256;
    std::unordered_map<std::string, int, text::StringHash, std::equal_to<>> open_;
};

class PosixSiteFiles : public SiteFiles {
public:
    FileCheck check(const std::string& path) override;
    FileRead read(const std::string& path) override;
    FileRead readCheckedFile(const std::string& path) override;
    std::optional<std::string> canonical(const std::string& path) override;

private:
    FolderHandles folders_;
};

} // namespace

std::unique_ptr<SiteFiles> systemSiteFiles()
{
    return std::make_unique<PosixSiteFiles>();
}

FileCheck PosixSiteFiles::check(const std::string& path)
{
    struct stat st {};
    const auto [folder, name] = folders_.split(path);
    if (::fstatat(folder, name, &st, 0) != 0)
        return {FileState::Missing, {}, 0};
    if (!S_ISREG(st.st_mode))
        return {FileState::NotAFile, {}, 0};
    const FileId id{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return {isHiddenName(path) ? FileState::Hidden : FileState::File, id, static_cast<std::uint64_t>(st.st_size)};
}

FileRead PosixSiteFiles::read(const std::string& path)
{
    FileRead r;
    // Only plain files are opened at all: opening a device or a pipe may block or act.
    struct stat st {};
    const auto [folder, name] = folders_.split(path);
    if (::fstatat(folder, name, &st, 0) != 0) {
        r.error = errno;
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.outcome = ReadOutcome::NotAFile;
        return r;
    }
    return readCheckedFile(path);
}

FileRead PosixSiteFiles::readCheckedFile(const std::string& path)
{
    FileRead r;
    struct stat st {};
    const auto [folder, name] = folders_.split(path);
    const Descriptor fd(::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        r.error = errno;
        return r;
    }
    if (!S_ISREG(st.st_mode)) { // replaced between the two looks
        r.outcome = ReadOutcome::NotAFile;
        return r;
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    if (size >= 2 * kHugePage) {
        r.bytes.reserve(size);
        adviseLargeMemory(r.bytes.data(), r.bytes.capacity());
    }
    r.bytes.resize(size);
    std::size_t got = 0;
    while (got < r.bytes.size()) {
        const ssize_t n = ::read(fd.get(), r.bytes.data() + got, r.bytes.size() - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.error = errno;
            r.bytes.clear();
            return r;
        }
        got += static_cast<std::size_t>(n);
    }
    r.bytes.resize(got);
    r.outcome = ReadOutcome::Read;
    return r;
}

std::optional<std::string> PosixSiteFiles::canonical(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return std::nullopt;
    std::string out(real);
    std::free(real);
    return out;
}

} // namespace orvanel::project
