#pragma once
// The system-wide hot key of the palette.

#include <functional>

namespace orvanel {

// Modifier bits of the global hot key.
enum HotKeyModifier : unsigned {
    HotKeyShift = 1,
    HotKeyControl = 2,
    HotKeyAlt = 4,
};

class HotKey {
public:
    virtual ~HotKey() = default;
    // Registers the hot key (modifier bits, letter 'A'..'Z'); false when another client has it.
    virtual bool registerHotKey(unsigned modifiers, char letter) = 0;
    virtual void unregisterHotKey() = 0;
    // Called on the event loop whenever the registered hot key is pressed.
    virtual void setHotKeyHandler(std::function<void()> handler) = 0;
};

} // namespace orvanel
