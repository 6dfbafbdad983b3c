#pragma once
// The keys that move text between the palette and the target window: copying its selection
// to the clipboard, pasting the clipboard into it and stepping its caret, by window messages
// (method 0) or synthesized keys (method 1).

#include "platform/PlatformTypes.h"

namespace orvanel {

class KeyDelivery {
public:
    virtual ~KeyDelivery() = default;
    // Cuts (Messages) or copies (Emulation) the target's selection to the clipboard and
    // returns once the target has taken the clipboard, or once it is clear (or a bounded
    // wait says) that nothing was selected.
    virtual void fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Pastes the clipboard into the target and returns once the target has taken the text
    // (bounded wait).
    virtual void paste(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Moves the target's caret `count` characters to the left.
    virtual void caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) = 0;
};

} // namespace orvanel
