#pragma once
// The desktop's top-level windows, as the window manager publishes them, and their activation.

#include "platform/Desktop.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Waits.h"

namespace orvanel::x11 {

class X11Desktop final : public Desktop {
public:
    X11Desktop(X11Connection& c, X11Events& events, const Waits& waits) : c_(c), events_(events), waits_(waits) {}

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
    X11Connection& c_;
    X11Events& events_;
    const Waits& waits_;
};

} // namespace orvanel::x11
