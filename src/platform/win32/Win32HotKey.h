#pragma once
// The system-wide hot key through RegisterHotKey on our helper window (hot key id 0).

#include "platform/HotKey.h"
#include "platform/win32/Win32Events.h"

namespace orvanel::win32 {

class Win32HotKey final : public HotKey {
public:
    explicit Win32HotKey(Win32Events& events);
    ~Win32HotKey() override { unregisterHotKey(); }

    // Taken when another program holds the combination (ERROR_HOTKEY_ALREADY_REGISTERED).
    HotKeyRegistration registerHotKey(unsigned modifiers, int virtualKey) override;
    void unregisterHotKey() override;
    // The handler runs from the message loop, never inside one of the backend's waits.
    void setHotKeyHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    Win32Events& events_;
    bool registered_ = false;
    std::function<void()> handler_;
};

} // namespace orvanel::win32
