#include "app/HotKeyText.h"

namespace orvanel {

HotKeySpec parseHotKey(std::string_view value)
{
    HotKeySpec hotKey;
    if (!value.empty())
        hotKey.keyCode = static_cast<unsigned char>(value.back());
    if (value.find("ctrl") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Ctrl;
    if (value.find("shift") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Shift;
    if (value.find("alt") != std::string_view::npos)
        hotKey.modifiers |= HotKeySpec::Alt;
    return hotKey;
}

} // namespace orvanel
