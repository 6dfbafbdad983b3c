#include "project/SiteFiles.h"

#include "project/LargeMemory.h"
#include "text/NameSet.h"
#include "text/StringHash.h"
#include "text/TextOps.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

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

// The folders a scan looks in. Each is opened once, so that a look from it walks one name
// instead of every folder from the root again; and a folder where many names are missing is
// listed once, so that a missing name costs no call at all (a scan meets many references to
// missing files, and the system's look-up of a name that is not there is its slowest).
class Folders {
public:
    struct Folder {
        int fd = -1;
        std::uint64_t listingSize = 0; // the folder's size, what listing it costs
        std::size_t misses = 0;
        bool listed = false;
        // When listed: its names in lower case, as a file system may ignore case.
        text::NameSet lowerNames;
    };

    Folders()
    {
        // A quarter of what the process may open, at most 256: reading pages needs some too.
        rlimit limit{};
        if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
            mostOpen_ = std::min<std::size_t>(mostOpen_, static_cast<std::size_t>(limit.rlim_cur / 4));
    }
    Folders(const Folders&) = delete;
    Folders& operator=(const Folders&) = delete;
    ~Folders()
    {
        for (const auto& [path, folder] : open_)
            if (folder.fd >= 0)
                ::close(folder.fd);
    }

    // The open folder of `path` (nullptr when the path has no folder and name, or its folder
    // cannot be, or is not to be, kept open) and what to look up from it (then the whole path).
    std::pair<Folder*, const char*> split(const std::string& path)
    {
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos || slash + 1 == path.size())
            return {nullptr, path.c_str()};
        const std::string_view folderPath = std::string_view(path).substr(0, slash + 1);
        auto it = open_.find(folderPath);
        if (it == open_.end()) {
            if (open_.size() >= mostOpen_)
                return {nullptr, path.c_str()};
            Folder folder;
            folder.fd = ::open(std::string(folderPath).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            struct stat st {};
            if (folder.fd >= 0 && ::fstat(folder.fd, &st) == 0)
                folder.listingSize = static_cast<std::uint64_t>(st.st_size);
            it = open_.emplace(folderPath, std::move(folder)).first;
        }
        if (it->second.fd < 0)
            return {nullptr, path.c_str()};
        return {&it->second, path.c_str() + slash + 1};
    }

    // Whether `name` is surely not in the folder, without a call.
    static bool surelyMissing(const Folder& folder, std::string_view name)
    {
        if (!folder.listed)
            return false;
        std::string lower(name);
        for (char& c : lower) {
            if (static_cast<unsigned char>(c) > 0x7F)
                return false; // a file system may fold the case of more than ASCII
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return !folder.lowerNames.contains(lower);
    }

    // A name was not there: after enough such looks the folder is listed, where each look
    // saved has paid for reading about as many names as a block of the folder holds.
    static void missed(Folder& folder)
    {
        if (folder.listed || ++folder.misses * 4096 < folder.listingSize)
            return;
        folder.listed = true;
        const int fd = ::openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
        if (!dir) {
            if (fd >= 0)
                ::close(fd);
            folder.listed = false; // unreadable: names are looked up one by one
            folder.listingSize = UINT64_MAX;
            return;
        }
        errno = 0;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir))
            names.push_back(text::toAsciiLower(entry->d_name));
        if (errno != 0) { // a listing cut short proves nothing
            folder.listed = false;
            folder.listingSize = UINT64_MAX;
        } else {
            folder.lowerNames = text::NameSet(names);
        }
        ::closedir(dir);
    }

private:
    std::size_t mostOpen_ = 256;
    std::unordered_map<std::string, Folder, text::StringHash, std::equal_to<>> open_;
};

class PosixSiteFiles : public SiteFiles {
public:
    FileCheck check(const std::string& path) override;
    FileRead read(const std::string& path) override;
    FileRead readCheckedFile(const std::string& path) override { return readCheckedFileInPieces(path, {}); }
    FileRead readCheckedFileInPieces(const std::string& path, const ReadPieces& pieces) override;
    std::optional<std::string> canonical(const std::string& path) override;

private:
    Folders folders_;
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
    if (folder && Folders::surelyMissing(*folder, name))
        return {FileState::Missing, {}, 0};
    if (::fstatat(folder ? folder->fd : AT_FDCWD, name, &st, 0) != 0) {
        if (folder && errno == ENOENT)
            Folders::missed(*folder);
        return {FileState::Missing, {}, 0};
    }
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
    if (::fstatat(folder ? folder->fd : AT_FDCWD, name, &st, 0) != 0) {
        r.error = errno;
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.outcome = ReadOutcome::NotAFile;
        return r;
    }
    return readCheckedFile(path);
}

FileRead PosixSiteFiles::readCheckedFileInPieces(const std::string& path, const ReadPieces& pieces)
{
    FileRead r;
    struct stat st {};
    const auto [folder, name] = folders_.split(path);
    const Descriptor fd(::openat(folder ? folder->fd : AT_FDCWD, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
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
    // Read straight into the string's memory, which is not filled with zeros first where
    // the library allows it (tens of megabytes of zeros the read writes over at once). With
    // `pieces`, a piece at a time, each handed on while the processor's caches hold it.
    constexpr std::size_t kPiece = std::size_t{256} << 10;
    int error = 0;
    const auto fill = [&](char* data, std::size_t room) {
        std::size_t got = 0;
        while (got < room) {
            const ssize_t n = ::read(fd.get(), data + got, pieces ? std::min(room - got, kPiece) : room - got);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error = errno;
                return std::size_t{0};
            }
            got += static_cast<std::size_t>(n);
            if (pieces)
                pieces(data, got);
        }
        return got;
    };
#if defined(__cpp_lib_string_resize_and_overwrite)
    r.bytes.resize_and_overwrite(size, fill);
#else
    r.bytes.resize(size);
    r.bytes.resize(fill(r.bytes.data(), size));
#endif
    if (error != 0) {
        r.error = error;
        return r;
    }
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
