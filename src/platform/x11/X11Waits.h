#pragma once
// Every bounded wait of the X11 backend, in one place. Each wait ends on the event it waits
// for; these are only the limits for a program that never answers.

#include <chrono>

namespace orvanel::x11 {

struct Waits {
    // Until the window manager reports the window active and the focus inside it.
    std::chrono::milliseconds activation{1000};
    // Until the target owns the clipboard after the copy keys.
    std::chrono::milliseconds selectionTaken{3000};
    // An editor that answers no pings and owns PRIMARY: how long its copy may take to show.
    std::chrono::milliseconds withoutPing{700};
    // Until the owner of the clipboard has sent its text.
    std::chrono::milliseconds clipboardRead{1000};
    // Until the target has fetched the pasted text.
    std::chrono::milliseconds pasteTaken{3000};
    // Until an editor that replaces its selection on paste has released PRIMARY.
    std::chrono::milliseconds selectionReplaced{100};
    // Turns of the target's event loop let go by after it has fetched pasted text (key
    // emulation), so that an editor that pastes asynchronously has done so before the caret keys.
    int pasteTurns = 8;
    // Until the target has gone round its event loop twice after the caret steps.
    std::chrono::milliseconds keysProcessed{300};
    // Until the window manager has let a window go, or has taken it back (docking).
    std::chrono::milliseconds windowManager{2000};
    // Until a program the palette started shows a window (an editor on a large file may take
    // long; a single-instance editor that hands its file over ends the wait when it ends).
    std::chrono::milliseconds programWindow{10000};
    // Until xdg-open tells whether it could open a file (it ends at once when it cannot).
    std::chrono::milliseconds desktopOpenAnswer{2000};
    // A large text served in pieces (INCR) is given up when its requestor has not asked for
    // the next piece for this long.
    std::chrono::milliseconds transferStalled{5000};
};

} // namespace orvanel::x11
