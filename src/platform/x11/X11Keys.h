#pragma once
// Key delivery: events sent straight to a window (XSendEvent, event mask 0, their own
// modifier state, no activation), and keys synthesized through XTEST for the focused window.

#include "platform/x11/X11Connection.h"

#include <X11/keysym.h>

namespace orvanel::x11 {

// A key press and release sent to window `w` with modifier state `state` (ShiftMask, ...).
void sendKeyTo(X11Connection& c, Window w, KeySym key, unsigned state);

// Releases every modifier key that is held down now (for instance the hot key's).
void releaseHeldModifiers(X11Connection& c);

// Presses `modifier` (NoSymbol for none), taps `key`, releases `modifier`, through XTEST.
void fakeChord(X11Connection& c, KeySym modifier, KeySym key);

} // namespace orvanel::x11
