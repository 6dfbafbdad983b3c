#include "platform/win32/Win32HotKey.h"

#include "platform/win32/Win32Log.h"

namespace orvanel::win32 {
namespace {

constexpr int HotKeyId = 0;

// Our modifier bits in the system's (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4); a held
// combination does not repeat.
UINT systemModifiers(unsigned modifiers)
{
    return MOD_NOREPEAT | ((modifiers & HotKeyAlt) ? MOD_ALT : 0u) | ((modifiers & HotKeyControl) ? MOD_CONTROL : 0u) |
        ((modifiers & HotKeyShift) ? MOD_SHIFT : 0u);
}

} // namespace

Win32HotKey::Win32HotKey(Win32Events& events) : events_(events)
{
    events_.onMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) {
        if (static_cast<int>(id) == HotKeyId && handler_)
            events_.post(handler_);
        return LRESULT{0};
    });
}

HotKeyRegistration Win32HotKey::registerHotKey(unsigned modifiers, int virtualKey)
{
    unregisterHotKey();
    if (virtualKey <= 0 || virtualKey > 0xFE)
        return HotKeyRegistration::NoSuchKey;
    if (::RegisterHotKey(events_.helperWindow(), HotKeyId, systemModifiers(modifiers), static_cast<UINT>(virtualKey))) {
        registered_ = true;
        return HotKeyRegistration::Registered;
    }
    const DWORD error = ::GetLastError();
    trace("RegisterHotKey(%u, 0x%02X): error %lu", modifiers, static_cast<unsigned>(virtualKey), error);
    return error == ERROR_HOTKEY_ALREADY_REGISTERED ? HotKeyRegistration::Taken : HotKeyRegistration::Failed;
}

void Win32HotKey::unregisterHotKey()
{
    if (registered_)
        ::UnregisterHotKey(events_.helperWindow(), HotKeyId);
    registered_ = false;
}

} // namespace orvanel::win32
