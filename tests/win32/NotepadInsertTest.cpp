// End-to-end tests of the Windows backend under Wine: the insertion driver puts tags into
// Wine's notepad (a Win32 EDIT control in another process) by both methods; the text and the
// caret are read back from the control. Also the instance mutex and the hot key.

#include "NotepadSupport.h"
#include "platform/win32/Win32Keys.h"

#include <gtest/gtest.h>

namespace orvanel::win32 {
namespace {

std::wstring longJapaneseText()
{
    std::wstring text;
    while (text.size() < 10000)
        text += L"日本語のテキスト、選択範囲 %CR% and %SEL% kept as is\r\n";
    text.resize(9999);
    return text + L"x";
}

struct Case {
    const char* name;
    std::wstring text;
    DWORD selStart, selEnd;
    std::wstring expected;
    DWORD caret;
};

TEST(NotepadInsert, TagsGoInExactlyByBothMethods)
{
    const std::wstring longText = longJapaneseText();
    const Case cases[] = {
        {"bold around a selection", L"hello world", 6, 11, L"hello <B>world</B>", 14},
        {"bold with nothing selected", L"hello world", 11, 11, L"hello world<B></B>", 14},
        {"10,000 Japanese characters selected", longText, 0, 10000, L"<B>" + longText + L"</B>", 10003},
    };
    Driver driver;
    ASSERT_EQ(driver.greeting(), "ready");
    for (int method : {0, 1}) {
        ASSERT_EQ(driver.ask("method " + std::to_string(method)), "ok");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", method " + std::to_string(method));
            Notepad notepad;
            notepad.setText(c.text);
            notepad.select(c.selStart, c.selEnd);
            EXPECT_EQ(driver.ask("insert <B>%SEL%</B>").substr(0, 5), "done ");
            EXPECT_TRUE(notepad.text() == c.expected) << "text of " << notepad.text().size() << " characters";
            EXPECT_EQ(notepad.selection(), std::make_pair(c.caret, c.caret));
        }
    }
}

TEST(NotepadInsert, LockedTargetGetsTheTextWhileAnotherWindowIsActive)
{
    Driver driver;
    for (int method : {0, 1}) {
        SCOPED_TRACE("method " + std::to_string(method));
        Notepad locked;
        locked.setText(L"hello world");
        locked.select(6, 11);
        ASSERT_EQ(driver.ask("lock").substr(0, 7), "locked ");
        Notepad other; // on top and active now
        ASSERT_EQ(driver.ask("method " + std::to_string(method)), "ok");
        EXPECT_EQ(driver.ask("insert <B>%SEL%</B>").substr(0, 5), "done ");
        EXPECT_TRUE(locked.text() == L"hello <B>world</B>");
        EXPECT_EQ(locked.selection(), std::make_pair(DWORD{14}, DWORD{14}));
        EXPECT_TRUE(other.text().empty());
        ASSERT_EQ(driver.ask("lock"), "unlocked");
    }
}

TEST(InstanceMutex, SecondInstanceIsRefusedWithStatus255UntilTheFirstEnds)
{
    auto first = std::make_unique<Driver>();
    ASSERT_EQ(first->greeting(), "ready");
    Driver second;
    EXPECT_EQ(second.greeting(), "");
    EXPECT_EQ(second.exitStatus(), 255);
    EXPECT_EQ(first->ask("method 1"), "ok"); // the first runs on untouched
    first.reset();
    Driver third;
    EXPECT_EQ(third.greeting(), "ready");
}

TEST(HotKey, RegisteredKeyFiresAndIsRefusedToOthers)
{
    Driver driver;
    ASSERT_EQ(driver.ask("hotkey 3 72"), "registered"); // ctrl + shift + H
    EXPECT_FALSE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'H'));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_HOTKEY_ALREADY_REGISTERED});
    Keys keys; // Ctrl down, Shift and H pressed, Ctrl up
    addKey(keys, VK_CONTROL, true);
    addChord(keys, VK_SHIFT, 'H');
    addKey(keys, VK_CONTROL, false);
    ASSERT_TRUE(typeKeys(keys));
    EXPECT_EQ(driver.readLine(), "hotkey");

    ASSERT_TRUE(::RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, 'J'));
    EXPECT_EQ(driver.ask("hotkey 6 74"), "taken"); // ctrl + alt + J, held by this test
    ::UnregisterHotKey(nullptr, 2);
    EXPECT_EQ(driver.ask("hotkey 6 74"), "registered");
    EXPECT_EQ(driver.ask("hotkey 3 0"), "no such key");
}

} // namespace
} // namespace orvanel::win32
