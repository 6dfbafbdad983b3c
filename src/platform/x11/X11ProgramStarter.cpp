// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include "platform/LaunchLog.h"

#include "platform/x11/X11ProgramStarter.h"

#include "platform/posix/DesktopOpen.h"
#include "platform/x11/X11Windows.h"

namespace orvanel::x11 {

namespace {

const char* outcomeName(WindowWaitOutcome o)
{
    switch (o) {
    case WindowWaitOutcome::WindowShown: return "a window shown";
    case WindowWaitOutcome::ProcessEnded: return "the process ended without one";
    case WindowWaitOutcome::TimedOut: return "limit reached";
    }
    return "?";
}

} // namespace

X11ProgramStarter::X11ProgramStarter(X11Connection& c, X11Events& events, const Waits& waits)
    : c_(c), events_(events), waits_(waits)
{
    // The root's property changes and the mapping of its children come to our connection
    // already (see X11Connection); only noted here, never taken from the others.
    events_.addHandler([this](const XEvent& e) {
        const Atoms& a = c_.atoms();
        if ((e.type == PropertyNotify && e.xproperty.window == c_.root()
             && (e.xproperty.atom == a.netClientList || e.xproperty.atom == a.netClientListStacking))
            || (e.type == MapNotify && e.xmap.event == c_.root()))
            clientsChanged_ = true;
        return false;
    });
}

bool X11ProgramStarter::windowOfProcessShown(ProcessId pid)
{
    for (const Window w : stackingTopDown(c_))
        if (windowPid(c_, w) == pid && isViewable(c_, w))
            return true;
    return false;
}

WindowWaitOutcome X11ProgramStarter::waitForWindow(ProcessId pid)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    // A toolkit may set the window's process after the window manager has listed it:
    // look again now and then also without news.
    constexpr auto Rescan = std::chrono::milliseconds(250);
    auto lastScan = start - Rescan;
    WindowWaitOutcome outcome = WindowWaitOutcome::TimedOut;
    clientsChanged_ = true;
    events_.waitFor(
        "a window of the started program",
        [&]() -> X11Events::Ending {
            if (clientsChanged_ || Clock::now() - lastScan >= Rescan) {
                clientsChanged_ = false;
                lastScan = Clock::now();
                if (windowOfProcessShown(pid)) {
                    outcome = WindowWaitOutcome::WindowShown;
                    return "a window of the process shown";
                }
            }
            if (children_.hasEnded(pid)) {
                outcome = WindowWaitOutcome::ProcessEnded;
                return "the process ended";
            }
            return nullptr;
        },
        waits_.programWindow);
    qCDebug(lcLaunch).noquote() << QStringLiteral("wait for a window of process %1: %2 after %3 ms")
                                       .arg(pid)
                                       .arg(QString::fromLatin1(outcomeName(outcome)))
                                       .arg(std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
                                            0, 'f', 1);
    return outcome;
}

DesktopOpenOutcome X11ProgramStarter::openWithDesktop(const std::string& path)
{
    return posix::openWithXdgOpen(children_, path, waits_.desktopOpenAnswer);
}

} // namespace orvanel::x11
