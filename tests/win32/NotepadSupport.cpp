#include "NotepadSupport.h"

#include "platform/win32/Win32Windows.h"

#include <stdexcept>

namespace orvanel::win32 {
namespace {

// Starts `commandLine`, with standard input and output on the given handles when they are set.
UniqueHandle start(std::wstring commandLine, HANDLE in = nullptr, HANDLE out = nullptr)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (in) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in;
        si.hStdOutput = out;
        si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, in != nullptr, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("CreateProcessW failed with error " + std::to_string(::GetLastError()));
    ::CloseHandle(pi.hThread);
    return UniqueHandle(pi.hProcess);
}

HWND notepadOf(DWORD pid)
{
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"Notepad", nullptr));)
        if (processOf(w) == pid)
            return w;
    return nullptr;
}

std::wstring besideThisProgram(const wchar_t* name)
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

} // namespace

Notepad::Notepad() : process_(start(L"notepad.exe"))
{
    ::WaitForInputIdle(process_.get(), 10000);
    const DWORD pid = ::GetProcessId(process_.get());
    // Its window is there once its message loop is idle; should it come later, each look
    // waits on the process, which ends the wait at once if notepad ends.
    for (int i = 0; i < 1000 && !(window_ = notepadOf(pid)); ++i)
        if (::WaitForSingleObject(process_.get(), 10) == WAIT_OBJECT_0)
            break;
    edit_ = window_ ? ::FindWindowExW(window_, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit_)
        throw std::runtime_error("notepad shows no edit control");
}

Notepad::~Notepad() { ::TerminateProcess(process_.get(), 0); }

void Notepad::setText(const std::wstring& text) { ::SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

void Notepad::select(DWORD start, DWORD end) { ::SendMessageW(edit_, EM_SETSEL, start, end); }

std::wstring Notepad::text() const
{
    std::wstring text(static_cast<std::size_t>(::SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::pair<DWORD, DWORD> Notepad::selection() const
{
    DWORD start = 0, end = 0;
    ::SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

Driver::Driver()
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
    if (!::CreatePipe(&inRead, &inWrite, &inherit, 0) || !::CreatePipe(&outRead, &outWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    UniqueHandle childIn(inRead), childOut(outWrite);
    toDriver_ = UniqueHandle(inWrite);
    fromDriver_ = UniqueHandle(outRead);
    // Our ends stay with us.
    ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    process_ = start(L"\"" + besideThisProgram(L"orvanel_insert_driver.exe") + L"\"", childIn.get(), childOut.get());
    // Only the driver holds its ends now: its output ends when it does.
    childIn.reset();
    childOut.reset();
    greeting_ = readLine();
}

Driver::~Driver()
{
    ask("quit");
    if (exitStatus() == -1)
        ::TerminateProcess(process_.get(), 1);
}

std::string Driver::ask(const std::string& line)
{
    const std::string out = line + "\n";
    DWORD written = 0;
    ::WriteFile(toDriver_.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    return line == "quit" ? std::string() : readLine();
}

std::string Driver::readLine()
{
    // Blocks until the driver answers; every wait of the driver is bounded, and the test
    // script bounds the whole run.
    for (;;) {
        const auto nl = pending_.find('\n');
        if (nl != std::string::npos) {
            std::string line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            return line;
        }
        char buf[4096];
        DWORD n = 0;
        if (!::ReadFile(fromDriver_.get(), buf, sizeof buf, &n, nullptr) || n == 0)
            return std::exchange(pending_, std::string());
        pending_.append(buf, n);
    }
}

int Driver::exitStatus(DWORD limitMs)
{
    DWORD status = 0;
    if (::WaitForSingleObject(process_.get(), limitMs) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process_.get(), &status))
        return -1;
    return static_cast<int>(status);
}

} // namespace orvanel::win32
