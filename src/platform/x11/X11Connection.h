#pragma once
// Our own Xlib connection: opening it, recording protocol errors instead of
// exiting, the atoms we use, window properties and the process behind an X id.

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformTypes.h"

namespace orvanel::x11 {

struct Atoms {
    Atom clipboard, primary, targets, utf8String, string, text, textPlainUtf8, textPlain, timestamp,
        incr, multiple, netActiveWindow, netClientListStacking, netClientList, netWmState,
        netWmStateHidden, netWmName, netWmPid, netWmPing, wmProtocols, wmName, cardinal, window,
        atom, transferProperty, timeProbe;
};

class X11Connection {
public:
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

    // Number of protocol errors recorded on this connection so far; the codes of the last one.
    unsigned long errorCount() const;
    int lastErrorCode() const;

    // A server timestamp taken now (a property change on the helper window and its notify).
    Time serverTime();

    // Properties. Each returns nothing when the window is gone or the property is absent.
    std::optional<std::vector<unsigned long>> cardinals(Window w, Atom property, Atom type);
    std::optional<std::string> bytes(Window w, Atom property, Atom type);
    // Any type: the raw bytes and the actual type.
    std::optional<std::string> rawProperty(Window w, Atom property, Atom* actualType, int* format,
                                           bool remove = false);

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

// Counts the protocol errors raised between its construction and check().
class ErrorTrap {
public:
    explicit ErrorTrap(X11Connection& c) : c_(c), start_(c.errorCount()) {}
    // Waits for the server to handle everything sent so far; true when none of it failed.
    bool ok()
    {
        c_.sync();
        return c_.errorCount() == start_;
    }

private:
    X11Connection& c_;
    unsigned long start_;
};

} // namespace orvanel::x11
