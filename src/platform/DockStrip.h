#pragma once
// The strip at the top edge of the screen that the palette docks to: the window manager keeps
// other windows out of it, and the window docked there has no frame to move, size or
// minimize it by.

#include "platform/PlatformTypes.h"

#include <vector>

namespace orvanel {

// A rectangle of the screen by its edges: right and bottom lie just outside it.
struct StripRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const StripRect&) const = default;
};

// A band at the top edge of the screen that another window keeps for itself (a panel):
// `height` pixels from the top, over the columns from `startX` to `endX`, both included.
struct TopReservation {
    int height = 0;
    int startX = 0;
    int endX = 0;
};

// How docking ended.
enum class DockOutcome {
    Docked,     // the strip is reserved and the window shows there as a docked bar
    Refused,    // the window manager keeps no strips (none running, or it knows no struts)
    NoAnswer,   // the window manager did not take the window back within the bounded wait;
                // the window is left as it was
    WindowGone, // the window does not exist (or the server refused a request on it)
};

// How undocking ended.
enum class UndockOutcome {
    Undocked,   // the strip is free and the window is an ordinary window again (also when
                // it was not docked)
    NoAnswer,   // the strip is free, but the window manager did not take the window back
                // within the bounded wait
    WindowGone, // the window does not exist any more; its strip went with it
};

class DockStrip {
public:
    virtual ~DockStrip() = default;
    // The bands that windows other than `self` keep at the top edge of the screen.
    virtual std::vector<TopReservation> reservedAtTop(WindowHandle self) = 0;
    // Reserves `strip` (at the top edge, as wide as the screen) for window `w`, makes `w` a
    // docked bar without a frame and places it on `strip`. Waits (bounded, event loop
    // running) until the window manager has taken the window as a bar.
    virtual DockOutcome dock(WindowHandle w, const StripRect& strip) = 0;
    // Frees the strip of `w` and gives it its frame back (the window stays where it is).
    virtual UndockOutcome undock(WindowHandle w) = 0;
};

} // namespace orvanel
