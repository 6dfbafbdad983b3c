#include "app/ExeFolder.h"

#include "text/Utf16.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

// The folders through the Windows wide-character calls; paths end with "\".

namespace orvanel {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string withSeparator(std::string folder)
{
    if (folder.empty() || !isSeparator(folder.back()))
        folder += '\\';
    return folder;
}

// "C:\..." or "\\server\share\...".
bool isAbsolute(const std::string& path)
{
    const bool drive = path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
    const bool unc = path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
    return drive || unc;
}

bool isFolder(const std::wstring& folder)
{
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates `folder` (without its trailing separator) and its missing parents; true when it
// exists afterwards.
bool makeFolders(const std::wstring& folder)
{
    if (folder.empty() || isFolder(folder))
        return !folder.empty();
    const std::size_t sep = folder.find_last_of(L"\\/");
    if (sep != std::wstring::npos && sep > 0)
        makeFolders(folder.substr(0, sep));
    return ::CreateDirectoryW(folder.c_str(), nullptr) || isFolder(folder);
}

// Whether a file can be created in `folder`. The read-only attribute of a folder says
// nothing about that on Windows, and its access rights are best asked by trying: a
// hidden file that is deleted when its handle closes.
bool canCreateFilesIn(const std::string& folder)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring probe = text::toUtf16(withSeparator(folder)) + L".orvanel-write-test-" +
                               std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

// The user's roaming application data folder (%APPDATA%); empty when the system has none.
std::string roamingAppData()
{
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = text::fromUtf16(path);
    ::CoTaskMemFree(path);
    return folder;
}

} // namespace

std::string programFolder()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return ".\\";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        // Cut to the buffer's size: try again with a larger one.
        buffer.resize(buffer.size() * 2);
    }
    const std::size_t sep = buffer.find_last_of(L"\\/");
    return sep == std::wstring::npos ? std::string(".\\") : text::fromUtf16(buffer.substr(0, sep + 1));
}

std::string dataFolderFor(const std::string& programFolder)
{
    // A Windows installation keeps the shipped files beside the executable.
    return withSeparator(programFolder);
}

std::string dataFolder()
{
    return dataFolderFor(programFolder());
}

std::string userFolderFor(const std::string& program,
                          const std::function<const char*(const char*)>& getenv)
{
    if (canCreateFilesIn(program))
        return withSeparator(program);
    const char* appData = getenv("APPDATA");
    // Without an application data folder the program folder stays: saving there fails
    // later with the path in its message.
    if (!appData || !isAbsolute(appData))
        return withSeparator(program);
    const std::string folder = withSeparator(appData) + "Orvanel\\";
    makeFolders(text::toUtf16(folder.substr(0, folder.size() - 1)));
    return folder;
}

std::string userFolder()
{
    // The known folder of the system rather than the environment variable, which the
    // user's environment may lack or which may be in the ANSI code page.
    const std::string appData = roamingAppData();
    return userFolderFor(programFolder(), [&appData](const char* name) -> const char* {
        return std::string_view(name) == "APPDATA" && !appData.empty() ? appData.c_str() : nullptr;
    });
}

} // namespace orvanel
