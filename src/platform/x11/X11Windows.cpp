#include "platform/x11/X11Windows.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Owned.h"

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
    // A window that is gone answers with an error, which the status says (one round trip).
    Window root = None;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    return XGetGeometry(c.display(), w, &root, &x, &y, &width, &height, &border, &depth) != 0;
}

bool isViewable(X11Connection& c, Window w)
{
    XWindowAttributes attrs;
    return XGetWindowAttributes(c.display(), w, &attrs) != 0 && attrs.map_state == IsViewable;
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
    const auto name = c.readProperty(w, c.atoms().wmName);
    if (!name || name->format != 8)
        return {};
    if (name->type == c.atoms().string)
        return latin1ToUtf8(name->data);
    if (name->type == c.atoms().utf8String)
        return name->data;
    // COMPOUND_TEXT and the like: let Xlib convert it to UTF-8.
    XTextProperty prop{};
    if (!XGetWMName(c.display(), w, &prop))
        return {};
    const XOwned<unsigned char> value(prop.value);
    char** raw = nullptr;
    int count = 0;
    const int status = Xutf8TextPropertyToTextList(c.display(), &prop, &raw, &count);
    const StringList list(raw);
    return status >= Success && count > 0 ? std::string(list.get()[0]) : std::string();
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
        Window* raw = nullptr;
        unsigned n = 0;
        const Status s = XQueryTree(c.display(), w, &root, &parent, &raw, &n);
        const XOwned<Window> children(raw);
        if (!s)
            return false;
        w = parent;
    }
    return false;
}

bool requestActivation(X11Connection& c, Window w, Time when)
{
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = c.atoms().netActiveWindow;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = 2; // source indication: a pager, which the window manager obeys
    ev.xclient.data.l[1] = static_cast<long>(when);
    ev.xclient.data.l[2] = static_cast<long>(activeWindow(c));
    const Status sent =
        XSendEvent(c.display(), c.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(c.display());
    return sent != 0;
}

bool supportsPing(X11Connection& c, Window w)
{
    auto protocols = c.cardinals(w, c.atoms().wmProtocols, c.atoms().atom);
    return protocols && std::find(protocols->begin(), protocols->end(), c.atoms().netWmPing) !=
                            protocols->end();
}

void sendPing(X11Connection& c, Window w, long stamp)
{
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = c.atoms().wmProtocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(c.atoms().netWmPing);
    ev.xclient.data.l[1] = stamp;
    ev.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(c.display(), w, False, NoEventMask, &ev);
    XFlush(c.display());
}

} // namespace orvanel::x11
