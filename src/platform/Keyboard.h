#pragma once
// The keys held down now, read from the whole keyboard rather than from one key event: the
// options dialog builds the hot key's text from it while the user presses a combination.

#include <optional>
#include <set>

namespace orvanel {

// The keys that are down.
struct KeyboardState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    // Letter keys as 'A'..'Z' and digit keys as '0'..'9'; other keys are not listed.
    std::set<char> keys;
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // The keys down at this moment; nullopt when the keyboard could not be read.
    virtual std::optional<KeyboardState> keysDownNow() = 0;
};

} // namespace orvanel
