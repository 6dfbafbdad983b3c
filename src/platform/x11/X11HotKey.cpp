#include "platform/x11/X11HotKey.h"

#include <X11/keysym.h>


namespace orvanel::x11 {
namespace {

unsigned numLockMask(Display* dpy)
{
    unsigned mask = 0;
    KeyCode numLock = XKeysymToKeycode(dpy, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(dpy);
    if (!map)
        return Mod2Mask;
    for (int mod = 0; mod < 8 && numLock; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[mod * map->max_keypermod + k] == numLock)
                mask = 1u << mod;
    XFreeModifiermap(map);
    return mask ? mask : Mod2Mask;
}

} // namespace

X11HotKey::X11HotKey(X11Connection& c, X11Events& events) : c_(c), events_(events)
{
    events_.addHandler([this](const XEvent& e) {
        if (!isPress(e))
            return false;
        // The handler runs from the Qt event loop, never inside one of our waits' dispatch.
        if (handler_)
            events_.post(handler_);
        return true;
    });
}

void X11HotKey::grabAll(bool on)
{
    const unsigned variants[] = {0, LockMask, numLockMask_, LockMask | numLockMask_};
    for (unsigned v : variants) {
        if (on)
            XGrabKey(c_.display(), key_, mask_ | v, c_.root(), False, GrabModeAsync, GrabModeAsync);
        else
            XUngrabKey(c_.display(), key_, mask_ | v, c_.root());
    }
}

HotKeyRegistration X11HotKey::registerHotKey(unsigned modifiers, int virtualKey)
{
    ungrab();
    if (virtualKey < 'A' || virtualKey > 'Z')
        return HotKeyRegistration::NoSuchKey;
    KeySym sym = XK_a + (virtualKey - 'A');
    KeyCode key = XKeysymToKeycode(c_.display(), sym);
    if (!key)
        return HotKeyRegistration::NoSuchKey;
    key_ = key;
    mask_ = ((modifiers & HotKeyShift) ? ShiftMask : 0) |
            ((modifiers & HotKeyControl) ? ControlMask : 0) |
            ((modifiers & HotKeyAlt) ? Mod1Mask : 0);
    numLockMask_ = numLockMask(c_.display());
    ErrorTrap trap(c_);
    grabAll(true);
    if (!trap.ok()) { // BadAccess: another client holds the combination
        grabAll(false);
        c_.sync();
        key_ = 0;
        return HotKeyRegistration::Taken;
    }
    return HotKeyRegistration::Registered;
}

void X11HotKey::ungrab()
{
    if (!key_)
        return;
    grabAll(false);
    XFlush(c_.display());
    key_ = 0;
}

bool X11HotKey::isPress(const XEvent& e) const
{
    if (e.type != KeyPress || !key_ || e.xkey.window != c_.root())
        return false;
    const unsigned relevant = ShiftMask | ControlMask | Mod1Mask;
    return e.xkey.keycode == key_ && (e.xkey.state & relevant) == mask_;
}

} // namespace orvanel::x11
