#include "platform/x11/X11Keys.h"

#include "platform/x11/X11Owned.h"
#include "platform/x11/X11Windows.h"

#include <X11/extensions/XTest.h>

namespace orvanel::x11 {
namespace {

KeyCode code(X11Connection& c, KeySym key) { return XKeysymToKeycode(c.display(), key); }

bool isDown(const char keys[32], KeyCode k) { return (keys[k / 8] & (1 << (k % 8))) != 0; }

// The modifier mapping, read once (it changes only with the keyboard's mapping).
ModifierMap& cachedModifierMap()
{
    static ModifierMap map;
    return map;
}

// Releases every modifier key that is down now. An Alt or Super pressed and released with no
// other key between opens the menu bar of Qt editors (and the overview of some desktops):
// while such a key is still down, a Control tap makes it a chord first.
void releaseHeldModifiers(X11Connection& c)
{
    Display* dpy = c.display();
    char keys[32];
    XQueryKeymap(dpy, keys);
    ModifierMap& map = cachedModifierMap();
    if (!map)
        map = modifierMap(dpy);
    if (!map)
        return;
    const int perMod = map->max_keypermod;
    bool chordNeeded = false;
    for (int mod = Mod1MapIndex; mod <= Mod5MapIndex; ++mod)
        for (int i = 0; i < perMod; ++i)
            if (const KeyCode k = map->modifiermap[mod * perMod + i]; k && isDown(keys, k))
                chordNeeded = true;
    const KeyCode control = code(c, XK_Control_L);
    if (chordNeeded && control && !isDown(keys, control)) {
        XTestFakeKeyEvent(dpy, control, True, CurrentTime);
        XTestFakeKeyEvent(dpy, control, False, CurrentTime);
    }
    for (int i = 0; i < 8 * perMod; ++i)
        if (const KeyCode k = map->modifiermap[i]; k && isDown(keys, k))
            XTestFakeKeyEvent(dpy, k, False, CurrentTime);
}

} // namespace

void forgetModifierMapping() { cachedModifierMap().reset(); }

bool haveKeyCodes(X11Connection& c, const std::vector<Stroke>& strokes)
{
    for (const Stroke& s : strokes) {
        if (!code(c, s.key))
            return false;
        if ((s.modifiers & ControlMask) && !code(c, XK_Control_L))
            return false;
        if ((s.modifiers & ShiftMask) && !code(c, XK_Shift_L))
            return false;
    }
    return true;
}

bool sendKeysTo(X11Connection& c, Window w, const std::vector<Stroke>& strokes, Time time, const BeforeKeys& before)
{
    ErrorTrap trap(c);
    if (before) {
        XGrabServer(c.display());
        if (!before()) {
            XUngrabServer(c.display());
            XFlush(c.display());
            return false;
        }
    }
    for (const Stroke& s : strokes) {
        XKeyEvent ev{};
        ev.display = c.display();
        ev.window = w;
        ev.root = c.root();
        ev.subwindow = None;
        ev.time = time;
        ev.x = ev.y = ev.x_root = ev.y_root = 1;
        ev.same_screen = True;
        ev.state = s.modifiers;
        ev.keycode = code(c, s.key);
        ev.type = KeyPress;
        XSendEvent(c.display(), w, False, NoEventMask, reinterpret_cast<XEvent*>(&ev));
        ev.type = KeyRelease;
        XSendEvent(c.display(), w, False, NoEventMask, reinterpret_cast<XEvent*>(&ev));
    }
    if (before)
        XUngrabServer(c.display());
    return trap.ok();
}

bool typeInto(X11Connection& c, Window w, const std::vector<Stroke>& strokes, const BeforeKeys& before)
{
    Display* dpy = c.display();
    XGrabServer(dpy);
    const bool focused = activeWindow(c) == w && isInside(c, inputFocus(c), w) && (!before || before());
    if (focused) {
        releaseHeldModifiers(c);
        for (const Stroke& s : strokes) {
            const KeyCode control = (s.modifiers & ControlMask) ? code(c, XK_Control_L) : 0;
            const KeyCode shift = (s.modifiers & ShiftMask) ? code(c, XK_Shift_L) : 0;
            const KeyCode k = code(c, s.key);
            for (KeyCode m : {control, shift})
                if (m)
                    XTestFakeKeyEvent(dpy, m, True, CurrentTime);
            XTestFakeKeyEvent(dpy, k, True, CurrentTime);
            XTestFakeKeyEvent(dpy, k, False, CurrentTime);
            for (KeyCode m : {shift, control})
                if (m)
                    XTestFakeKeyEvent(dpy, m, False, CurrentTime);
        }
    }
    XUngrabServer(dpy);
    XFlush(dpy);
    return focused;
}

} // namespace orvanel::x11
