#include "catalogue/TagMenuModel.h"

#include <gtest/gtest.h>

using namespace orvanel::catalogue;
using orvanel::text::KeyedTextList;

namespace {

TagMenu build(std::vector<std::string> lines)
{
    return LoadTagMenu(KeyedTextList(std::move(lines)));
}

// Every menu ends with the closing separator; these tests look at the items before it.
void expectClosingSeparator(const TagMenu& menu)
{
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.back().kind, TagMenuKind::Separator);
    EXPECT_EQ(menu.back().caption, "-");
    EXPECT_TRUE(menu.back().children.empty());
}

} // namespace

TEST(TagMenuModel, HeadersSharingCaptionsShareTheirSubmenus)
{
    const TagMenu menu = build({
        "[文字][装飾][太字]", "MOJI_B=\"<B>%SEL%</B>\"",
        "[文字][装飾][斜体]", "MOJI_I=\"<I>%SEL%</I>\"",
        "[文字][等幅]", "MOJI_TT=\"<TT>%SEL%</TT>\"",
        "[表][行]", "TR=\"<TR>%SEL%</TR>\"",
    });
    expectClosingSeparator(menu);
    ASSERT_EQ(menu.size(), 3u);
    const TagMenuItem& moji = menu[0];
    EXPECT_EQ(moji.kind, TagMenuKind::Submenu);
    EXPECT_EQ(moji.caption, "文字");
    EXPECT_EQ(moji.name("Mn"), "");
    ASSERT_EQ(moji.children.size(), 2u);

    const TagMenuItem& deco = moji.children[0];
    EXPECT_EQ(deco.kind, TagMenuKind::Submenu);
    ASSERT_EQ(deco.children.size(), 2u);
    EXPECT_EQ(deco.children[0].caption, "太字");
    EXPECT_EQ(deco.children[0].kind, TagMenuKind::TemplateLeaf);
    EXPECT_EQ(deco.children[0].name("Mn"), "MnMOJI_B");
    EXPECT_EQ(deco.children[0].name("Pm"), "PmMOJI_B");
    EXPECT_EQ(deco.children[1].entryKey, "MOJI_I");

    EXPECT_EQ(moji.children[1].caption, "等幅");
    EXPECT_EQ(moji.children[1].entryKey, "MOJI_TT");
    EXPECT_EQ(menu[1].caption, "表");
    ASSERT_EQ(menu[1].children.size(), 1u);
    EXPECT_EQ(menu[1].children[0].entryKey, "TR");
}

TEST(TagMenuModel, SeparatorsHaveNoEntryLineAndOtherLinesAreSkipped)
{
    const TagMenu menu = build({
        "[A][X]", "X=|x|",
        "[A][-]",
        "[A][Y]", "Y=|y|",
        "[A][-]",
        "not a header",
        "Z=|z|",
        "[A][B][-]",
        "[A][B][Z]", "ZZ=|z|",
    });
    expectClosingSeparator(menu);
    ASSERT_EQ(menu.size(), 2u);
    const auto& items = menu[0].children;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].entryKey, "X");
    EXPECT_EQ(items[1].kind, TagMenuKind::Separator);
    EXPECT_EQ(items[1].entryKey, "");
    EXPECT_EQ(items[1].name("Mn"), "");
    EXPECT_EQ(items[2].entryKey, "Y");
    EXPECT_EQ(items[3].kind, TagMenuKind::Separator);
    // A separator below a submenu, then a leaf under the same submenu.
    EXPECT_EQ(items[4].caption, "B");
    ASSERT_EQ(items[4].children.size(), 2u);
    EXPECT_EQ(items[4].children[0].kind, TagMenuKind::Separator);
    EXPECT_EQ(items[4].children[1].entryKey, "ZZ");
}

