// The user tag editor: the support dialog's composition of templates, the group and tag
// buttons, and the files it writes, renames and keeps.

#include "options/UserTagEditor.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanel::options;

namespace {

struct UserTagEditorTest : ::testing::Test {
    const orvanel::test::TempFolder dir{"orvanel-tageditor"};
    std::vector<std::string> told;
    UserTagEditor editor{dir.file(""), [this](std::string_view m) { told.emplace_back(m); }};

    void write(const std::string& name, const std::string& bytes) { orvanel::test::writeAll(dir.file(name), bytes); }
    std::string read(const std::string& name) { return orvanel::test::readAll(dir.file(name)); }
    std::vector<std::string> tagNames()
    {
        std::vector<std::string> names;
        for (const UserTag& t : editor.tags())
            names.push_back(t.name);
        return names;
    }
};

std::string compose(const std::string& name, const std::string& pre, const std::string& pos)
{
    return OkBtnClick({SupportPanelId::PnlSetTag, "", name, pre, pos});
}

} // namespace

TEST(SupportDialog, TemplatesAreComposedAndSplitBackIntoTheSameLines)
{
    EXPECT_EQ(compose("T", "<P>\n<B>", "</B>\n"), "T;<P>%CR%<B>%SEL%</B>");
    EXPECT_EQ(compose("T", "", ""), "T;%SEL%");
    for (const std::string tmpl : {"<P>%CR%<B>%SEL%</B>", "%SEL%", "a%CR%%SEL%%CR%", "%CR%%CR%x%SEL%y%CR%"}) {
        const SupportDialogValues v = tagPanelFor("T", tmpl);
        EXPECT_EQ(OkBtnClick(v), "T;" + tmpl) << tmpl;
    }
    const SupportDialogValues v = tagPanelFor("T", "<P>%CR%<B>%SEL%</B>");
    EXPECT_EQ(v.MemoTagPre, "<P>\n<B>");
    EXPECT_EQ(v.MemoTagPos, "</B>");
    // A "%SEL%" typed into the first memo splits there when edited; any letter case.
    EXPECT_EQ(tagPanelFor("T", "a%sel%b%SEL%c").MemoTagPos, "b%SEL%c");
    // Without "%SEL%" the whole template is the first half.
    EXPECT_EQ(tagPanelFor("T", "<HR>%cr%").MemoTagPre, "<HR>\n\n");

    EXPECT_EQ(splitSupportResult("a;b;<B>%SEL%</B>")->tagTemplate, "b;<B>%SEL%</B>");
    EXPECT_EQ(splitSupportResult("a;b")->name, "a");
    EXPECT_EQ(splitSupportResult(";<B>%SEL%"), std::nullopt);
    EXPECT_EQ(splitSupportResult(""), std::nullopt);
}

TEST_F(UserTagEditorTest, GroupsAndTagsAreEditedAndWrittenInTheirFormats)
{
    write("usertag.lst", "A\r\nB\r\n");
    write("A.tag", "x\r\nUser0=[<X>%SEL%</X>]\r\n");
    editor.FormShow();
    EXPECT_EQ(editor.groupListItems(), (std::vector<std::string>{"A", "B"}));

    EXPECT_EQ(editor.BtnSetTagAddRequest(), std::nullopt);
    EXPECT_EQ(told, (std::vector<std::string>{"タググループを選択して下さい。"}));
    editor.ListBoxSetTagGroupClick(0);
    editor.BtnTagGroupUpClick();
    editor.ListBoxSetTagGroupClick(1);
    editor.BtnTagGroupDownClick();
    EXPECT_FALSE(editor.GroupListChanged());

    editor.BtnTagGroupAddClick("新規");
    EXPECT_EQ(editor.groupIndex(), 2);
    EXPECT_TRUE(editor.GroupListChanged());
    ASSERT_TRUE(editor.BtnSetTagAddRequest());
    editor.BtnSetTagAddClick(compose("段落", "<P>\n\n", "</P>"));
    editor.BtnSetTagAddClick(compose("-", "<HR>", ""));
    editor.BtnSetTagAddClick("");             // cancelled
    editor.BtnSetTagAddClick(compose("a=b", "", "")); // would read back as a data line
    editor.BtnSetTagUpClick();
    EXPECT_EQ(tagNames(), (std::vector<std::string>{"-", "段落"}));

    // Switching groups writes the changed tags; coming back shows them.
    editor.ListBoxSetTagGroupClick(0);
    EXPECT_EQ(tagNames(), (std::vector<std::string>{"x"}));
    const std::string written = "-\r\nUser0=[<HR>%SEL%]\r\n\x92\x69\x97\x8E\r\nUser1=[<P>%CR%%SEL%</P>]\r\n";
    EXPECT_EQ(read("新規.tag"), written);
    editor.ListBoxSetTagGroupClick(2);
    EXPECT_EQ(tagNames(), (std::vector<std::string>{"-", "段落"}));
    EXPECT_EQ(editor.GroupFileLines().size(), 4u);
    editor.selectTag(1);
    EXPECT_EQ(editor.BtnSetTagEditRequest()->MemoTagPre, "<P>\n\n");

    // OK: B has no file, is told and left out; the new group is in.
    editor.BtnTagGroupAddClick("空");
    told.clear();
    EXPECT_TRUE(editor.SaveCurTagGroupList());
    EXPECT_TRUE(editor.SaveUserTagGroupList());
    EXPECT_EQ(told, (std::vector<std::string>{dir.file("B.tag") + "がありません。",
                                              dir.file("空.tag") + "がありません。"}));
    EXPECT_EQ(read("usertag.lst"), "A\r\n\x90\x56\x8B\x4B\r\n");
    EXPECT_EQ(read("新規.tag"), written);
}

