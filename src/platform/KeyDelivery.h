#pragma once
// The keys that move text between the palette and the target window: copying its selection
// to the clipboard, pasting the clipboard into it and stepping its caret, by window messages
// (method 0: events sent to the target window itself) or synthesized keys (method 1: keys
// typed into the window that has the focus). Synthesized keys go out only while the target
// has the focus: a key never reaches another window.

#include "platform/PlatformTypes.h"

#include <string>

namespace orvanel {

// How the copy of the target's selection ended.
enum class Fetch {
    Taken,           // the target put its selection on the clipboard
    NothingSelected, // the target handled the keys and took no clipboard: no selection
    TimedOut,        // the target did not show within the bounded wait whether it copied
    Failed,          // the keys could not be sent (no key code for them, an X error)
    Interfered,      // another program took the clipboard meanwhile: whether the target had a
                     // selection cannot be told
    TargetLost,      // the target is gone, or no longer has the focus: nothing was sent
};

// How the paste ended.
enum class Paste {
    Taken,      // the target fetched the text from the clipboard
    TimedOut,   // the target did not fetch it within the bounded wait
    Failed,     // the keys could not be sent (no key code for them)
    Interfered, // another program took the clipboard before the target fetched our text: the
                // target may have pasted that program's text
    LateCopy,   // the target copied its selection only after the fetch had ended (it was slow):
                // it has a selection after all, and our text was not pasted
    TargetLost, // the target is gone, or no longer has the focus: nothing was sent
};

// How a run of keys ended.
enum class KeysSent {
    Sent,
    Failed,     // the keys could not be sent (no key code for them)
    TargetLost, // the target is gone, or no longer has the focus: nothing was sent
};

class KeyDelivery {
public:
    virtual ~KeyDelivery() = default;
    // Copies the target's selection to the clipboard (Ctrl+Insert) and waits until the
    // target has taken the clipboard, or until it is clear that nothing was selected.
    virtual Fetch fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Pastes the clipboard into the target (Shift+Insert) and waits until the target has
    // fetched the text.
    virtual Paste paste(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Moves the target's caret `count` characters to the left and waits until it has
    // handled the keys.
    virtual KeysSent caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) = 0;
    // Types `ascii` (printable ASCII) into the target at its caret and waits until it has
    // handled the keys. Failed: a character has no key on this keyboard (or the keyboard's
    // locks or layout would turn the keys into other characters), or the target copied
    // its selection late or may still copy one (it has a selection after all, which the keys
    // would replace); nothing was sent then.
    virtual KeysSent typeText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& ascii) = 0;
};

} // namespace orvanel
