#pragma once
// Questions about top-level windows, answered from the window manager's properties
// (_NET_CLIENT_LIST_STACKING, _NET_ACTIVE_WINDOW, _NET_WM_STATE, _NET_WM_NAME, _NET_WM_PID).

#include "platform/x11/X11Connection.h"

#include <string>
#include <vector>

namespace orvanel::x11 {

// Managed client windows, topmost first.
std::vector<Window> stackingTopDown(X11Connection& c);
bool windowExists(X11Connection& c, Window w);
bool isViewable(X11Connection& c, Window w);
bool isHidden(X11Connection& c, Window w);
// _NET_WM_NAME (UTF-8), else WM_NAME (Latin-1).
std::string windowTitle(X11Connection& c, Window w);
// _NET_WM_PID, else the process of the client that created the window; 0 when unknown.
ProcessId windowPid(X11Connection& c, Window w);
Window activeWindow(X11Connection& c);
// The window with the input focus (its top-level or a window inside it).
Window inputFocus(X11Connection& c);
// Whether `inner` is `outer` or lies inside it.
bool isInside(X11Connection& c, Window inner, Window outer);
// Asks the window manager to activate `w` (_NET_ACTIVE_WINDOW, source indication 2);
// false when the request could not be sent.
bool requestActivation(X11Connection& c, Window w, Time when);
// Whether `w` answers _NET_WM_PING.
bool supportsPing(X11Connection& c, Window w);
// Sends a _NET_WM_PING to `w` with `stamp`; its answer comes back to the root window.
void sendPing(X11Connection& c, Window w, long stamp);

} // namespace orvanel::x11
