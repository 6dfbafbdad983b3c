#pragma once
// Our own Xlib connection: opening it, recording protocol errors instead of exiting, the
// atoms we use, window properties read whole within a size bound, and the process behind
// an X id.

#include <X11/Xlib.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformTypes.h"

namespace orvanel::x11 {

struct Atoms {
    Atom clipboard, primary, targets, utf8String, string, text, textPlainUtf8, textPlain, timestamp,
        incr, multiple, netSupported, netActiveWindow, netClientListStacking, netClientList, netWmState,
        netWmStateHidden, netWmName, netWmPid, netWmPing, netRequestFrameExtents, netFrameExtents,
        wmProtocols, wmName, cardinal, window, atom, transferProperty, timeProbe;
};

// A property as it is stored: its type, its format (8, 16 or 32) and its data (format 32
// items as longs, as Xlib hands them out).
struct Property {
    Atom type = None;
    int format = 0;
    std::string data;
};

class X11Connection {
public:
    // The largest window property read (titles, window lists, states).
    static constexpr std::size_t WindowPropertyLimit = 1 << 20;

    // Opens the display named by $DISPLAY; throws std::runtime_error when it cannot.
    X11Connection();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return dpy_; }
    Window root() const { return root_; }
    int fd() const { return ConnectionNumber(dpy_); }
    const Atoms& atoms() const { return atoms_; }
    // A hidden window of ours: owner of our selections and receiver of their replies.
    Window helperWindow() const { return helper_; }

    // The code of the last protocol error of a request with serial number `serial` or later.
    std::optional<int> errorSince(unsigned long serial) const;

    // A server timestamp taken now (a property change on the helper window and its notify).
    Time serverTime();

    // A property read whole; nothing when the window is gone, the property is absent, or it
    // is larger than `maxBytes`. `remove` deletes it once read.
    std::optional<Property> readProperty(Window w, Atom property, std::size_t maxBytes = WindowPropertyLimit,
                                         bool remove = false);
    // A format-32 property of that type, as numbers; a format-8 one as bytes.
    std::optional<std::vector<unsigned long>> cardinals(Window w, Atom property, Atom type);
    std::optional<std::string> bytes(Window w, Atom property, Atom type);

    // The process id of the client that created the resource `id` (X-Resource), 0 when unknown.
    ProcessId clientPid(XID id);

    // Sends the requests and waits until the server has handled them.
    void sync() { XSync(dpy_, False); }

private:
    static Bool isTimeProbe(Display*, XEvent* e, XPointer self);

    Display* dpy_ = nullptr;
    Window root_ = 0;
    Window helper_ = 0;
    Atoms atoms_{};
    bool haveXRes_ = false;
};

// Catches the protocol errors of the requests made between its construction and ok() (by
// their serial numbers, so that a late error of an earlier request does not count).
class ErrorTrap {
public:
    explicit ErrorTrap(X11Connection& c) : c_(c), start_(NextRequest(c.display())) {}
    // Waits for the server to handle everything sent so far; true when none of it failed.
    bool ok()
    {
        c_.sync();
        return !c_.errorSince(start_);
    }
    // The code of the last error (after ok() said there was one).
    int code() const { return c_.errorSince(start_).value_or(0); }

private:
    X11Connection& c_;
    unsigned long start_;
};

} // namespace orvanel::x11
