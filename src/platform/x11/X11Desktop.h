#pragma once
// The desktop's top-level windows, as the window manager publishes them, and their activation.

#include "platform/Desktop.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Waits.h"

#include <optional>
#include <vector>

namespace orvanel::x11 {

class X11Desktop final : public Desktop {
public:
    X11Desktop(X11Connection& c, X11Events& events, const Waits& waits);
    ~X11Desktop() override;

    std::vector<WindowHandle> stackingTopDown() override;
    bool windowExists(WindowHandle w) override;
    bool isWindowVisible(WindowHandle w) override;
    bool isOwnWindow(WindowHandle w) override;
    std::string windowTitle(WindowHandle w) override;
    ProcessId windowProcess(WindowHandle w) override;
    WindowHandle focusedControl(WindowHandle w) override;
    WindowHandle activeWindow() override;
    Activation activateWindow(WindowHandle w) override;
    Activation activateOwnWindow() override;

private:
    // Asks the window manager for the frame extents of a window of ours and waits for its
    // answer: once it has answered, it has handled every event that reached it before,
    // among them our activation request and the focus changes that came of it. False when it
    // does not offer the request or did not answer in time.
    bool windowManagerRoundTrip();
    // Whether the window manager lists `hint` in _NET_SUPPORTED (read once, again when it changes).
    bool supports(Atom hint);
    // Requests the activation of `w` unless `active` already holds, settles the window
    // manager and waits for `active`.
    Activation activate(Window w, const char* what, const std::function<bool()>& active);

    X11Connection& c_;
    X11Events& events_;
    const Waits& waits_;
    Window probe_ = 0;                 // an unmapped window of ours for the round trip
    unsigned long extentsAnswers_ = 0; // _NET_FRAME_EXTENTS set on it
    std::optional<std::vector<unsigned long>> supported_;
};

} // namespace orvanel::x11
