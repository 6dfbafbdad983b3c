#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

namespace orvanel::win32 {
namespace {

// The high bit: the key is down now.
bool isDown(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

} // namespace

std::optional<KeyboardState> Win32Keyboard::keysDownNow()
{
    KeyboardState state;
    // VK_CONTROL, VK_SHIFT and VK_MENU stand for either key of each pair; the right Alt of
    // many layouts (AltGr) reports Ctrl and Alt both.
    state.ctrl = isDown(VK_CONTROL);
    state.shift = isDown(VK_SHIFT);
    state.alt = isDown(VK_MENU);
    // The virtual-key codes of letters and digits are their upper-case characters.
    for (char key = 'A'; key <= 'Z'; ++key)
        if (isDown(key))
            state.keys.insert(key);
    for (char key = '0'; key <= '9'; ++key)
        if (isDown(key))
            state.keys.insert(key);
    return state;
}

} // namespace orvanel::win32
