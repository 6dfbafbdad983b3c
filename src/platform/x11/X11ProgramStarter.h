#pragma once
// The launchers' side of the system on X11: programs started and the desktop's open through
// the POSIX pieces, and the wait for a window of a started process, which only the window
// manager's lists can tell.

#include "platform/ProgramStarter.h"
#include "platform/posix/ChildProcesses.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Waits.h"

namespace orvanel::x11 {

class X11ProgramStarter final : public ProgramStarter {
public:
    X11ProgramStarter(X11Connection& c, X11Events& events, const Waits& waits);

    StartResult startProcess(const std::vector<std::string>& argv) override { return children_.start(argv); }
    // Ends when a managed window whose process (_NET_WM_PID, else the client's) is `pid` is
    // viewable, when the process has ended, or after the bound.
    WindowWaitOutcome waitForWindow(ProcessId pid) override;
    DesktopOpenOutcome openWithDesktop(const std::string& path) override;

private:
    bool windowOfProcessShown(ProcessId pid);

    X11Connection& c_;
    X11Events& events_;
    const Waits& waits_;
    posix::ChildProcesses children_;
    // Set when the window manager's client list changed or a window was mapped on the root.
    bool clientsChanged_ = true;
};

} // namespace orvanel::x11
