#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace orvanel::x11 {

namespace {

// Counts the key named `sym` into `state`.
void addKey(KeyboardState& state, KeySym sym)
{
    switch (sym) {
    case XK_Control_L:
    case XK_Control_R: state.ctrl = true; return;
    case XK_Shift_L:
    case XK_Shift_R: state.shift = true; return;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift: state.alt = true; return; // the right Alt of many layouts
    default: break;
    }
    if (sym >= XK_a && sym <= XK_z)
        state.keys.insert(static_cast<char>('A' + (sym - XK_a)));
    else if (sym >= XK_A && sym <= XK_Z)
        state.keys.insert(static_cast<char>('A' + (sym - XK_A)));
    else if (sym >= XK_0 && sym <= XK_9)
        state.keys.insert(static_cast<char>('0' + (sym - XK_0)));
}

} // namespace

std::optional<KeyboardState> X11Keyboard::keysDownNow()
{
    Display* dpy = c_.display();
    char keymap[32] = {};
    ErrorTrap trap(c_);
    XQueryKeymap(dpy, keymap);
    if (!trap.ok())
        return std::nullopt;
    KeyboardState state;
    for (int code = 8; code < 256; ++code)
        if (keymap[code / 8] & (1 << (code % 8)))
            addKey(state, XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(code), 0, 0));
    return state;
}

} // namespace orvanel::x11