TEST(TagMenuModel, DialogMarkersGiveImagesAndOtherKeysTemplates)
{
    const TagMenu menu = build({
        "[A][seven]", "LINK_IMG_DLG07=LINK_IMG",
        "[A][letters]", "LINK_DLGxy=LINK_HREF",
        "[A][exact]", "DLG12=FORM_FORM",
        "[A][short]", "DLG1=|t|",
        "[A][elsewhere]", "DLGXX1=|t|",
        "[A][nokey]", "no equals sign here",
    });
    const auto& items = menu.at(0).children;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].kind, TagMenuKind::DialogLeaf);
    EXPECT_EQ(items[0].imageIndex, 7);
    EXPECT_EQ(items[0].name("Pm"), "PmLINK_IMG_DLG07");
    EXPECT_EQ(items[1].kind, TagMenuKind::DialogLeaf);
    EXPECT_EQ(items[1].imageIndex, 0);
    EXPECT_EQ(items[2].kind, TagMenuKind::DialogLeaf);
    EXPECT_EQ(items[2].imageIndex, 12);
    EXPECT_EQ(items[3].kind, TagMenuKind::TemplateLeaf); // shorter than five characters
    EXPECT_EQ(items[3].imageIndex, -1);
    EXPECT_EQ(items[4].kind, TagMenuKind::TemplateLeaf); // "DLG" not in its place
    EXPECT_EQ(items[5].kind, TagMenuKind::TemplateLeaf);
    EXPECT_EQ(items[5].entryKey, "");
}

TEST(TagMenuModel, DialogKeyRuleCountsCharacters)
{
    int image = -1;
    EXPECT_TRUE(isDialogKey("DLG表表", &image)); // five characters, nine bytes
    EXPECT_EQ(image, 0);
    EXPECT_FALSE(isDialogKey("ADLG表"));          // byte-wise it would be long enough
    EXPECT_TRUE(isDialogKey("XDLG3５", &image));  // a full-width digit is no number
    EXPECT_EQ(image, 0);
    EXPECT_TRUE(isDialogKey("X_DLG66", &image));
    EXPECT_EQ(image, 66);
    EXPECT_FALSE(isDialogKey("X_dlg66")); // the marker is case-sensitive
    EXPECT_FALSE(isDialogKey(""));
}

TEST(TagMenuModel, DialogLeafDoesNotSwallowTheSameCaptionButATemplateLeafDoes)
{
    const TagMenu menu = build({
        "[A][same]", "P_DLG03=LINK_HREF",
        "[A][same]", "T1=|one|",
        "[A][same]", "T2=|two|",
    });
    const auto& items = menu.at(0).children;
    // The dialog leaf is followed by a new item with its caption; the template leaf
    // remembers its caption, so the third line adds nothing.
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].kind, TagMenuKind::DialogLeaf);
    EXPECT_EQ(items[0].imageIndex, 3);
    EXPECT_EQ(items[1].caption, "same");
    EXPECT_EQ(items[1].kind, TagMenuKind::TemplateLeaf);
    EXPECT_EQ(items[1].entryKey, "T1");
}

TEST(TagMenuModel, OneCaptionHeaderAndFourthLevel)
{
    const TagMenu menu = build({
        "[lonely]", "IGNORED=|x|",
        "[A][B][C][D]", "K1=|1|",
        "[A][B][C][D]", "K2=|2|",
        "[A][B][C][-]",
        "[X][B][C]", "K3=|3|",
    });
    expectClosingSeparator(menu);
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, "lonely");
    EXPECT_EQ(menu[0].kind, TagMenuKind::Submenu);
    EXPECT_TRUE(menu[0].children.empty());
    EXPECT_EQ(menu[0].name("Mn"), "");

    // Every line with a fourth caption adds an item, even with the same caption.
    const TagMenuItem& c = menu[1].children.at(0).children.at(0);
    EXPECT_EQ(c.caption, "C");
    EXPECT_EQ(c.kind, TagMenuKind::Submenu);
    ASSERT_EQ(c.children.size(), 3u);
    EXPECT_EQ(c.children[0].entryKey, "K1");
    EXPECT_EQ(c.children[1].entryKey, "K2");
    EXPECT_EQ(c.children[2].kind, TagMenuKind::Separator);

    // A new top-level item makes its deeper captions start afresh.
    ASSERT_EQ(menu[2].caption, "X");
    ASSERT_EQ(menu[2].children.size(), 1u);
    EXPECT_EQ(menu[2].children[0].caption, "B");
    EXPECT_EQ(menu[2].children[0].children.at(0).entryKey, "K3");
}

