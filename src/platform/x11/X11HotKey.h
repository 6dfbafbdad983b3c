#pragma once
// The global hot key: XGrabKey on the root window, once for each combination of the
// NumLock and CapsLock states so that those locks do not disable it.

#include "platform/x11/X11Connection.h"

#include <functional>

namespace orvanel::x11 {

class X11HotKey {
public:
    explicit X11HotKey(X11Connection& c) : c_(c) {}
    ~X11HotKey() { ungrab(); }

    // Grabs modifier bits (HotKeyShift, ...) + letter 'A'..'Z'; false when another client
    // holds it (BadAccess) or the letter has no key.
    bool grab(unsigned modifiers, char letter);
    void ungrab();

    // True for a press of the grabbed key; the caller then runs the handler.
    bool handle(const XEvent& e) const;

private:
    void grabAll(bool on);

    X11Connection& c_;
    KeyCode key_ = 0;
    unsigned mask_ = 0;
    unsigned numLockMask_ = 0;
};

} // namespace orvanel::x11
