#include "platform/x11/X11Connection.h"

#include "platform/x11/X11Owned.h"

#include <X11/Xatom.h>
#include <X11/extensions/XRes.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>

namespace orvanel::x11 {
namespace {

// Xlib's error handler is process-wide. Errors on our connections are recorded per display;
// errors on any other connection (the toolkit's) go on to the handler that was there before.
// The last errors of a connection, with the serial number of the request that failed.
struct ErrorLog {
    std::deque<std::pair<unsigned long, int>> recent;
};
std::map<Display*, ErrorLog>& errorLogs()
{
    static std::map<Display*, ErrorLog> logs;
    return logs;
}
XErrorHandler previousHandler = nullptr;

int recordError(Display* dpy, XErrorEvent* e)
{
    auto it = errorLogs().find(dpy);
    if (it == errorLogs().end())
        return previousHandler ? previousHandler(dpy, e) : 0;
    it->second.recent.emplace_back(e->serial, e->error_code);
    if (it->second.recent.size() > 64)
        it->second.recent.pop_front();
    return 0;
}

Atom intern(Display* dpy, const char* name) { return XInternAtom(dpy, name, False); }

} // namespace

Bool X11Connection::isTimeProbe(Display*, XEvent* e, XPointer self)
{
    auto* c = reinterpret_cast<X11Connection*>(self);
    return e->type == PropertyNotify && e->xproperty.window == c->helper_ &&
           e->xproperty.atom == c->atoms_.timeProbe;
}

X11Connection::X11Connection()
{
    dpy_ = XOpenDisplay(nullptr);
    if (!dpy_)
        throw std::runtime_error("cannot open the X display");
    errorLogs()[dpy_] = {};
    XErrorHandler old = XSetErrorHandler(recordError);
    if (old != recordError)
        previousHandler = old;
    root_ = DefaultRootWindow(dpy_);

    auto a = [this](const char* n) { return intern(dpy_, n); };
    atoms_ = Atoms{a("CLIPBOARD"),
                   XA_PRIMARY,
                   a("TARGETS"),
                   a("UTF8_STRING"),
                   XA_STRING,
                   a("TEXT"),
                   a("text/plain;charset=utf-8"),
                   a("text/plain"),
                   a("TIMESTAMP"),
                   a("INCR"),
                   a("MULTIPLE"),
                   a("_NET_SUPPORTED"),
                   a("_NET_ACTIVE_WINDOW"),
                   a("_NET_CLIENT_LIST_STACKING"),
                   a("_NET_CLIENT_LIST"),
                   a("_NET_WM_STATE"),
                   a("_NET_WM_STATE_HIDDEN"),
                   a("_NET_WM_NAME"),
                   a("_NET_WM_PID"),
                   a("_NET_WM_PING"),
                   a("_NET_REQUEST_FRAME_EXTENTS"),
                   a("_NET_FRAME_EXTENTS"),
                   a("WM_PROTOCOLS"),
                   XA_WM_NAME,
                   XA_CARDINAL,
                   XA_WINDOW,
                   XA_ATOM,
                   a("ORVANEL_TRANSFER"),
                   a("ORVANEL_TIME")};

    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    attrs.event_mask = PropertyChangeMask;
    helper_ = XCreateWindow(dpy_, root_, -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                            CopyFromParent, CWOverrideRedirect | CWEventMask, &attrs);
    // Root property changes tell us the active window and the stacking. Answers to pings come
    // to the root with SubstructureNotify (GTK) or StructureNotify (Qt) in their event mask.
    XSelectInput(dpy_, root_, PropertyChangeMask | SubstructureNotifyMask | StructureNotifyMask);

    int major = 0, minor = 0;
    int ev = 0, err = 0;
    haveXRes_ = XResQueryExtension(dpy_, &ev, &err) && XResQueryVersion(dpy_, &major, &minor) &&
                (major > 1 || (major == 1 && minor >= 2));
    XSync(dpy_, False);
}

X11Connection::~X11Connection()
{
    if (helper_)
        XDestroyWindow(dpy_, helper_);
    XCloseDisplay(dpy_);
    errorLogs().erase(dpy_);
}

std::optional<int> X11Connection::errorSince(unsigned long serial) const
{
    const auto& recent = errorLogs()[dpy_].recent;
    for (auto it = recent.rbegin(); it != recent.rend(); ++it)
        if (it->first >= serial)
            return it->second;
    return std::nullopt;
}

Time X11Connection::serverTime()
{
    unsigned char none = 0;
    XChangeProperty(dpy_, helper_, atoms_.timeProbe, atoms_.timeProbe, 8, PropModeAppend, &none, 0);
    // Only the probe's own notify is taken from the queue; every other event stays queued.
    XEvent ev;
    XIfEvent(dpy_, &ev, isTimeProbe, reinterpret_cast<XPointer>(this));
    return ev.xproperty.time;
}

std::optional<Property> X11Connection::readProperty(Window w, Atom property, std::size_t maxBytes, bool remove)
{
    Property out;
    long offset = 0; // in 32-bit units of the property as stored on the server
    for (;;) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* raw = nullptr;
        // A window that is gone answers with an error, which the status says.
        const int status = XGetWindowProperty(dpy_, w, property, offset, 1 << 16, False, AnyPropertyType, &type,
                                              &format, &items, &after, &raw);
        XOwned<unsigned char> data(raw);
        if (status != Success || type == None)
            return std::nullopt;
        const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
        const std::size_t stored = items * static_cast<std::size_t>(format / 8);
        if (out.data.size() + stored + after > maxBytes)
            return std::nullopt;
        out.data.append(reinterpret_cast<const char*>(data.get()), items * unit);
        out.type = type;
        out.format = format;
        if (after == 0)
            break;
        offset += static_cast<long>(stored / 4);
    }
    if (remove)
        XDeleteProperty(dpy_, w, property);
    return out;
}

std::optional<std::vector<unsigned long>> X11Connection::cardinals(Window w, Atom property, Atom type)
{
    auto p = readProperty(w, property);
    if (!p || p->type != type || p->format != 32)
        return std::nullopt;
    std::vector<unsigned long> values(p->data.size() / sizeof(long));
    for (std::size_t i = 0; i < values.size(); ++i) {
        long v;
        std::memcpy(&v, p->data.data() + i * sizeof(long), sizeof(long));
        values[i] = static_cast<unsigned long>(v);
    }
    return values;
}

std::optional<std::string> X11Connection::bytes(Window w, Atom property, Atom type)
{
    auto p = readProperty(w, property);
    if (!p || p->type != type || p->format != 8)
        return std::nullopt;
    return std::move(p->data);
}

ProcessId X11Connection::clientPid(XID id)
{
    if (!haveXRes_ || id == 0)
        return 0;
    XResClientIdSpec client{id, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* raw = nullptr;
    const Status status = XResQueryClientIds(dpy_, 1, &client, &count, &raw);
    auto destroy = [count](XResClientIdValue* v) { XResClientIdsDestroy(count, v); };
    const std::unique_ptr<XResClientIdValue, decltype(destroy)> values(raw, destroy);
    if (status != Success)
        return 0;
    ProcessId pid = 0;
    for (long i = 0; i < count; ++i) {
        if (XResGetClientIdType(&values.get()[i]) == XRES_CLIENT_ID_PID) {
            const pid_t p = XResGetClientPid(&values.get()[i]);
            if (p > 0)
                pid = static_cast<ProcessId>(p);
        }
    }
    return pid;
}

} // namespace orvanel::x11
