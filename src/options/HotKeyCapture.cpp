#include "options/HotKeyCapture.h"

#include "app/HotKeyText.h"

namespace orvanel::options {

namespace {

// The first letter that is down, else the first digit; 0 when none.
char keyDown(const KeyboardState& keys)
{
    for (const char c : keys.keys)
        if (c >= 'A' && c <= 'Z')
            return c;
    for (const char c : keys.keys)
        if (isHotKeyKey(c))
            return c;
    return 0;
}

bool anyDown(const KeyboardState& keys)
{
    return keys.ctrl || keys.shift || keys.alt || keyDown(keys) != 0;
}

} // namespace

std::string EditSetHotKeyKeyDown(const KeyboardState& keys)
{
    std::string text;
    if (keys.ctrl)
        text += "ctrl + ";
    if (keys.shift)
        text += "shift + ";
    if (keys.alt)
        text += "alt + ";
    if (text.empty())
        text = "ctrl + ";
    if (const char key = keyDown(keys))
        text += key;
    return text;
}

std::string EditSetHotKeyKeyUp(const KeyboardState& keys, std::string_view shown)
{
    if (!anyDown(keys) && shown.ends_with(' '))
        return std::string(kNoHotKeyText);
    return std::string(shown);
}

} // namespace orvanel::options
