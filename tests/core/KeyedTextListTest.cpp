#include "text/KeyedTextList.h"
#include "text/UserError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using orvanel::text::KeyedTextList;

TEST(KeyedTextList, FirstEntryWhoseKeyMatchesIgnoringCaseGivesEverythingAfterTheFirstEquals)
{
    KeyedTextList list({"; comment", "noequals", "A=first", "a=second", "B==x=y", "表=<TABLE>",
                        "=empty key", "C="});
    EXPECT_EQ(list.value("a"), "first");
    EXPECT_EQ(list.value("A"), "first");
    EXPECT_EQ(list.value("b"), "=x=y");
    EXPECT_EQ(list.value("表"), "<TABLE>");
    EXPECT_EQ(list.value(""), "empty key");
    EXPECT_EQ(list.value("C"), "");
    EXPECT_TRUE(list.contains("c"));
    // A line without "=" is no entry, not even for its whole text.
    EXPECT_EQ(list.value("noequals"), "");
    EXPECT_FALSE(list.contains("noequals"));
    EXPECT_FALSE(list.contains("missing"));
    // Only ASCII letters fold: full-width letters are different keys.
    KeyedTextList wide({"ＡＢ=1"});
    EXPECT_FALSE(wide.contains("ａｂ"));
    EXPECT_EQ(KeyedTextList::entryKey("k=v=w"), "k");
    EXPECT_EQ(KeyedTextList::entryValue("k=v=w"), "v=w");
    EXPECT_EQ(KeyedTextList::entryKey("plain"), "plain");
    EXPECT_EQ(KeyedTextList::entryValue("plain"), "");
}

TEST(KeyedTextList, LoadsCp932AndAnyLineBreakAndSavesWithCrLf)
{
    const orvanel::test::TempFolder dir("orvanel-ktl");
    const std::string path = dir.file("usertag.lst");
    orvanel::test::writeAll(path, "\x95\x5C=<TABLE>\rlf=1\nlast=end");
    KeyedTextList list = KeyedTextList::load(path);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.value("表"), "<TABLE>");
    EXPECT_EQ(list.value("LAST"), "end");
    list.append("new=値");
    list.save(path);
    EXPECT_EQ(orvanel::test::readAll(path), "\x95\x5C=<TABLE>\r\nlf=1\r\nlast=end\r\nnew=\x92\x6C\r\n");
    EXPECT_THROW(KeyedTextList::load(dir.file("missing")), orvanel::UserError);
}
