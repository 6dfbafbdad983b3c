#include "app/HotKeyText.h"

namespace orvanel {

HotKeySpec parseHotKey(std::string_view value)
{
    HotKeySpec spec;
    if (!value.empty())
        spec.keyCode = static_cast<unsigned char>(value.back());
    if (value.find("ctrl") != std::string_view::npos)
        spec.modifiers |= HotKeySpec::Ctrl;
    if (value.find("shift") != std::string_view::npos)
        spec.modifiers |= HotKeySpec::Shift;
    if (value.find("alt") != std::string_view::npos)
        spec.modifiers |= HotKeySpec::Alt;
    return spec;
}

} // namespace orvanel
