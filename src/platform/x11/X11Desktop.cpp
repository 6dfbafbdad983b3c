#include "platform/x11/X11Desktop.h"

#include "platform/x11/X11Windows.h"

#include <unistd.h>

namespace orvanel::x11 {
namespace {

Window win(WindowHandle h) { return static_cast<Window>(h); }

ProcessId ownPid() { return static_cast<ProcessId>(getpid()); }

} // namespace

std::vector<WindowHandle> X11Desktop::stackingTopDown()
{
    auto list = x11::stackingTopDown(c_);
    return {list.begin(), list.end()};
}

bool X11Desktop::windowExists(WindowHandle w) { return x11::windowExists(c_, win(w)); }

bool X11Desktop::isWindowVisible(WindowHandle w)
{
    return isViewable(c_, win(w)) && !isHidden(c_, win(w));
}

bool X11Desktop::isOwnWindow(WindowHandle w)
{
    return windowPid(c_, win(w)) == ownPid() || c_.clientPid(win(w)) == ownPid();
}

std::string X11Desktop::windowTitle(WindowHandle w) { return x11::windowTitle(c_, win(w)); }

ProcessId X11Desktop::windowProcess(WindowHandle w) { return w ? windowPid(c_, win(w)) : 0; }

// X11 clients route the keys to their own focused widget: the top-level is the control.
WindowHandle X11Desktop::focusedControl(WindowHandle w) { return w; }

WindowHandle X11Desktop::activeWindow() { return x11::activeWindow(c_); }

Activation X11Desktop::activateWindow(WindowHandle handle)
{
    Window w = win(handle);
    if (!x11::windowExists(c_, w))
        return Activation::Refused;
    auto active = [&] { return x11::activeWindow(c_) == w && isInside(c_, inputFocus(c_), w); };
    if (active())
        return Activation::Confirmed;
    requestActivation(c_, w, c_.serverTime());
    return events_.waitFor(active, waits_.activation) ? Activation::Confirmed : Activation::TimedOut;
}

Activation X11Desktop::activateOwnWindow()
{
    for (Window w : x11::stackingTopDown(c_)) {
        if (windowPid(c_, w) == ownPid() && isViewable(c_, w)) {
            if (x11::activeWindow(c_) == w)
                return Activation::Confirmed;
            requestActivation(c_, w, c_.serverTime());
            // The palette does not take the keyboard focus: wait for the activation only.
            return events_.waitFor([&] { return x11::activeWindow(c_) == w; }, waits_.activation)
                ? Activation::Confirmed
                : Activation::TimedOut;
        }
    }
    return Activation::Refused;
}

} // namespace orvanel::x11
