#pragma once
// The text of EditSetHotKey, rebuilt from the whole keyboard state on every key press and
// release, not from the key of the event: "ctrl + ", "shift + ", "alt + " for the
// modifiers that are down, in this order ("ctrl + " when none is), then the key.

#include "platform/Keyboard.h"

#include <string>
#include <string_view>

namespace orvanel::options {

inline constexpr std::string_view kNoHotKeyText = "なし";

// EditSetHotKeyKeyDown: the modifiers, then the first letter A to Z that is down, else
// the first digit 0 to 9, if any.
std::string EditSetHotKeyKeyDown(const KeyboardState& keys);

// EditSetHotKeyKeyUp: kNoHotKeyText when no modifier and no key is down any more and the
// text shown has no key (it ends in a blank); otherwise the text shown, unchanged.
std::string EditSetHotKeyKeyUp(const KeyboardState& keys, std::string_view shown);

} // namespace orvanel::options
