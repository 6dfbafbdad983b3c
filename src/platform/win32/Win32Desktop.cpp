#include "platform/win32/Win32Desktop.h"

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"

namespace orvanel::win32 {

std::vector<WindowHandle> Win32Desktop::stackingTopDown()
{
    std::vector<WindowHandle> out;
    for (HWND w : topLevelWindows())
        if (win32::isOwnWindow(w) || !isTopmost(w))
            out.push_back(handleOf(w));
    return out;
}

bool Win32Desktop::windowExists(WindowHandle w) { return w && ::IsWindow(hwndOf(w)); }

bool Win32Desktop::isWindowVisible(WindowHandle w) { return windowExists(w) && isShown(hwndOf(w)); }

bool Win32Desktop::isOwnWindow(WindowHandle w) { return win32::isOwnWindow(hwndOf(w)); }

std::string Win32Desktop::windowTitle(WindowHandle w) { return windowExists(w) ? titleOf(hwndOf(w)) : std::string(); }

ProcessId Win32Desktop::windowProcess(WindowHandle w) { return w ? processOf(hwndOf(w)) : 0; }

WindowHandle Win32Desktop::focusedControl(WindowHandle w)
{
    return windowExists(w) ? handleOf(focusInside(hwndOf(w))) : 0;
}

WindowHandle Win32Desktop::activeWindow() { return handleOf(::GetForegroundWindow()); }

Activation Win32Desktop::bringForward(HWND w, const std::function<bool()>& done)
{
    if (done())
        return Activation::Confirmed;
    if (::IsIconic(w))
        ::ShowWindow(w, SW_RESTORE);
    BOOL brought = FALSE;
    {
        ForegroundLockTimeoutOff unlocked;
        brought = ::SetForegroundWindow(w);
    }
    if (!brought) {
        trace("activation of %p: refused", static_cast<void*>(w));
        return Activation::Refused;
    }
    const Stopwatch watch;
    const bool ok = events_.waitFor(done, waits_.activation);
    trace("activation of %p: %s after %lld ms", static_cast<void*>(w), ok ? "confirmed" : "timed out", watch.ms());
    return ok ? Activation::Confirmed : Activation::TimedOut;
}

Activation Win32Desktop::activateWindow(WindowHandle handle)
{
    HWND w = hwndOf(handle);
    if (!windowExists(handle))
        return Activation::Refused;
    return bringForward(w, [w] { return ::GetForegroundWindow() == w && threadFocusInside(w) != nullptr; });
}

Activation Win32Desktop::activateOwnWindow()
{
    for (HWND w : topLevelWindows()) {
        if (win32::isOwnWindow(w) && isShown(w))
            // The palette does not take the keyboard focus: the foreground is enough.
            return bringForward(w, [w] { return ::GetForegroundWindow() == w; });
    }
    return Activation::Refused;
}

} // namespace orvanel::win32
