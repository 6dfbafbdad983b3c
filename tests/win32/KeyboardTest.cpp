// The keys held down now, as the Windows backend reads them while keys are typed.

#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32Keys.h"

#include <gtest/gtest.h>

namespace orvanel::win32 {
namespace {

TEST(Keyboard, KeysDownNowFollowTheKeysPressedAndReleased)
{
    Keys down, up;
    for (WORD vk : {WORD{VK_CONTROL}, WORD{VK_SHIFT}, WORD{'K'}, WORD{'7'}, WORD{VK_F5}}) {
        addKey(down, vk, true);
        addKey(up, vk, false);
    }
    Win32Keyboard keyboard;
    ASSERT_TRUE(typeKeys(down));
    const std::optional<KeyboardState> held = keyboard.keysDownNow();
    ASSERT_TRUE(typeKeys(up));
    const std::optional<KeyboardState> released = keyboard.keysDownNow();
    ASSERT_TRUE(held && released);
    EXPECT_TRUE(held->ctrl && held->shift && !held->alt);
    EXPECT_EQ(held->keys, (std::set<char>{'7', 'K'})); // F5 is not listed
    EXPECT_FALSE(released->ctrl || released->shift || released->alt || !released->keys.empty());
}

} // namespace
} // namespace orvanel::win32
