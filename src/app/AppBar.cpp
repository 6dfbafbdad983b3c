#include "app/AppBar.h"

#include <algorithm>

namespace orvanel {

StripRect placeBelow(const StripRect& strip, const std::vector<TopReservation>& reserved)
{
    int below = strip.top;
    for (const TopReservation& band : reserved) {
        const bool overlaps = band.startX < strip.right && band.endX >= strip.left;
        if (overlaps)
            below = std::max(below, band.height);
    }
    return {strip.left, below, strip.right, below + strip.height()};
}

void AppBar::InitAppBar(int left, int top, int right, int bottom)
{
    requested_ = rect_ = {left, top, right, bottom};
    docked_ = false;
}

DockOutcome AppBar::DockAppBar(WindowHandle w, const WindowGeometry& current)
{
    saved_ = current;
    // Placed anew at every docking from the strip asked for at creation, so that a bar that
    // has gone since leaves no gap.
    const StripRect placed = placeBelow(requested_, strip_.reservedAtTop(w));
    const DockOutcome outcome = strip_.dock(w, placed);
    if (outcome == DockOutcome::Docked) {
        rect_ = placed;
        docked_ = true;
    }
    return outcome;
}

UndockOutcome AppBar::UndockAppBar(WindowHandle w)
{
    if (!docked_)
        return UndockOutcome::Undocked;
    docked_ = false;
    return strip_.undock(w);
}

WindowGeometry AppBar::constrain(const WindowGeometry& requested) const
{
    if (!docked_)
        return requested;
    return {rect_.left, rect_.top, rect_.height(), rect_.width()};
}

} // namespace orvanel
