#include "text/Lines.h"

#include "text/UserError.h"
#include "text/Utf16.h"

#include <atomic>
#include <cerrno>
#include <utility>
#include <windows.h>

// Whole files through the Windows wide-character calls: paths are UTF-8 in the program and
// UTF-16 at the call, so names outside the ANSI code page work.

namespace orvanel::text {

namespace {

// One file handle, closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    FileHandle(FileHandle&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&&) = delete;
    ~FileHandle() { close(); }

    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // False when closing failed (then the last data may not have reached the file).
    bool close()
    {
        if (!valid())
            return true;
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// The errno value of a Windows error, as readFileBytes reports its failures on every system.
int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    default:
        return EIO;
    }
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    constexpr std::size_t kChunk = std::size_t{1} << 30;
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Creates a new file "." + name + ".XXXXXX" beside `target` and names it in `temp`; the
// handle is not valid when no such file could be created.
FileHandle createTemporaryBeside(const std::wstring& target, std::wstring& temp)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t sep = target.find_last_of(L"\\/");
    const std::size_t nameStart = sep == std::wstring::npos ? 0 : sep + 1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned n = ::GetCurrentProcessId() * 2654435761u + ::GetTickCount() + counter++ * 40503u;
        std::wstring suffix = L".";
        for (int digit = 0; digit < 6; ++digit, n >>= 4)
            suffix += L"0123456789ABCDEF"[n & 15];
        temp = target.substr(0, nameStart) + L"." + target.substr(nameStart) + suffix;
        FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid())
            return file;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return FileHandle(INVALID_HANDLE_VALUE);
}

enum class Placed {
    Renamed,     // the temporary file is the target now
    Overwritten, // the target was written in place; the temporary file is left over
    Failed,      // the target is as it was
    Lost,        // the old content is gone and the temporary file could not take its place
};

// Writes `bytes` over the content of the existing file `target`.
Placed overwrite(const std::wstring& target, std::string_view bytes)
{
    FileHandle file(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return Placed::Failed;
    const bool ok = writeAll(file.get(), bytes) && ::SetEndOfFile(file.get()) && ::FlushFileBuffers(file.get());
    return file.close() && ok ? Placed::Overwritten : Placed::Lost;
}

bool heldWithoutDeleteSharing(const std::wstring& file)
{
    FileHandle probe(::CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// The absolute form of `path`, so that the temporary file and the target lie in the same
// folder whatever the current folder (Wine's ReplaceFileW needs it too).
std::wstring absolutePath(const std::wstring& path)
{
    const DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n)
        return path;
    full.resize(written);
    return full;
}

// Puts the complete temporary file `temp` (holding `bytes`) in the place of `target`.
Placed place(const std::wstring& temp, const std::wstring& target, std::string_view bytes)
{
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return Placed::Failed;
        return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? Placed::Renamed
                                                                                    : Placed::Failed;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Placed::Failed;
    // A program that holds the file open without letting it be deleted (an editor, a virus
    // scanner) makes the replacement fail (and Wine's ReplaceFileW leave a stray file
    // behind): its content is written in place then, when that program lets it be
    // written; a read-only file refuses that too.
    if (heldWithoutDeleteSharing(target))
        return overwrite(target, bytes);
    // The new file takes the old one's attributes and security.
    if (::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return Placed::Renamed;
    switch (::GetLastError()) {
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        // The old file is gone and the new one still has its temporary name.
        return ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? Placed::Renamed
                   : Placed::Lost;
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_ACCESS_DENIED:
        // Opened by another program since the look above, or not to be deleted by us.
        return overwrite(target, bytes);
    default:
        return Placed::Failed;
    }
}

} // namespace

std::optional<std::string> readFileBytes(const std::string& path, int* error)
{
    // Others may read, write, rename or delete the file while it is read.
    FileHandle file(::CreateFileW(toUtf16(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        if (error) *error = errnoOf(::GetLastError());
        return std::nullopt;
    }
    std::string bytes;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            if (error) *error = errnoOf(::GetLastError());
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::wstring target = absolutePath(toUtf16(path));
    std::wstring temp;
    FileHandle file = createTemporaryBeside(target, temp);
    if (!file.valid())
        throw fileWriteError(path);
    bool ok = writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    ok = file.close() && ok;
    const Placed placed = ok ? place(temp, target, bytes) : Placed::Failed;
    switch (placed) {
    case Placed::Renamed:
        return;
    case Placed::Overwritten:
        ::DeleteFileW(temp.c_str());
        return;
    case Placed::Failed:
        ::DeleteFileW(temp.c_str());
        throw fileWriteError(path);
    case Placed::Lost:
        // The temporary file is the only copy of the content now: it stays.
        throw fileWriteError(path);
    }
}

bool renameFile(const std::string& from, const std::string& to)
{
    return ::MoveFileExW(toUtf16(from).c_str(), toUtf16(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool pathExists(const std::string& path)
{
    return ::GetFileAttributesW(toUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace orvanel::text
