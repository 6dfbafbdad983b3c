#pragma once
// The top-level windows of the desktop: their stacking, visibility, title and process, the
// control that takes their keys, and which one is active.

#include "platform/PlatformTypes.h"

#include <string>
#include <vector>

namespace orvanel {

// How a request to activate a window ended.
enum class Activation {
    Confirmed, // the window manager reports the window active and the focus is inside it
    Refused,   // the window manager answered and the window is not active (or cannot be: it
               // is gone, unmapped, or the window manager does not activate windows)
    TimedOut,  // no answer within the bounded wait
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Managed top-level windows, topmost first.
    virtual std::vector<WindowHandle> stackingTopDown() = 0;
    virtual bool windowExists(WindowHandle w) = 0;
    // Mapped (viewable) and not hidden (minimized).
    virtual bool isWindowVisible(WindowHandle w) = 0;
    // A window of this process (the palette, its dialogs and menus).
    virtual bool isOwnWindow(WindowHandle w) = 0;
    // The window's title, UTF-8; empty when it has none or is gone.
    virtual std::string windowTitle(WindowHandle w) = 0;
    // 0 when unknown or gone.
    virtual ProcessId windowProcess(WindowHandle w) = 0;
    // The control inside top-level window `w` that receives its keys.
    virtual WindowHandle focusedControl(WindowHandle w) = 0;
    virtual WindowHandle activeWindow() = 0;
    // Makes `w` the active window and waits (bounded, event loop running) until the
    // window manager reports it active and the input focus is inside it.
    virtual Activation activateWindow(WindowHandle w) = 0;
    // Gives the activation back to the palette's own top-level window.
    virtual Activation activateOwnWindow() = 0;
};

} // namespace orvanel
