#pragma once
// Key delivery: events sent straight to a window (XSendEvent, event mask 0, their own
// modifier state, no activation), and keys synthesized through XTEST, which go out only while
// the target window has the input focus.

#include "platform/x11/X11Connection.h"

#include <X11/keysym.h>

#include <functional>
#include <vector>

namespace orvanel::x11 {

// One key with the modifiers held around it: ControlMask, ShiftMask or 0.
struct Stroke {
    KeySym key;
    unsigned modifiers = 0;
};

// Whether every key of `strokes` (and its modifiers) has a key code on this keyboard; no key
// of an operation is sent unless all of them have.
bool haveKeyCodes(X11Connection& c, const std::vector<Stroke>& strokes);

// Runs right before the keys go out, with the server grabbed (no other client acts between it
// and the keys); the keys are not sent when it returns false.
using BeforeKeys = std::function<bool()>;

// Sends a press and a release of each stroke to window `w`, carrying its modifier state and
// the timestamp `time`; false when the window is gone (nothing reached any other window) or
// `before` said no. A toolkit takes its clipboard ownership with the time of the key that asked
// for the copy: a time not older than the clipboard's last change keeps the server from
// ignoring it.
bool sendKeysTo(X11Connection& c, Window w, const std::vector<Stroke>& strokes, Time time = CurrentTime,
                const BeforeKeys& before = {});

// Forgets the modifier mapping read before (call on MappingNotify); it is read again when
// next needed.
void forgetModifierMapping();

// Types the strokes through XTEST if, and only if, `w` is the active window and has the input
// focus: the check and the keys are done with the server grabbed, so that no focus change
// comes between them. Every modifier the user still holds (the hot key's, Alt, Super) is
// released first. False when `w` did not have the focus or `before` said no: nothing was
// typed then.
bool typeInto(X11Connection& c, Window w, const std::vector<Stroke>& strokes, const BeforeKeys& before = {});

} // namespace orvanel::x11
