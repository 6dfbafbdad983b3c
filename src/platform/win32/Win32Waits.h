#pragma once
// Every bounded wait of the Windows backend, in one place. Each wait ends on what it waits
// for; these are only the limits for a program that never answers.

#include <chrono>

namespace orvanel::win32 {

struct Waits {
    // Until the target is the foreground window with the focus inside it.
    std::chrono::milliseconds activation{1000};
    // A message sent to the target (WM_COPY, WM_PASTE, WM_KEYDOWN, EM_GETSEL, WM_NULL): how
    // long one may take before the target counts as hung. The palette's own messages are
    // handled meanwhile.
    std::chrono::milliseconds messageAnswer{2000};
    // Until the clipboard changes after the copy keys (key emulation).
    std::chrono::milliseconds selectionTaken{3000};
    // A control that cannot be asked for its selection: after its event loop has gone round,
    // how long a copy may still take to show before nothing counts as selected.
    std::chrono::milliseconds withoutProbe{250};
    // Until the clipboard, held open by another program, can be opened.
    std::chrono::milliseconds clipboardOpen{1000};
    // Until a control that can be asked for its selection shows the pasted text.
    std::chrono::milliseconds pasteTaken{3000};
    // Until an edit control's caret has gone back after the Left keys.
    std::chrono::milliseconds caretPlaced{2000};
    // Until a program the palette started shows a window (an editor on a large file may take
    // long; a single-instance editor that hands its file over ends the wait when it ends).
    std::chrono::milliseconds programWindow{10000};
};

} // namespace orvanel::win32
