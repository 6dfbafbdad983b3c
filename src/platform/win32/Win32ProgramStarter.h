#pragma once
// Starting programs on Windows: CreateProcessW with a command line quoted by the C runtime's
// rules, the wait for a window of the started process (WaitForInputIdle, then a shown window
// of its own), and ShellExecuteW for a file or an address.

#include "platform/ProgramStarter.h"
#include "platform/win32/Win32Events.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Waits.h"

#include <map>

namespace orvanel::win32 {

class Win32ProgramStarter final : public ProgramStarter {
public:
    Win32ProgramStarter(Win32Events& events, const Waits& waits) : events_(events), waits_(waits) {}

    StartResult startProcess(const std::vector<std::string>& argv) override;
    WindowWaitOutcome waitForWindow(ProcessId pid) override;
    DesktopOpenOutcome openWithDesktop(const std::string& path) override;

private:
    Win32Events& events_;
    const Waits& waits_;
    // The processes we started, for the wait on their window.
    std::map<ProcessId, UniqueHandle> started_;
};

} // namespace orvanel::win32
