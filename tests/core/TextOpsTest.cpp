#include "text/TextOps.h"
#include "text/UserError.h"

#include <gtest/gtest.h>

using namespace orvanel::text;

TEST(UserError, MessagesNameTheFullPath)
{
    EXPECT_STREQ(orvanel::fileOpenError("/a/b.lst").what(), "ファイル /a/b.lst は開けません");
    EXPECT_STREQ(orvanel::fileWriteError("/a/Orvanel.ini").what(), "/a/Orvanel.ini に書き込めません");
}

TEST(TextOps, CaseChangesOnlyAsciiLetters)
{
    EXPECT_EQ(toAsciiUpper("<table border=1>表ａ"), "<TABLE BORDER=1>表ａ");
    EXPECT_EQ(toAsciiLower("<A HREF=\"X\">Ä"), "<a href=\"x\">Ä");
    EXPECT_TRUE(equalsIgnoreCase("TabDoc", "TABDOC"));
    EXPECT_FALSE(equalsIgnoreCase("TabDoc", "TabDo"));
    EXPECT_FALSE(equalsIgnoreCase("Ａ", "ａ"));
}

TEST(TextOps, MarkerNeverMatchesInsideACharacter)
{
    // "表" is E8 A1 A8 and "ｨ" is EF BD A8: a marker made of the tail bytes of a character
    // must not be found inside it.
    const std::string text = "表%SEL%x";
    EXPECT_EQ(findMarker(text, "%SEL%"), 3u);
    EXPECT_EQ(findMarker(text, "\xA1\xA8"), npos);
    EXPECT_EQ(findMarker("ｨ表", "\xA8"), npos);
    EXPECT_EQ(findMarker(text, "%sel%"), npos);
    EXPECT_EQ(findMarker(text, "%sel%", 0, true), 3u);
    EXPECT_EQ(findMarker("a%CR%b%CR%", "%CR%", 2), 6u);
    EXPECT_EQ(findMarker("abc", ""), npos);
    EXPECT_EQ(findMarker("abc", "c", 3), npos);
    EXPECT_EQ(findMarker("ab", "abc"), npos);
}

TEST(TextOps, ReplaceIsOnePassAndIgnoresCase)
{
    EXPECT_EQ(replaceAllIgnoreCase("<B>%sel%</B>%SEL%", "%SEL%", "text"), "<B>text</B>text");
    // The replacement is not scanned again, even when it holds the macro itself.
    EXPECT_EQ(replaceAllIgnoreCase("%SEL%", "%SEL%", "%SEL%%SEL%"), "%SEL%%SEL%");
    EXPECT_EQ(replaceAllIgnoreCase("aaa", "aa", "a"), "aa");
    EXPECT_EQ(replaceAllIgnoreCase("x%CR%y", "%cr%", "\r\n"), "x\r\ny");
    EXPECT_EQ(replaceAllIgnoreCase("表表", "\xA8\xE8", "!"), "表表");
    EXPECT_EQ(replaceAllIgnoreCase("abc", "", "x"), "abc");
}

TEST(TextOps, PositionsAndCutsKeepCharactersWhole)
{
    EXPECT_EQ(insertAt("<A></A>", 3, "表"), "<A>表</A>");
    EXPECT_EQ(insertAt("ab", 99, "c"), "abc");
    EXPECT_EQ(firstChars("表示abc", 3), "表示a");
    EXPECT_EQ(firstChars("ab", 5), "ab");
    EXPECT_EQ(firstChars("ab", 0), "");
    EXPECT_EQ(charCount("表示abc"), 5u);
    EXPECT_EQ(charCount(""), 0u);
    EXPECT_EQ(cutBytes("a表示", 5), "a表");   // 1 + 3 = 4 bytes, the next character needs 7
    EXPECT_EQ(cutBytes("a表示", 3), "a");
    EXPECT_EQ(cutBytes("a表示", 7), "a表示");
    EXPECT_EQ(cutBytes("abc", 0), "");
}
