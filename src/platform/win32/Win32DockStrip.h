#pragma once
// The docking strip on Windows: the window becomes a system application bar at the top edge
// (SHAppBarMessage ABM_NEW, ABM_SETPOS), which keeps other windows out of its strip, and
// loses its sizing frame and its minimize and maximize buttons until it undocks (ABM_REMOVE).

#include "platform/DockStrip.h"

#include <windows.h>

namespace orvanel::win32 {

class Win32DockStrip final : public DockStrip {
public:
    ~Win32DockStrip() override;

    // The band at the top of the primary screen that the work area leaves out: the bars of
    // other programs (the task bar at the top, say).
    std::vector<TopReservation> reservedAtTop(WindowHandle self) override;
    // Refused when the system keeps no application bars (ABM_NEW fails).
    DockOutcome dock(WindowHandle w, const StripRect& strip) override;
    UndockOutcome undock(WindowHandle w) override;

private:
    HWND docked_ = nullptr;
    LONG_PTR ordinaryStyle_ = 0;
};

} // namespace orvanel::win32
