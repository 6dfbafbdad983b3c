#include "app/HotKeyText.h"

namespace orvanel {

HotKeySpec parseHotKey(std::string_view value)
{
    HotKeySpec hotKey;
    if (!value.empty()) {
        // A hand-written "h" means the key H (as a key code, 0x68 would be the keypad's 8).
        const char last = value.back();
        hotKey.keyCode = static_cast<unsigned char>(last >= 'a' && last <= 'z' ? last - 'a' + 'A' : last);
    }
    if (value.find("ctrl") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Ctrl;
    if (value.find("shift") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Shift;
    if (value.find("alt") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Alt;
    return hotKey;
}

} // namespace orvanel
