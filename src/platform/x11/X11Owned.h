#pragma once
// Owners of what Xlib hands out: each frees its reply when it goes, so that no path through
// the code pairs an XFree by hand.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace orvanel::x11 {

struct XFreeDeleter {
    void operator()(void* p) const
    {
        if (p)
            XFree(p);
    }
};
// A reply buffer of Xlib (property data, a window list, a text property's value).
template <typename T>
using XOwned = std::unique_ptr<T, XFreeDeleter>;

struct ModifierMapDeleter {
    void operator()(XModifierKeymap* map) const
    {
        if (map)
            XFreeModifiermap(map);
    }
};
// The modifier mapping: which key codes act as Shift, Lock, Control and Mod1..Mod5.
using ModifierMap = std::unique_ptr<XModifierKeymap, ModifierMapDeleter>;
inline ModifierMap modifierMap(Display* dpy) { return ModifierMap(XGetModifierMapping(dpy)); }

struct StringListDeleter {
    void operator()(char** list) const
    {
        if (list)
            XFreeStringList(list);
    }
};
using StringList = std::unique_ptr<char*, StringListDeleter>;

} // namespace orvanel::x11