TEST_F(UserTagEditorTest, RenamesCarryTheFileAtOkAndBadNamesAreRefused)
{
    write("usertag.lst", "A\r\nB\r\n");
    write("A.tag", "a\r\nUser0=[1]\r\n");
    write("B.tag", "b\r\nUser0=[2]\r\n");
    editor.FormShow();
    editor.ListBoxSetTagGroupClick(0);
    for (const char* bad : {"../up", "a/b", ".hidden", "x]"})
        editor.BtnTagGroupEditClick(bad);
    editor.BtnTagGroupAddClick("/tmp/evil");
    EXPECT_EQ(told.size(), 5u);
    EXPECT_FALSE(editor.GroupListChanged());

    // A rename touches no file until OK, so a cancelled dialog leaves them as they were.
    editor.BtnTagGroupEditClick("A2");
    editor.FormShow();
    EXPECT_EQ(editor.groupListItems(), (std::vector<std::string>{"A", "B"}));
    editor.ListBoxSetTagGroupClick(0);
    editor.BtnTagGroupEditClick("A2");
    editor.ListBoxSetTagGroupClick(1);
    editor.BtnTagGroupEditClick("A2"); // A.tag becomes A2.tag first: refused at OK, B stays B
    told.clear();
    EXPECT_TRUE(editor.SaveUserTagGroupList());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("変更できません"), std::string::npos);
    EXPECT_EQ(read("usertag.lst"), "A2\r\nB\r\n");
    EXPECT_EQ(read("A2.tag"), "a\r\nUser0=[1]\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "A.tag"));
    EXPECT_EQ(read("B.tag"), "b\r\nUser0=[2]\r\n");
}

TEST_F(UserTagEditorTest, WhatIsNotUnderstoodIsKeptOrRefusedWithItsReason)
{
    // Tag 0 holds bytes with no meaning in Shift-JIS; the file has an odd number of lines.
    const std::string garbage = "\x82\xFF\x80";
    write("usertag.lst", "G\r\nH\r\n");
    write("G.tag", "n" + garbage + "\r\nUser0=[<" + garbage + ">]\r\nlast\r\n");
    editor.FormShow();
    editor.ListBoxSetTagGroupClick(0);
    EXPECT_EQ(tagNames().back(), "last");
    editor.selectTag(1);
    editor.BtnSetTagUpClick();
    ASSERT_TRUE(editor.SaveCurTagGroupList());
    const std::string kept = "last\r\nUser0=[]\r\nn" + garbage + "\r\nUser1=[<" + garbage + ">]\r\n";
    EXPECT_EQ(read("G.tag"), kept);

    // A character Shift-JIS cannot hold cannot join them: the save says why, the file stays.
    editor.BtnSetTagAddClick(compose("😀", "", ""));
    told.clear();
    editor.ListBoxSetTagGroupClick(1);
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(editor.groupIndex(), 0);
    EXPECT_EQ(tagNames().size(), 3u);
    EXPECT_TRUE(editor.TagListChanged());
    EXPECT_EQ(read("G.tag"), kept);

    // Without it the save would go through, but a write that fails says so.
    editor.BtnSetTagDelClick();
    EXPECT_EQ(tagNames().size(), 2u);
    std::filesystem::remove(dir.path() / "G.tag");
    std::filesystem::create_directory(dir.path() / "G.tag");
    told.clear();
    EXPECT_FALSE(editor.SaveCurTagGroupList());
    EXPECT_EQ(told, (std::vector<std::string>{dir.file("G.tag") + " に書き込めません"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "G.tag"));
}