TEST(TagMenuModel, MissingLevelsHangItemsOnTheNearestParent)
{
    // "[]" at the start matches the empty remembered caption: no top-level item exists yet.
    const TagMenu menu = build({
        "[][orphan]", "O=|o|",
        "[A][][C]", "C=|c|",
        "[A][B][C]", "K=|k|",
        "[Z][B][][D]", "D=|d|",
    });
    expectClosingSeparator(menu);
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].entryKey, "O");
    EXPECT_EQ(menu[1].caption, "A");
    ASSERT_EQ(menu[1].children.size(), 2u);
    EXPECT_EQ(menu[1].children[0].entryKey, "C");
    EXPECT_EQ(menu[1].children[1].children.at(0).entryKey, "K");
    // Level 4 without a level-3 item under the new B goes under that B, not under A's C.
    ASSERT_EQ(menu[2].children.size(), 1u);
    EXPECT_EQ(menu[2].children[0].children.at(0).entryKey, "D");
}

TEST(TagMenuModel, EmptyListGivesTheClosingSeparatorOnly)
{
    const TagMenu menu = build({});
    ASSERT_EQ(menu.size(), 1u);
    expectClosingSeparator(menu);
    // A header on the last line has no entry line to read.
    const TagMenu last = build({"[A][B]"});
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].children.at(0).kind, TagMenuKind::TemplateLeaf);
    EXPECT_EQ(last[0].children.at(0).entryKey, "");
}

TEST(TagMenuModel, HeaderCaptionsAreCutAtEachClosingBracket)
{
    auto h = splitHeader("[A][B][C][D]");
    EXPECT_EQ(h.c[0], "A");
    EXPECT_EQ(h.c[1], "B");
    EXPECT_EQ(h.c[2], "C");
    EXPECT_EQ(h.c[3], "D");
    h = splitHeader("[ﾄﾞｷｭﾒﾝﾄ(&D)][見出し]");
    EXPECT_EQ(h.c[0], "ﾄﾞｷｭﾒﾝﾄ(&D)");
    EXPECT_EQ(h.c[1], "見出し");
    EXPECT_EQ(h.c[2], "");
    EXPECT_EQ(h.c[3], "");
    // The fourth caption is the rest without its first and last character.
    h = splitHeader("[A][B][C][D][E]");
    EXPECT_EQ(h.c[3], "D][E");
    h = splitHeader("[A][B][C][表]");
    EXPECT_EQ(h.c[3], "表");
    // A caption without its closing bracket takes the rest of the line.
    h = splitHeader("[A][Bee");
    EXPECT_EQ(h.c[1], "Bee");
    EXPECT_EQ(h.c[2], "");
}

TEST(TagMenuModel, LeafValuesGiveTemplatesAndPanelNames)
{
    const KeyedTextList list({"[A][b]", "MOJI_B=「<B>%SEL%</B>」", "[A][img]", "IMG_DLG48=LINK_IMG"});
    EXPECT_EQ(menuTemplate(list, "moji_b"), "<B>%SEL%</B>"); // keys ignore letter case
    EXPECT_EQ(menuTemplate(list, "NOPE"), "");
    EXPECT_EQ(menuPanelName(list, "IMG_DLG48"), "PanelLINK_IMG");
    EXPECT_EQ(menuPanelName(list, "NOPE"), "Panel");
}
