#include "platform/x11/X11DockStrip.h"

#include "platform/x11/X11Windows.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cstring>

namespace orvanel::x11 {
namespace {

// _MOTIF_WM_HINTS: which fields count, the functions and the decorations.
constexpr long MwmHintsFunctions = 1L << 0;
constexpr long MwmHintsDecorations = 1L << 1;
constexpr long MwmFuncClose = 1L << 5;
// WM_STATE values.
constexpr unsigned long WithdrawnState = 0;
constexpr unsigned long NormalState = 1;
// _NET_WM_DESKTOP of a window shown on every desktop.
constexpr long AllDesktops = 0xFFFFFFFF;

std::string bytesOf(const std::vector<long>& values)
{
    return {reinterpret_cast<const char*>(values.data()), values.size() * sizeof(long)};
}

bool contains(const std::vector<unsigned long>& list, Atom a)
{
    return std::find(list.begin(), list.end(), a) != list.end();
}

} // namespace

X11DockStrip::X11DockStrip(X11Connection& c, X11Events& events, const Waits& waits)
    : c_(c), events_(events), waits_(waits)
{
    const char* names[] = {"_NET_SUPPORTED",         "_NET_SUPPORTING_WM_CHECK",
                           "_NET_WM_WINDOW_TYPE",    "_NET_WM_WINDOW_TYPE_DOCK",
                           "_MOTIF_WM_HINTS",        "_NET_WM_STRUT",
                           "_NET_WM_STRUT_PARTIAL",  "WM_STATE",
                           "_NET_WM_DESKTOP"};
    Atom a[std::size(names)] = {};
    XInternAtoms(c_.display(), const_cast<char**>(names), static_cast<int>(std::size(names)), False, a);
    atoms_ = {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]};
    events_.addHandler([this](const XEvent& e) {
        return (e.type == PropertyNotify && propertyChanged(e.xproperty)) ||
               (e.type == ClientMessage && stateRequested(e.xclient));
    });
}

bool X11DockStrip::windowManagerKeepsStrips()
{
    const Window root = c_.root();
    // The window manager's check window names itself while the window manager runs.
    auto check = c_.cardinals(root, atoms_.supportingWmCheck, c_.atoms().window);
    if (!check || check->empty())
        return false;
    auto self = c_.cardinals(static_cast<Window>(check->front()), atoms_.supportingWmCheck, c_.atoms().window);
    if (!self || self->empty() || self->front() != check->front())
        return false;
    auto supported = c_.cardinals(root, atoms_.supported, c_.atoms().atom);
    return supported && (contains(*supported, atoms_.strutPartial) || contains(*supported, atoms_.strut));
}

std::vector<TopReservation> X11DockStrip::reservedAtTop(WindowHandle self)
{
    std::vector<TopReservation> out;
    auto clients = c_.cardinals(c_.root(), c_.atoms().netClientList, c_.atoms().window);
    if (!clients)
        return out;
    const int screenWidth = DisplayWidth(c_.display(), DefaultScreen(c_.display()));
    for (unsigned long id : *clients) {
        const Window w = static_cast<Window>(id);
        if (w == static_cast<Window>(self))
            continue;
        if (auto partial = c_.cardinals(w, atoms_.strutPartial, c_.atoms().cardinal); partial && partial->size() >= 12) {
            if ((*partial)[2] > 0)
                out.push_back({static_cast<int>((*partial)[2]), static_cast<int>((*partial)[8]),
                               static_cast<int>((*partial)[9])});
        } else if (auto strut = c_.cardinals(w, atoms_.strut, c_.atoms().cardinal); strut && strut->size() >= 4) {
            if ((*strut)[2] > 0)
                out.push_back({static_cast<int>((*strut)[2]), 0, screenWidth - 1});
        }
    }
    return out;
}

X11DockStrip::Property X11DockStrip::read(Window w, Atom property)
{
    Property p;
    if (auto read = c_.readProperty(w, property)) {
        p.present = true;
        p.type = read->type;
        p.format = read->format;
        p.data = std::move(read->data);
    }
    return p;
}

