#pragma once
// Docking the palette as a bar at the top edge of the screen: the record of the strip it
// docks to, the geometry it had before, and what docking does to the window's geometry.

#include "platform/DockStrip.h"

#include <vector>

namespace orvanel {

// A window's place on the screen, in the order the palette saves it.
struct WindowGeometry {
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;
    bool operator==(const WindowGeometry&) const = default;
};

// `strip` moved down below the lowest band that another window keeps at the top edge over
// any of its columns, so that two bars never overlap.
StripRect placeBelow(const StripRect& strip, const std::vector<TopReservation>& reserved);

class AppBar {
public:
    explicit AppBar(DockStrip& strip) : strip_(strip) {}

    // The strip the palette docks to, by its edges (at creation: 0, 0, the screen's width
    // and the palette's height); the palette is not docked.
    void InitAppBar(int left, int top, int right, int bottom);
    // Keeps `current` (the window's place before docking) and docks window `w` on the strip,
    // below any bar that is there already. Docked only when the outcome says so.
    DockOutcome DockAppBar(WindowHandle w, const WindowGeometry& current);
    // Undocks when docked; afterwards the palette is not docked, whatever the outcome.
    UndockOutcome UndockAppBar(WindowHandle w);

    bool docked() const { return docked_; }
    // The strip as docked (the requested one until the palette has docked).
    const StripRect& rect() const { return rect_; }
    // Where the window was before it docked.
    const WindowGeometry& savedGeometry() const { return saved_; }
    // Where a move or resize to `requested` leaves the window: while docked always on the
    // strip, otherwise where it was asked to go.
    WindowGeometry constrain(const WindowGeometry& requested) const;

private:
    DockStrip& strip_;
    StripRect requested_;
    StripRect rect_;
    WindowGeometry saved_;
    bool docked_ = false;
};

} // namespace orvanel
