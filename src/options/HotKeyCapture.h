#pragma once
// The text of EditSetHotKey, rebuilt from the whole keyboard state on every key press and
// release, not from the key of the event: "ctrl + ", "shift + ", "alt + " for the
// modifiers that are down, in this order ("ctrl + " when none is), then the key.

#include <set>
#include <string>
#include <string_view>

namespace orvanel::options {

inline constexpr std::string_view kNoHotKeyText = "なし";

// The keys that are down.
struct KeyboardState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    // Letter keys as 'A'..'Z' and digit keys as '0'..'9'; other keys are not listed.
    std::set<char> keys;
};

// EditSetHotKeyKeyDown: the modifiers, then the first letter A to Z that is down, else
// the first digit 0 to 9, if any.
std::string EditSetHotKeyKeyDown(const KeyboardState& keys);

// EditSetHotKeyKeyUp: kNoHotKeyText when no modifier and no key is down any more and the
// text shown has no key (it ends in a blank); otherwise the text shown, unchanged.
std::string EditSetHotKeyKeyUp(const KeyboardState& keys, std::string_view shown);

} // namespace orvanel::options