void X11DockStrip::write(Window w, Atom property, const Property& value)
{
    if (!value.present) {
        XDeleteProperty(c_.display(), w, property);
        return;
    }
    const std::size_t unit = value.format == 32 ? sizeof(long) : static_cast<std::size_t>(value.format / 8);
    XChangeProperty(c_.display(), w, property, value.type, value.format, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value.data.data()),
                    static_cast<int>(unit ? value.data.size() / unit : 0));
}

void X11DockStrip::writeLongs(Window w, Atom property, Atom type, const std::vector<long>& values)
{
    write(w, property, {true, type, 32, bytesOf(values)});
}

X11DockStrip::Property X11DockStrip::dockType() const
{
    return {true, c_.atoms().atom, 32, bytesOf({static_cast<long>(atoms_.windowTypeDock)})};
}

X11DockStrip::Property X11DockStrip::dockMotifHints() const
{
    // Closable only: no move, resize, minimize or maximize; no decorations, not even a border
    // that would reach past the strip.
    return {true, atoms_.motifHints, 32, bytesOf({MwmHintsFunctions | MwmHintsDecorations, MwmFuncClose, 0, 0, 0})};
}

unsigned long X11DockStrip::wmState(Window w)
{
    auto state = c_.cardinals(w, atoms_.wmState, atoms_.wmState);
    return state && !state->empty() ? state->front() : WithdrawnState;
}

