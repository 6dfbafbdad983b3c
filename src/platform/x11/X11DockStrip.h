#pragma once
// The docking strip on X11: the window becomes a dock (_NET_WM_WINDOW_TYPE_DOCK, no move,
// resize or minimize in _MOTIF_WM_HINTS) that keeps its strip with _NET_WM_STRUT_PARTIAL and
// _NET_WM_STRUT. A window manager reads a window's type only when it takes the window, so
// docking and undocking withdraw the window and map it again. The toolkit writes the type
// and the Motif hints again whenever the window's flags change: while docked, ours are put
// back at once, and the toolkit's values are kept for undocking. So is the state it asks
// for (stay on top), which the window manager does not change for a dock.

#include "platform/DockStrip.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Waits.h"

#include <string>

namespace orvanel::x11 {

class X11DockStrip final : public DockStrip {
public:
    X11DockStrip(X11Connection& c, X11Events& events, const Waits& waits);

    std::vector<TopReservation> reservedAtTop(WindowHandle self) override;
    DockOutcome dock(WindowHandle w, const StripRect& strip) override;
    UndockOutcome undock(WindowHandle w) override;

private:
    struct DockAtoms {
        Atom supported, supportingWmCheck, windowType, windowTypeDock, motifHints, strut,
            strutPartial, wmState, desktop;
    };
    // A property as it was: absent, or its type, format and data (format-32 items as longs).
    struct Property {
        bool present = false;
        Atom type = None;
        int format = 0;
        std::string data;
    };

    // A window manager runs and reserves strips for the windows that ask.
    bool windowManagerKeepsStrips();
    Property read(Window w, Atom property);
    void write(Window w, Atom property, const Property& value);
    void writeLongs(Window w, Atom property, Atom type, const std::vector<long>& values);
    Property dockType() const;
    Property dockMotifHints() const;
    // WM_STATE: withdrawn (also when absent), normal or iconic.
    unsigned long wmState(Window w);
    // Withdraws the window (ICCCM) and waits until the window manager has let it go.
    bool withdraw(Window w);
    // Maps the window and waits until the window manager shows it.
    bool remap(Window w);
    void writeDockForm(Window w, const StripRect& strip);
    // The strut goes, and the type and Motif hints become the toolkit's again.
    void writeOrdinaryForm(Window w);
    // While docked: the toolkit has written the type or the Motif hints.
    bool propertyChanged(const XPropertyEvent& e);
    // While docked: the toolkit asks the window manager to change the window's state.
    bool stateRequested(const XClientMessageEvent& e);

    X11Connection& c_;
    X11Events& events_;
    const Waits& waits_;
    DockAtoms atoms_{};
    Window docked_ = 0;
    Property ordinaryType_, ordinaryMotif_;
    std::vector<long> ordinaryState_; // _NET_WM_STATE atoms
};

} // namespace orvanel::x11
