#include "platform/win32/Win32Windows.h"

#include "platform/win32/Win32Handles.h"
#include "text/Utf16.h"

#include <dwmapi.h>

namespace orvanel::win32 {

std::vector<HWND> topLevelWindows()
{
    // Bounded, should the Z order change under the walk into a loop.
    constexpr int MostWindows = 10000;
    std::vector<HWND> out;
    for (HWND w = ::GetTopWindow(nullptr); w && out.size() < MostWindows; w = ::GetWindow(w, GW_HWNDNEXT))
        out.push_back(w);
    return out;
}

ProcessId processOf(HWND w)
{
    DWORD pid = 0;
    if (w && ::GetWindowThreadProcessId(w, &pid) == 0)
        return 0;
    return static_cast<ProcessId>(pid);
}

DWORD threadOf(HWND w) { return w ? ::GetWindowThreadProcessId(w, nullptr) : 0; }

bool isOwnWindow(HWND w) { return w && processOf(w) == ::GetCurrentProcessId(); }

bool isTopmost(HWND w) { return (::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool isShown(HWND w)
{
    if (!::IsWindowVisible(w) || ::IsIconic(w))
        return false;
    // Windows of suspended store apps are "visible" but cloaked: nobody sees them.
    DWORD cloaked = 0;
    return FAILED(::DwmGetWindowAttribute(w, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) || cloaked == 0;
}

std::string titleOf(HWND w)
{
    const int length = ::GetWindowTextLengthW(w);
    if (length <= 0)
        return {};
    std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(w, title.data(), length + 1);
    title.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text::fromUtf16(title);
}

bool isInside(HWND inner, HWND outer) { return inner && outer && (inner == outer || ::IsChild(outer, inner)); }

HWND threadFocusInside(HWND w)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = threadOf(w);
    if (thread == 0 || !::GetGUIThreadInfo(thread, &info))
        return nullptr;
    return isInside(info.hwndFocus, w) ? info.hwndFocus : nullptr;
}

HWND focusInside(HWND w)
{
    const DWORD thread = threadOf(w);
    if (thread == 0)
        return nullptr;
    HWND focus = nullptr;
    if (thread == ::GetCurrentThreadId()) {
        focus = ::GetFocus();
    } else {
        ThreadInputAttachment attachment(thread);
        if (attachment.attached())
            focus = ::GetFocus();
    }
    return isInside(focus, w) ? focus : threadFocusInside(w);
}

} // namespace orvanel::win32
