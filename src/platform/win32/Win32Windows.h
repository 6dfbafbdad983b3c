#pragma once
// Small questions about top-level windows and their controls, one Windows request each.

#include "platform/PlatformTypes.h"

#include <windows.h>

#include <string>
#include <vector>

namespace orvanel::win32 {

inline HWND hwndOf(WindowHandle h) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(h)); }
inline WindowHandle handleOf(HWND w) { return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(w)); }

// The top-level windows of the desktop, from the top of the Z order down (GetWindow).
std::vector<HWND> topLevelWindows();
// The process and the thread that own `w`; 0 when it is gone.
ProcessId processOf(HWND w);
DWORD threadOf(HWND w);
bool isOwnWindow(HWND w);
// Stays on top of all windows that do not (WS_EX_TOPMOST).
bool isTopmost(HWND w);
// Visible, not minimized and not hidden by the window manager (a cloaked window).
bool isShown(HWND w);
// The title of a top-level window, UTF-8 (GetWindowTextW reads it without sending the
// window a message, so a hung window cannot stop us).
std::string titleOf(HWND w);
// `inner` is `outer` or one of its child windows.
bool isInside(HWND inner, HWND outer);
// The control with the keyboard focus in the thread of `w`, when it lies inside `w`; null
// otherwise. Asks GetFocus with our input attached to that thread, else GetGUIThreadInfo.
HWND focusInside(HWND w);
// The same from GetGUIThreadInfo alone (no attachment): for the foreground window.
HWND threadFocusInside(HWND w);

} // namespace orvanel::win32
