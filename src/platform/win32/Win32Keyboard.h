#pragma once
// The keys held down now, from the system's asynchronous key state (GetAsyncKeyState): the
// keyboard as it is at this moment, not as the messages handled so far left it.

#include "platform/Keyboard.h"

namespace orvanel::win32 {

class Win32Keyboard final : public Keyboard {
public:
    // The asynchronous key state cannot fail to be read: always a state.
    std::optional<KeyboardState> keysDownNow() override;
};

} // namespace orvanel::win32
