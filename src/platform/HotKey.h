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

// How registering the hot key ended.
enum class HotKeyRegistration {
    Registered,
    Taken,     // another program holds the combination
    NoSuchKey, // the key code names no key of this keyboard
    Failed,    // any other refusal
};

class HotKey {
public:
    virtual ~HotKey() = default;
    // Registers the hot key: modifier bits and a virtual-key code ('A'..'Z' and '0'..'9' are
    // their own codes; the keypad, function and cursor keys have the system's codes).
    virtual HotKeyRegistration registerHotKey(unsigned modifiers, int virtualKey) = 0;
    virtual void unregisterHotKey() = 0;
    // Called on the event loop whenever the registered hot key is pressed.
    virtual void setHotKeyHandler(std::function<void()> handler) = 0;
};

} // namespace orvanel
