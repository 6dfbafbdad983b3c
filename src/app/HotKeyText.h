#pragma once
// The HotKey setting read as the palette registers it: the last character is the key, the
// words "ctrl", "shift" and "alt" anywhere in the text are the modifiers. The key is a
// capital letter A to Z or a digit 0 to 9.

#include <string_view>

namespace orvanel {

struct HotKeySpec {
    // Modifier bits as the settings know them: alt 1, ctrl 2, shift 4.
    static constexpr unsigned Alt = 1;
    static constexpr unsigned Ctrl = 2;
    static constexpr unsigned Shift = 4;

    unsigned modifiers = 0;
    // The virtual-key code of the last character: its byte value ("A" to "Z" and "0" to "9"
    // are their own codes), a small letter counting as its capital; 0 for an empty value.
    int keyCode = 0;

    // A hot key is registered only with at least one modifier.
    bool registers() const { return modifiers != 0; }
};

// Whether `c` can be the key of a hot key: 'A'..'Z' or '0'..'9'.
constexpr bool isHotKeyKey(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// "ctrl + shift + H" -> ctrl|shift, 0x48; "alt + 1" -> alt, 0x31. The words are matched
// exactly as written (lower case); an empty value gives key 0 and no modifiers.
HotKeySpec parseHotKey(std::string_view value);

} // namespace orvanel
