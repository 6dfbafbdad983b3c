#include "platform/win32/Win32Keys.h"

#include <cwchar>

namespace orvanel::win32 {
namespace {

bool isExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN:
        return true;
    default:
        return false;
    }
}

bool isEditClass(HWND w)
{
    wchar_t name[64] = {};
    // The class the control was derived from ("Edit" for a superclassed edit control).
    if (::RealGetWindowClassW(w, name, 64) == 0)
        return false;
    return _wcsicmp(name, L"Edit") == 0 || _wcsnicmp(name, L"RichEdit", 8) == 0 || _wcsicmp(name, L"Scintilla") == 0;
}

} // namespace

Answer sendBounded(HWND w, UINT message, WPARAM wp, LPARAM lp, std::chrono::milliseconds limit, LRESULT* result)
{
    DWORD_PTR answer = 0;
    ::SetLastError(0);
    if (::SendMessageTimeoutW(w, message, wp, lp, SMTO_NORMAL | SMTO_ABORTIFHUNG, static_cast<UINT>(limit.count()),
                              &answer)) {
        if (result)
            *result = static_cast<LRESULT>(answer);
        return Answer::Handled;
    }
    const DWORD error = ::GetLastError();
    if (!::IsWindow(w))
        return Answer::Gone;
    return error == ERROR_ACCESS_DENIED ? Answer::Refused : Answer::TimedOut;
}

LPARAM keyDownParam(WORD vk)
{
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    return static_cast<LPARAM>(1 | (scan & 0xFF) << 16 | (isExtendedKey(vk) ? 1u << 24 : 0u));
}

void addKey(Keys& keys, WORD vk, bool down)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    keys.push_back(in);
}

void addChord(Keys& keys, WORD modifier, WORD key)
{
    if (modifier)
        addKey(keys, modifier, true);
    addKey(keys, key, true);
    addKey(keys, key, false);
    if (modifier)
        addKey(keys, modifier, false);
}

void addHeldModifiersUp(Keys& keys)
{
    for (WORD vk : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
        if (::GetAsyncKeyState(vk) & 0x8000)
            addKey(keys, vk, false);
}

bool typeKeys(Keys keys)
{
    if (keys.empty())
        return true;
    const UINT n = static_cast<UINT>(keys.size());
    return ::SendInput(n, keys.data(), sizeof(INPUT)) == n;
}

std::optional<Selection> selectionOf(HWND control, std::chrono::milliseconds limit)
{
    if (!control || !isEditClass(control))
        return std::nullopt;
    DWORD start = 0, end = 0;
    if (sendBounded(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end), limit) !=
        Answer::Handled)
        return std::nullopt;
    return std::make_pair(start, end);
}

bool loopTurns(HWND w, int turns, std::chrono::milliseconds limit)
{
    for (int i = 0; i < turns; ++i)
        if (sendBounded(w, WM_NULL, 0, 0, limit) != Answer::Handled)
            return false;
    return true;
}

} // namespace orvanel::win32
