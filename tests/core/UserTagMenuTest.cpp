// The user tag groups read from their files: the user tag list, the groups and tags the
// menus and pages are built from, the names of their items, and bad files.

#include "catalogue/UserTagFiles.h"
#include "catalogue/UserTagMenu.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanel::catalogue;
using orvanel::text::KeyedTextList;

namespace {

struct UserTagMenuTest : ::testing::Test {
    const orvanel::test::TempFolder dir{"orvanel-usertags"};
    const std::string folder = dir.file("");
    std::vector<std::string> told;

    void write(const std::string& name, const std::string& bytes) { orvanel::test::writeAll(dir.file(name), bytes); }
    KeyedTextList load()
    {
        return LoadUserTag(folder, [this](std::string_view m) { told.emplace_back(m); });
    }
};

} // namespace

TEST_F(UserTagMenuTest, GroupsAreNumberedByTheirLineAndBuiltWithoutRepeats)
{
    // Groups 1 and 4 are missing, 2 has no lines, 5 names a file outside the folder; the
    // others keep their numbers. "-" is a separator in the menus, a button on the page.
    write("usertag.lst", "見出し\r\nmissing\r\nempty\r\nB\r\n\r\n../escape\r\nC\r\n");
    write("見出し.tag", "太字\r\nUser0=[<B>%SEL%</B>]\r\n太字\r\nUser1=[x]\r\n-\r\nUser2=[<HR>]\r\n");
    write("empty.tag", "");
    write("B.tag", "a\r\nUser0=[A]\r\nb\r\nUser1=[<I>%SEL%</I>]\r\n");
    write("C.tag", "b\r\nUser0=[c1]\r\n");
    write("escape.tag", "no\r\nUser0=[no]\r\n");
    const KeyedTextList list = load();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], folder + "missing.tagがありません。");
    EXPECT_NE(told[1].find("../escape"), std::string::npos);
    EXPECT_EQ(list.lines()[0], "[見出し][太字]");
    EXPECT_EQ(list.lines()[1], "Group0_User0=[<B>%SEL%</B>]");

    const auto groups = LoadUserTagMnBtn(list);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].caption, "見出し");
    ASSERT_EQ(groups[0].tags.size(), 2u); // the repeated name right after is left out
    EXPECT_TRUE(groups[0].tags[1].isSeparator());
    EXPECT_EQ(groups[0].tags[1].menuItemName("UserMn"), "");
    EXPECT_EQ(groups[0].tags[1].buttonName(), "UserBtnGroup0_User2");
    const UserTagItem& b = groups[1].tags[1];
    EXPECT_EQ(b.caption, "b");
    EXPECT_EQ(b.menuItemName("UserMn"), "UserMnGroup3_User1");
    EXPECT_EQ(b.menuItemName("UserPm"), "UserPmGroup3_User1");
    EXPECT_EQ(b.buttonName(), "UserBtnGroup3_User1");
    // The next group starts with the name the last one ended with: it is shown all the same.
    EXPECT_EQ(groups[2].caption, "C");
    ASSERT_EQ(groups[2].tags.size(), 1u);
    EXPECT_EQ(groups[2].tags[0].entryKey, "Group6_User0");

    EXPECT_EQ(TagUserMnBtnClick(list, "UserMnGroup3_User1"), "<I>%SEL%</I>");
    EXPECT_EQ(TagUserMnBtnClick(list, "UserBtnGroup0_User2"), "<HR>");
    EXPECT_EQ(TagUserMnBtnClick(list, "UserPmgroup6_user0"), "c1");
    EXPECT_EQ(TagUserMnBtnClick(list, "BtnMOJI_B"), std::nullopt);
    EXPECT_EQ(TagUserMnBtnClick(list, "UserMn"), std::nullopt);

    // Without a group list there are no groups and no message.
    std::filesystem::remove(dir.path() / "usertag.lst");
    told.clear();
    EXPECT_EQ(load().size(), 0u);
    EXPECT_TRUE(told.empty());
}

TEST_F(UserTagMenuTest, BadFilesLoadWithoutHarm)
{
    const std::string longLine(1 << 20, 'x');
    write("usertag.lst", "bin\r\nodd\r\n" + longLine + "\r\nsub/dir\r\n");
    write("bin.tag", std::string("\x82\xA0\xFF\x00\x81\r\nUser0=[\x01\x02\xFE]\r\n", 20));
    write("odd.tag", "one\r\nUser0=[1]\r\nlast\r\n" + longLine + "=\r\n");
    const KeyedTextList list = load();
    EXPECT_EQ(told.size(), 2u); // the long name and the one with "/"
    const auto groups = LoadUserTagMnBtn(list);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].tags.size(), 1u);
    EXPECT_EQ(groups[1].tags[1].caption, "last");

    for (const std::string& bad : std::vector<std::string>{"", ".", "..", ".x", "a/b", "a\\b", "a:b", "a*", "a]", std::string("a\0b", 3), "a\nb"})
        EXPECT_EQ(groupFilePath(folder, bad), std::nullopt) << bad;
    EXPECT_EQ(groupFilePath(folder, "日本 語.x"), folder + "日本 語.x.tag");
    EXPECT_EQ(groupDataTemplate("User0=[a]b]"), "a]b");
    EXPECT_EQ(groupDataTemplate("User0=[ab"), "ab");
    EXPECT_EQ(groupDataTemplate("garbage"), "garbage");
}
