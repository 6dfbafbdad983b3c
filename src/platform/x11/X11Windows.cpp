#include "platform/x11/X11Windows.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "platform/x11/X11Clipboard.h"

namespace orvanel::x11 {

std::vector<Window> stackingTopDown(X11Connection& c)
{
    const Atoms& a = c.atoms();
    auto list = c.cardinals(c.root(), a.netClientListStacking, a.window);
    if (!list)
        list = c.cardinals(c.root(), a.netClientList, a.window);
    if (!list)
        return {};
    std::vector<Window> out(list->rbegin(), list->rend());
    return out;
}

bool windowExists(X11Connection& c, Window w)
{
    if (!w)
        return false;
    XWindowAttributes attrs;
    ErrorTrap trap(c);
    Status s = XGetWindowAttributes(c.display(), w, &attrs);
    return trap.ok() && s != 0;
}

bool isViewable(X11Connection& c, Window w)
{
    XWindowAttributes attrs;
    ErrorTrap trap(c);
    Status s = XGetWindowAttributes(c.display(), w, &attrs);
    return trap.ok() && s != 0 && attrs.map_state == IsViewable;
}

bool isHidden(X11Connection& c, Window w)
{
    auto state = c.cardinals(w, c.atoms().netWmState, c.atoms().atom);
    return state && std::find(state->begin(), state->end(), c.atoms().netWmStateHidden) !=
                        state->end();
}

std::string windowTitle(X11Connection& c, Window w)
{
    if (auto name = c.bytes(w, c.atoms().netWmName, c.atoms().utf8String))
        return *name;
    Atom type = None;
    int format = 0;
    auto name = c.rawProperty(w, c.atoms().wmName, &type, &format);
    if (!name || format != 8)
        return {};
    if (type == c.atoms().string)
        return latin1ToUtf8(*name);
    if (type == c.atoms().utf8String)
        return *name;
    // COMPOUND_TEXT and the like: let Xlib convert it to UTF-8.
    XTextProperty prop{};
    if (!XGetWMName(c.display(), w, &prop))
        return {};
    std::string out;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(c.display(), &prop, &list, &count) >= Success && count > 0)
        out = list[0];
    if (list)
        XFreeStringList(list);
    XFree(prop.value);
    return out;
}

ProcessId windowPid(X11Connection& c, Window w)
{
    if (auto pid = c.cardinals(w, c.atoms().netWmPid, c.atoms().cardinal); pid && !pid->empty())
        return static_cast<ProcessId>((*pid)[0]);
    // X-Resource answers for any id in a client's range, also for a window that is gone.
    return windowExists(c, w) ? c.clientPid(w) : 0;
}

Window activeWindow(X11Connection& c)
{
    auto active = c.cardinals(c.root(), c.atoms().netActiveWindow, c.atoms().window);
    return active && !active->empty() ? static_cast<Window>((*active)[0]) : None;
}

Window inputFocus(X11Connection& c)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(c.display(), &focus, &revert);
    return focus;
}

bool isInside(X11Connection& c, Window inner, Window outer)
{
    for (Window w = inner; w != None && w != PointerRoot && w != c.root();) {
        if (w == outer)
            return true;
        Window root = None, parent = None;
        Window* children = nullptr;
        unsigned n = 0;
        ErrorTrap trap(c);
        Status s = XQueryTree(c.display(), w, &root, &parent, &children, &n);
        if (children)
            XFree(children);
        if (!trap.ok() || !s)
            return false;
        w = parent;
    }
    return false;
}

void requestActivation(X11Connection& c, Window w, Time when)
{
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = c.atoms().netActiveWindow;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 2; // source indication: a pager, which the window manager obeys
    ev.xclient.data.l[1] = static_cast<long>(when);
    ev.xclient.data.l[2] = static_cast<long>(activeWindow(c));
    XSendEvent(c.display(), c.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &ev);
    XFlush(c.display());
}

bool supportsPing(X11Connection& c, Window w)
{
    auto protocols = c.cardinals(w, c.atoms().wmProtocols, c.atoms().atom);
    return protocols && std::find(protocols->begin(), protocols->end(), c.atoms().netWmPing) !=
                            protocols->end();
}

void sendPing(X11Connection& c, Window w, Time stamp)
{
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = c.atoms().wmProtocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(c.atoms().netWmPing);
    ev.xclient.data.l[1] = static_cast<long>(stamp);
    ev.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(c.display(), w, False, NoEventMask, &ev);
    XFlush(c.display());
}

} // namespace orvanel::x11
