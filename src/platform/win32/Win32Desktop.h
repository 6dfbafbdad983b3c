#pragma once
// The desktop's top-level windows in their Z order, and their activation through
// SetForegroundWindow.

#include "platform/Desktop.h"
#include "platform/win32/Win32Events.h"
#include "platform/win32/Win32Waits.h"

namespace orvanel::win32 {

class Win32Desktop final : public Desktop {
public:
    Win32Desktop(Win32Events& events, const Waits& waits) : events_(events), waits_(waits) {}

    // The program's own windows and the windows of other programs that do not stay on top,
    // from the top down. The program's application window lies at the top of the windows
    // that do not stay on top, and the target is the window below it: windows that stay on
    // top of everything (the task bar, tool tips, other palettes) lie above it and are never
    // the window the user just worked in.
    std::vector<WindowHandle> stackingTopDown() override;
    bool windowExists(WindowHandle w) override;
    bool isWindowVisible(WindowHandle w) override;
    bool isOwnWindow(WindowHandle w) override;
    std::string windowTitle(WindowHandle w) override;
    ProcessId windowProcess(WindowHandle w) override;
    // GetFocus in the window's thread, with our input attached to it for the question only.
    WindowHandle focusedControl(WindowHandle w) override;
    WindowHandle activeWindow() override;
    // SetForegroundWindow with the foreground lock time-out off, then a bounded wait until
    // the window is the foreground window and its thread's focus lies inside it.
    Activation activateWindow(WindowHandle w) override;
    Activation activateOwnWindow() override;

private:
    // Brings `w` to the foreground and waits until `done` holds.
    Activation bringForward(HWND w, const std::function<bool()>& done);

    Win32Events& events_;
    const Waits& waits_;
};

} // namespace orvanel::win32
