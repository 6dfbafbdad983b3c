#include "platform/x11/X11HotKey.h"

#include "platform/x11/X11Owned.h"

#include <X11/keysym.h>


namespace orvanel::x11 {
namespace {

unsigned numLockMask(Display* dpy)
{
    unsigned mask = 0;
    const KeyCode numLock = XKeysymToKeycode(dpy, XK_Num_Lock);
    const ModifierMap map = modifierMap(dpy);
    if (!map)
        return Mod2Mask;
    for (int mod = 0; mod < 8 && numLock; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[mod * map->max_keypermod + k] == numLock)
                mask = 1u << mod;
    return mask ? mask : Mod2Mask;
}

// The key of a virtual-key code, as the system's codes name them; NoSymbol for a code that
// names no key here.
KeySym keysymOfVirtualKey(int vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return XK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9')
        return XK_0 + (vk - '0');
    if (vk >= 0x60 && vk <= 0x69)
        return XK_KP_0 + (vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87)
        return XK_F1 + (vk - 0x70);
    switch (vk) {
    case 0x08: return XK_BackSpace;
    case 0x09: return XK_Tab;
    case 0x0D: return XK_Return;
    case 0x13: return XK_Pause;
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x21: return XK_Prior;
    case 0x22: return XK_Next;
    case 0x23: return XK_End;
    case 0x24: return XK_Home;
    case 0x25: return XK_Left;
    case 0x26: return XK_Up;
    case 0x27: return XK_Right;
    case 0x28: return XK_Down;
    case 0x2C: return XK_Print;
    case 0x2D: return XK_Insert;
    case 0x2E: return XK_Delete;
    case 0x6A: return XK_KP_Multiply;
    case 0x6B: return XK_KP_Add;
    case 0x6D: return XK_KP_Subtract;
    case 0x6E: return XK_KP_Decimal;
    case 0x6F: return XK_KP_Divide;
    default: return NoSymbol;
    }
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
    const KeySym sym = keysymOfVirtualKey(virtualKey);
    const KeyCode key = sym == NoSymbol ? 0 : XKeysymToKeycode(c_.display(), sym);
    if (!key)
        return HotKeyRegistration::NoSuchKey;
    key_ = key;
    mask_ = ((modifiers & HotKeyShift) ? ShiftMask : 0) |
            ((modifiers & HotKeyControl) ? ControlMask : 0) |
            ((modifiers & HotKeyAlt) ? Mod1Mask : 0);
    numLockMask_ = numLockMask(c_.display());
    ErrorTrap trap(c_);
    grabAll(true);
    if (!trap.ok()) {
        // BadAccess: another client holds the combination; anything else is another refusal.
        const bool taken = trap.code() == BadAccess;
        grabAll(false);
        c_.sync();
        key_ = 0;
        return taken ? HotKeyRegistration::Taken : HotKeyRegistration::Failed;
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
