#include "platform/x11/X11Keys.h"

#include <X11/extensions/XTest.h>

namespace orvanel::x11 {

void sendKeyTo(X11Connection& c, Window w, KeySym key, unsigned state)
{
    XKeyEvent ev{};
    ev.display = c.display();
    ev.window = w;
    ev.root = c.root();
    ev.subwindow = None;
    ev.time = CurrentTime;
    ev.x = ev.y = ev.x_root = ev.y_root = 1;
    ev.same_screen = True;
    ev.state = state;
    ev.keycode = XKeysymToKeycode(c.display(), key);
    ev.type = KeyPress;
    XSendEvent(c.display(), w, False, NoEventMask, reinterpret_cast<XEvent*>(&ev));
    ev.type = KeyRelease;
    XSendEvent(c.display(), w, False, NoEventMask, reinterpret_cast<XEvent*>(&ev));
}

void releaseHeldModifiers(X11Connection& c)
{
    char keys[32];
    XQueryKeymap(c.display(), keys);
    XModifierKeymap* map = XGetModifierMapping(c.display());
    if (!map)
        return;
    for (int i = 0; i < 8 * map->max_keypermod; ++i) {
        KeyCode code = map->modifiermap[i];
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))))
            XTestFakeKeyEvent(c.display(), code, False, CurrentTime);
    }
    XFreeModifiermap(map);
}

void fakeChord(X11Connection& c, KeySym modifier, KeySym key)
{
    Display* dpy = c.display();
    KeyCode mod = modifier == NoSymbol ? 0 : XKeysymToKeycode(dpy, modifier);
    KeyCode k = XKeysymToKeycode(dpy, key);
    if (mod)
        XTestFakeKeyEvent(dpy, mod, True, CurrentTime);
    XTestFakeKeyEvent(dpy, k, True, CurrentTime);
    XTestFakeKeyEvent(dpy, k, False, CurrentTime);
    if (mod)
        XTestFakeKeyEvent(dpy, mod, False, CurrentTime);
}

} // namespace orvanel::x11
