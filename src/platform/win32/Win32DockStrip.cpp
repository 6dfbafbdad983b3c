#include "platform/win32/Win32DockStrip.h"

#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"

#include <shellapi.h>

namespace orvanel::win32 {
namespace {

// The bar's notifications are not acted upon: the strip is computed once by the caller.
constexpr UINT AppBarCallback = WM_USER + 100;
constexpr LONG_PTR NotOnABar = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

APPBARDATA barOf(HWND w, const RECT& rect = {})
{
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    bar.hWnd = w;
    bar.uCallbackMessage = AppBarCallback;
    bar.uEdge = ABE_TOP;
    bar.rc = rect;
    return bar;
}

void setStyle(HWND w, LONG_PTR style)
{
    ::SetWindowLongPtrW(w, GWL_STYLE, style);
    ::SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

Win32DockStrip::~Win32DockStrip()
{
    // A bar left registered would keep its strip until the system notices the window gone.
    if (docked_)
        undock(handleOf(docked_));
}

std::vector<TopReservation> Win32DockStrip::reservedAtTop(WindowHandle)
{
    RECT work{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || work.top <= 0)
        return {};
    return {{static_cast<int>(work.top), 0, ::GetSystemMetrics(SM_CXSCREEN) - 1}};
}

DockOutcome Win32DockStrip::dock(WindowHandle handle, const StripRect& strip)
{
    HWND w = hwndOf(handle);
    if (!handle || !::IsWindow(w))
        return DockOutcome::WindowGone;
    APPBARDATA bar = barOf(w, {strip.left, strip.top, strip.right, strip.bottom});
    if (docked_ != w) {
        if (docked_)
            undock(handleOf(docked_));
        if (!::SHAppBarMessage(ABM_NEW, &bar)) {
            trace("ABM_NEW refused");
            return DockOutcome::Refused;
        }
        docked_ = w;
        ordinaryStyle_ = ::GetWindowLongPtrW(w, GWL_STYLE);
    }
    ::SHAppBarMessage(ABM_SETPOS, &bar);
    if (bar.rc.top != strip.top || bar.rc.bottom != strip.bottom)
        trace("ABM_SETPOS moved the strip to %ld..%ld", static_cast<long>(bar.rc.top), static_cast<long>(bar.rc.bottom));
    setStyle(w, ordinaryStyle_ & ~NotOnABar);
    if (!::SetWindowPos(w, nullptr, strip.left, strip.top, strip.width(), strip.height(), SWP_NOZORDER | SWP_NOACTIVATE)) {
        undock(handle);
        return DockOutcome::WindowGone;
    }
    return DockOutcome::Docked;
}

UndockOutcome Win32DockStrip::undock(WindowHandle handle)
{
    HWND w = hwndOf(handle);
    const bool exists = handle && ::IsWindow(w);
    if (docked_ != w || !w)
        return exists ? UndockOutcome::Undocked : UndockOutcome::WindowGone;
    APPBARDATA bar = barOf(w);
    ::SHAppBarMessage(ABM_REMOVE, &bar);
    docked_ = nullptr;
    if (!exists)
        return UndockOutcome::WindowGone;
    setStyle(w, ordinaryStyle_);
    return UndockOutcome::Undocked;
}

} // namespace orvanel::win32
