#pragma once
// The keys of an insertion: the copy (or cut) of the target's selection, the paste and the
// caret steps, each followed by a wait that ends on what the target does with them (it takes
// the clipboard, fetches our text, goes round its event loop).

#include "platform/KeyDelivery.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11SelectionWatch.h"
#include "platform/x11/X11Waits.h"

#include <functional>
#include <map>
#include <set>

namespace orvanel::x11 {

class X11KeyDelivery final : public KeyDelivery {
public:
    X11KeyDelivery(X11Connection& c, X11Events& events, X11SelectionWatch& watch, X11Clipboard& clipboard,
                   const Waits& waits);

    Fetch fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) override;
    Paste paste(WindowHandle target, WindowHandle control, InsertMethod m) override;
    KeysSent caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) override;

private:
    // Whether a client of process `pid` owns `selection` now.
    bool ownedByProcess(Atom selection, ProcessId pid);
    // Sends a ping to `target` when it answers them; pongSeen_ tells when it has.
    bool startPing(Window target, ProcessId pid);
    // Waits until `target`'s event loop has gone round `turns` times (each turn a ping
    // answered) or `enough` holds; false when that did not happen within `limit` or the
    // target does not answer pings (it is remembered when it never answered one).
    bool waitTurns(Window target, ProcessId pid, int turns, const std::function<bool()>& enough,
                   std::chrono::milliseconds limit);

    X11Connection& c_;
    X11Events& events_;
    X11SelectionWatch& watch_;
    X11Clipboard& clipboard_;
    const Waits& waits_;
    Time pingStamp_ = 0;
    bool pongSeen_ = false;
    // Processes whose windows list _NET_WM_PING but never answered one.
    std::set<ProcessId> pongless_;
    // Processes whose editors keep PRIMARY when a paste replaces their selection.
    std::map<ProcessId, bool> keepsPrimary_;
};

} // namespace orvanel::x11
