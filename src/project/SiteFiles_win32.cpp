#include "project/SiteFiles.h"

#include "text/Utf16.h"

#include <windows.h>

#include <algorithm>

// The files of a site through the wide-character calls of Windows.

namespace orvanel::project {

namespace {

// Closes the handle when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

bool isHiddenName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    return name < path.size() && path[name] == '.';
}

// Opens `path` for reading (or, with `access` 0, only to look at it), sharing it with
// every other user of the file.
HANDLE openFile(const std::string& path, DWORD access)
{
    return ::CreateFileW(text::toUtf16(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// What an open handle is: a plain file (with its identity and size) or something else.
FileCheck describe(HANDLE h, const std::string& path)
{
    BY_HANDLE_FILE_INFORMATION info {};
    if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FileState::NotAFile, {}, 0};
    const FileId id{info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const bool hidden = (info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) || isHiddenName(path);
    return {hidden ? FileState::Hidden : FileState::File, id, size};
}

class Win32SiteFiles : public SiteFiles {
public:
    FileCheck check(const std::string& path) override
    {
        const DWORD attributes = ::GetFileAttributesW(text::toUtf16(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return {FileState::Missing, {}, 0};
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return {FileState::NotAFile, {}, 0};
        const Handle h(openFile(path, 0));
        if (h.get() == INVALID_HANDLE_VALUE)
            return {FileState::Missing, {}, 0};
        return describe(h.get(), path);
    }

    FileRead read(const std::string& path) override
    {
        FileRead r;
        if (check(path).state == FileState::NotAFile) { // a folder or a device is never opened for reading
            r.outcome = ReadOutcome::NotAFile;
            return r;
        }
        const Handle h(openFile(path, GENERIC_READ));
        if (h.get() == INVALID_HANDLE_VALUE) {
            r.error = static_cast<int>(::GetLastError());
            return r;
        }
        const FileCheck file = describe(h.get(), path);
        if (file.state == FileState::NotAFile) {
            r.outcome = ReadOutcome::NotAFile;
            return r;
        }
        r.bytes.resize(static_cast<std::size_t>(file.size));
        std::size_t got = 0;
        while (got < r.bytes.size()) {
            DWORD n = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(r.bytes.size() - got, 1u << 30));
            if (!::ReadFile(h.get(), r.bytes.data() + got, want, &n, nullptr)) {
                r.error = static_cast<int>(::GetLastError());
                r.bytes.clear();
                return r;
            }
            if (n == 0)
                break;
            got += n;
        }
        r.bytes.resize(got);
        r.outcome = ReadOutcome::Read;
        return r;
    }

    std::optional<std::string> canonical(const std::string& path) override
    {
        const std::wstring wide = text::toUtf16(path);
        const DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (n == 0)
            return std::nullopt;
        std::wstring full(n, L'\0');
        const DWORD written = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
        if (written == 0 || written >= n)
            return std::nullopt;
        full.resize(written);
        return text::fromUtf16(full);
    }
};

} // namespace

std::unique_ptr<SiteFiles> systemSiteFiles()
{
    return std::make_unique<Win32SiteFiles>();
}

} // namespace orvanel::project