bool X11DockStrip::withdraw(Window w)
{
    // A window just mapped may not be the window manager's yet: let it finish taking the
    // window first, so that it does not do so after the window has left.
    const bool managed = events_.waitFor(
                             "the window manager to take the window before it leaves",
                             [&]() -> X11Events::Ending {
                                 return wmState(w) != WithdrawnState ? "WM_STATE not withdrawn" : nullptr;
                             },
                             waits_.windowManager) != nullptr;
    XUnmapWindow(c_.display(), w);
    // The synthetic unmap tells the window manager that the window leaves, also when it was
    // already unmapped (ICCCM 4.1.4).
    XEvent e{};
    e.xunmap.type = UnmapNotify;
    e.xunmap.event = c_.root();
    e.xunmap.window = w;
    e.xunmap.from_configure = False;
    XSendEvent(c_.display(), c_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(c_.display());
    return !managed || events_.waitFor(
                          "the window manager to let the window go",
                          [&]() -> X11Events::Ending {
                              return wmState(w) == WithdrawnState ? "WM_STATE withdrawn" : nullptr;
                          },
                          waits_.windowManager) != nullptr;
}

bool X11DockStrip::remap(Window w)
{
    XMapWindow(c_.display(), w);
    XFlush(c_.display());
    return events_.waitFor(
               "the window manager to show the window again",
               [&]() -> X11Events::Ending {
                   return wmState(w) == NormalState && isViewable(c_, w) ? "WM_STATE normal and viewable" : nullptr;
               },
               waits_.windowManager) != nullptr;
}

void X11DockStrip::writeDockForm(Window w, const StripRect& strip)
{
    write(w, atoms_.windowType, dockType());
    write(w, atoms_.motifHints, dockMotifHints());
    writeLongs(w, atoms_.strutPartial, c_.atoms().cardinal,
               {0, 0, strip.bottom, 0, 0, 0, 0, 0, strip.left, strip.right - 1, 0, 0});
    writeLongs(w, atoms_.strut, c_.atoms().cardinal, {0, 0, strip.bottom, 0});
    writeLongs(w, atoms_.desktop, c_.atoms().cardinal, {AllDesktops});
}

void X11DockStrip::writeOrdinaryForm(Window w)
{
    for (Atom a : {atoms_.strutPartial, atoms_.strut, atoms_.desktop})
        XDeleteProperty(c_.display(), w, a);
    write(w, atoms_.windowType, ordinaryType_);
    write(w, atoms_.motifHints, ordinaryMotif_);
}

DockOutcome X11DockStrip::dock(WindowHandle handle, const StripRect& strip)
{
    const Window w = static_cast<Window>(handle);
    if (!windowManagerKeepsStrips())
        return DockOutcome::Refused;
    XWindowAttributes attrs;
    {
        ErrorTrap trap(c_);
        const Status s = XGetWindowAttributes(c_.display(), w, &attrs);
        if (!trap.ok() || s == 0)
            return DockOutcome::WindowGone;
    }
    XSelectInput(c_.display(), w, PropertyChangeMask);
    const bool shown = attrs.map_state != IsUnmapped;
    // The window manager forgets the window's state (stay on top) when it lets it go.
    const Property state = read(w, c_.atoms().netWmState);
    if (docked_ != w) {
        ordinaryType_ = read(w, atoms_.windowType);
        ordinaryMotif_ = read(w, atoms_.motifHints);
        ordinaryState_.resize(state.data.size() / sizeof(long));
        std::memcpy(ordinaryState_.data(), state.data.data(), ordinaryState_.size() * sizeof(long));
    }
    if (shown && !withdraw(w)) {
        remap(w);
        return DockOutcome::NoAnswer;
    }
    ErrorTrap trap(c_);
    writeDockForm(w, strip);
    if (shown)
        write(w, c_.atoms().netWmState, state);
    XMoveResizeWindow(c_.display(), w, strip.left, strip.top, static_cast<unsigned>(strip.width()),
                      static_cast<unsigned>(strip.height()));
    if (!trap.ok()) {
        writeOrdinaryForm(w);
        return DockOutcome::WindowGone;
    }
    docked_ = w;
    if (shown && !remap(w)) {
        docked_ = 0;
        writeOrdinaryForm(w);
        XFlush(c_.display());
        return DockOutcome::NoAnswer;
    }
    return DockOutcome::Docked;
}

UndockOutcome X11DockStrip::undock(WindowHandle handle)
{
    const Window w = static_cast<Window>(handle);
    if (docked_ != w)
        return windowExists(c_, w) ? UndockOutcome::Undocked : UndockOutcome::WindowGone;
    docked_ = 0;
    XWindowAttributes attrs;
    {
        ErrorTrap trap(c_);
        const Status s = XGetWindowAttributes(c_.display(), w, &attrs);
        if (!trap.ok() || s == 0)
            return UndockOutcome::WindowGone;
    }
    const bool shown = attrs.map_state != IsUnmapped;
    const bool letGo = !shown || withdraw(w);
    ErrorTrap trap(c_);
    writeOrdinaryForm(w);
    if (shown)
        writeLongs(w, c_.atoms().netWmState, c_.atoms().atom, ordinaryState_);
    if (!trap.ok())
        return UndockOutcome::WindowGone;
    if (shown && !remap(w))
        return UndockOutcome::NoAnswer;
    return letGo ? UndockOutcome::Undocked : UndockOutcome::NoAnswer;
}

bool X11DockStrip::propertyChanged(const XPropertyEvent& e)
{
    if (!docked_ || e.window != docked_ || e.state != PropertyNewValue)
        return false;
    const bool isType = e.atom == atoms_.windowType;
    if (!isType && e.atom != atoms_.motifHints)
        return false;
    const Property ours = isType ? dockType() : dockMotifHints();
    Property now = read(docked_, e.atom);
    if (now.type == ours.type && now.data == ours.data)
        return true;
    // The toolkit's new value is the one the window gets back when it undocks.
    (isType ? ordinaryType_ : ordinaryMotif_) = std::move(now);
    write(docked_, e.atom, ours);
    XFlush(c_.display());
    return true;
}

bool X11DockStrip::stateRequested(const XClientMessageEvent& e)
{
    if (!docked_ || e.window != docked_ || e.message_type != c_.atoms().netWmState || e.format != 32)
        return false;
    enum { Remove = 0, Add = 1, Toggle = 2 };
    for (long atom : {e.data.l[1], e.data.l[2]}) {
        if (!atom)
            continue;
        auto it = std::find(ordinaryState_.begin(), ordinaryState_.end(), atom);
        const bool present = it != ordinaryState_.end();
        const bool wanted = e.data.l[0] == Add || (e.data.l[0] == Toggle && !present);
        if (present && !wanted)
            ordinaryState_.erase(it);
        else if (!present && wanted)
            ordinaryState_.push_back(atom);
    }
    return true;
}

} // namespace orvanel::x11
