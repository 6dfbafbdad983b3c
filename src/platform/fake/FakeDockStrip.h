#pragma once
// The docking strip of the fake platform: it remembers which window holds which strip, and
// a test can make the window manager refuse or not answer, or put another bar at the top.

#include "platform/DockStrip.h"

#include <optional>

namespace orvanel {

class FakeDockStrip final : public DockStrip {
public:
    // The outcome of every docking from now on (Docked: the default).
    void setDockAnswer(DockOutcome answer) { answer_ = answer; }
    // Bands that other windows keep at the top edge.
    void setReservedAtTop(std::vector<TopReservation> reserved) { reserved_ = std::move(reserved); }

    // The window that holds a strip, and the strip; nothing when none is docked.
    std::optional<std::pair<WindowHandle, StripRect>> docked() const { return docked_; }
    int dockCalls() const { return dockCalls_; }
    int undockCalls() const { return undockCalls_; }

    std::vector<TopReservation> reservedAtTop(WindowHandle) override { return reserved_; }
    DockOutcome dock(WindowHandle w, const StripRect& strip) override;
    UndockOutcome undock(WindowHandle w) override;

private:
    DockOutcome answer_ = DockOutcome::Docked;
    std::vector<TopReservation> reserved_;
    std::optional<std::pair<WindowHandle, StripRect>> docked_;
    int dockCalls_ = 0;
    int undockCalls_ = 0;
};

} // namespace orvanel
