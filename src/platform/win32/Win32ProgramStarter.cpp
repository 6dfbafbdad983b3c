#include "platform/win32/Win32ProgramStarter.h"

#include "platform/win32/Win32CommandLine.h"
#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"
#include "text/Utf16.h"

#include <shellapi.h>

namespace orvanel::win32 {
namespace {

// The program's file: a path as it is, a bare name looked up on the search path (with
// ".exe" when it has no extension); empty when there is no such file.
std::wstring programFile(const std::wstring& program)
{
    if (program.find_first_of(L"\\/:") != std::wstring::npos) {
        const DWORD attributes = ::GetFileAttributesW(program.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? program
                                                                                                   : std::wstring();
    }
    std::wstring found(MAX_PATH, L'\0');
    const DWORD n = ::SearchPathW(nullptr, program.c_str(), L".exe", MAX_PATH, found.data(), nullptr);
    found.resize(n > 0 && n < MAX_PATH ? n : 0);
    return found;
}

bool hasShownWindow(ProcessId pid)
{
    for (HWND w : topLevelWindows())
        if (processOf(w) == pid && isShown(w))
            return true;
    return false;
}

} // namespace

StartResult Win32ProgramStarter::startProcess(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return {StartOutcome::ProgramMissing, 0};
    std::vector<std::wstring> wide;
    for (const std::string& a : argv)
        wide.push_back(text::toUtf16(a));
    const std::wstring program = programFile(wide[0]);
    if (program.empty())
        return {StartOutcome::ProgramMissing, 0};
    std::wstring commandLine = commandLineOf(wide);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        const DWORD error = ::GetLastError();
        trace("CreateProcessW: error %lu", error);
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? StartOutcome::ProgramMissing
                                                                               : StartOutcome::NotExecutable,
                0};
    }
    ::CloseHandle(process.hThread);
    const ProcessId pid = process.dwProcessId;
    started_[pid] = UniqueHandle(process.hProcess);
    return {StartOutcome::Started, pid};
}

WindowWaitOutcome Win32ProgramStarter::waitForWindow(ProcessId pid)
{
    const auto it = started_.find(pid);
    HANDLE process = it != started_.end() ? it->second.get() : nullptr;
    WindowWaitOutcome outcome = WindowWaitOutcome::TimedOut;
    const Stopwatch watch;
    // Until the program waits for input (WaitForInputIdle, asked without waiting so that
    // the palette's loop keeps turning; a program without a message loop never does) with a
    // window of its own shown, or until it ends.
    events_.waitFor(
        [&] {
            if (process && ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
                outcome = WindowWaitOutcome::ProcessEnded;
                return true;
            }
            if ((!process || ::WaitForInputIdle(process, 0) != WAIT_TIMEOUT) && hasShownWindow(pid)) {
                outcome = WindowWaitOutcome::WindowShown;
                return true;
            }
            return false;
        },
        waits_.programWindow);
    static const char* const names[] = {"shown", "process ended", "timed out"};
    trace("window of process %lu: %s after %lld ms", static_cast<unsigned long>(pid),
          names[static_cast<int>(outcome)], watch.ms());
    if (outcome != WindowWaitOutcome::TimedOut && it != started_.end())
        started_.erase(it);
    return outcome;
}

DesktopOpenOutcome Win32ProgramStarter::openWithDesktop(const std::string& path)
{
    // Greater than 32 when the shell took it.
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", text::toUtf16(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    trace("ShellExecuteW: %lld", static_cast<long long>(result));
    return result > 32 ? DesktopOpenOutcome::Opened : DesktopOpenOutcome::Failed;
}

} // namespace orvanel::win32
