// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include "platform/Diagnostics.h"

#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11Windows.h"

#include <algorithm>
#include <chrono>

#include <unistd.h>

namespace orvanel::x11 {
namespace {

Window win(WindowHandle h) { return static_cast<Window>(h); }

ProcessId ownPid() { return static_cast<ProcessId>(getpid()); }

} // namespace

X11Desktop::X11Desktop(X11Connection& c, X11Events& events, const Waits& waits)
    : c_(c), events_(events), waits_(waits)
{
    XSetWindowAttributes attrs{};
    attrs.event_mask = PropertyChangeMask;
    probe_ = XCreateWindow(c_.display(), c_.root(), -10, -10, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
                           CWEventMask, &attrs);
    events_.addHandler([this](const XEvent& e) {
        if (e.type == PropertyNotify && e.xproperty.window == c_.root() &&
            e.xproperty.atom == c_.atoms().netSupported)
            supported_.reset(); // another window manager, or the same one saying more
        if (e.type != PropertyNotify || e.xproperty.window != probe_)
            return false;
        if (e.xproperty.atom == c_.atoms().netFrameExtents && e.xproperty.state == PropertyNewValue)
            ++extentsAnswers_;
        return true;
    });
}

X11Desktop::~X11Desktop() { XDestroyWindow(c_.display(), probe_); }

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
    return windowPid(c_, win(w)) == ownPid();
}

std::string X11Desktop::windowTitle(WindowHandle w) { return x11::windowTitle(c_, win(w)); }

ProcessId X11Desktop::windowProcess(WindowHandle w) { return w ? windowPid(c_, win(w)) : 0; }

// X11 clients route the keys to their own focused widget: the top-level is the control.
WindowHandle X11Desktop::focusedControl(WindowHandle w) { return w; }

WindowHandle X11Desktop::activeWindow() { return x11::activeWindow(c_); }

bool X11Desktop::supports(Atom hint)
{
    if (!supported_)
        supported_ = c_.cardinals(c_.root(), c_.atoms().netSupported, c_.atoms().atom)
                         .value_or(std::vector<unsigned long>{});
    return std::find(supported_->begin(), supported_->end(), hint) != supported_->end();
}

bool X11Desktop::windowManagerRoundTrip()
{
    if (!supports(c_.atoms().netRequestFrameExtents))
        return false;
    const unsigned long before = extentsAnswers_;
    XDeleteProperty(c_.display(), probe_, c_.atoms().netFrameExtents);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = probe_;
    ev.xclient.message_type = c_.atoms().netRequestFrameExtents;
    ev.xclient.format = 32;
    if (!XSendEvent(c_.display(), c_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev))
        return false;
    XFlush(c_.display());
    return events_.waitFor("the window manager's answer to a request sent after the activation",
                           [&]() -> X11Events::Ending {
                               return extentsAnswers_ > before ? "the frame extents were set" : nullptr;
                           },
                           waits_.activation) != nullptr;
}

Activation X11Desktop::activate(Window w, const char* what, const std::function<bool()>& active)
{
    if (!supports(c_.atoms().netActiveWindow)) {
        qCDebug(lcX11) << "activation refused: the window manager does not activate windows";
        return Activation::Refused;
    }
    // A window that is neither mapped nor managed (gone, or withdrawn) cannot be activated; a
    // managed one that is not mapped (minimized, or just appearing) is mapped by the window
    // manager when it activates it.
    if (!active() && !isViewable(c_, w)) {
        const auto managed = x11::stackingTopDown(c_);
        if (std::find(managed.begin(), managed.end(), w) == managed.end()) {
            qCDebug(lcX11) << "activation refused: the window is neither mapped nor managed";
            return Activation::Refused;
        }
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + waits_.activation;
    bool answered = false;
    while (Clock::now() < deadline) {
        if (!active()) {
            if (!requestActivation(c_, w, c_.serverTime())) {
                qCDebug(lcX11) << "activation refused: the request could not be sent";
                return Activation::Refused;
            }
            // Once the window manager has answered a request sent after ours, it has handled
            // ours: a window that is not active then was refused.
            answered = windowManagerRoundTrip() || answered;
        }
        const X11Events::Ending ending = events_.waitFor(
            what,
            [&]() -> X11Events::Ending {
                if (active())
                    return "the window manager reports it active";
                if (!x11::windowExists(c_, w))
                    return "the window was destroyed";
                return nullptr;
            },
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
        if (!ending || !x11::windowExists(c_, w))
            break;
        // The window manager may still have focus changes of its own to make (a window that
        // has just appeared takes the focus): the activation counts once it holds after the
        // window manager has handled everything that reached it until now.
        answered = windowManagerRoundTrip() || answered;
        if (active())
            return Activation::Confirmed;
        qCDebug(lcX11) << "the activation was taken back by the window manager; asking again";
    }
    if (!x11::windowExists(c_, w))
        return Activation::Refused;
    return answered ? Activation::Refused : Activation::TimedOut;
}

Activation X11Desktop::activateWindow(WindowHandle handle)
{
    const Window w = win(handle);
    if (!w)
        return Activation::Refused;
    return activate(w, "the activation of the target",
                    [&] { return x11::activeWindow(c_) == w && isInside(c_, inputFocus(c_), w); });
}

Activation X11Desktop::activateOwnWindow()
{
    for (Window w : x11::stackingTopDown(c_)) {
        if (windowPid(c_, w) == ownPid() && isViewable(c_, w)) {
            // The palette does not take the keyboard focus: the activation is all there is.
            return activate(w, "the activation of the palette", [&] { return x11::activeWindow(c_) == w; });
        }
    }
    return Activation::Refused;
}

} // namespace orvanel::x11
