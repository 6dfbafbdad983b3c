#include "catalogue/ButtonTagList.h"
#include "catalogue/TagButtons.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvanel::catalogue;

TEST(ButtonTagList, GroupAndTemplateOfAValue)
{
    EXPECT_EQ(entryGroup("[FONT]\"<FONT>%SEL%</FONT>\""), "FONT");
    EXPECT_EQ(entryTemplate("[FONT]\"<FONT>%SEL%</FONT>\""), "<FONT>%SEL%</FONT>");
    // Delimiters are never looked at, and may be wide characters: they are cut whole.
    EXPECT_EQ(entryTemplate("[B]「<B>%SEL%</B>」"), "<B>%SEL%</B>");
    EXPECT_EQ(entryGroup("[太字]'x'"), "太字");
    // The first "]" ends the group; later ones belong to the template.
    EXPECT_EQ(entryGroup("[A]|a]b|"), "A");
    EXPECT_EQ(entryTemplate("[A]|a]b|"), "a]b");
}

TEST(ButtonTagList, ValuesWithoutBracketOrTooShort)
{
    // Without "]": no group; the template is the value without its first and last character.
    EXPECT_EQ(entryGroup("<HR>"), "");
    EXPECT_EQ(entryTemplate("<HR>"), "HR");
    EXPECT_EQ(entryTemplate("「表」"), "表");
    for (const char* v : {"", "x", "[A]", "[A]x", "]", "]x"}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(entryTemplate(v), "");
    }
    EXPECT_EQ(entryGroup("]x"), "");
    EXPECT_EQ(entryGroup(""), "");
}

TEST(ButtonTagList, AlignAttributeIsSplicedBeforeTheFirstClosingAngle)
{
    EXPECT_EQ(alignAttribute("[]\"ALIGN=\"center\"\""), "ALIGN=\"center\"");
    EXPECT_EQ(alignAttribute("[]「ALIGN=\"left\"」"), "ALIGN=\"left\"");
    EXPECT_EQ(alignAttribute("[]x"), "");
    EXPECT_EQ(spliceAlignAttribute("<H2>%SEL%</H2>%CR%", "ALIGN=\"center\""),
              "<H2 ALIGN=\"center\">%SEL%</H2>%CR%");
    EXPECT_EQ(spliceAlignAttribute("%SEL%", "ALIGN=\"left\""), " ALIGN=\"left\"%SEL%");

    const ButtonTagList list(orvanel::text::KeyedTextList(
        {"LAYOUT_H_H2=[H2]\"<H2>%SEL%</H2>%CR%\"", "OPTION_ALIGN_CENTER=[]\"ALIGN=\"center\"\""}));
    EXPECT_EQ(list.alignedTemplate("layout_h_h2", "OPTION_ALIGN_CENTER"),
              "<H2 ALIGN=\"center\">%SEL%</H2>%CR%");
    EXPECT_EQ(list.group("LAYOUT_H_H2"), "H2");
    // Missing keys: empty template, so the attribute alone is inserted.
    EXPECT_EQ(list.templateOf("MISSING"), "");
    EXPECT_EQ(list.alignedTemplate("MISSING", "OPTION_ALIGN_CENTER"), " ALIGN=\"center\"");
}

TEST(TagButtons, PagesAndButtonsFollowTheFixedLayout)
{
    const auto pages = tagPages();
    const auto buttons = tagButtons();
    ASSERT_EQ(pages.size(), 9u);
    ASSERT_EQ(buttons.size(), 67u);

    // The group word each page's keys begin with.
    const char* words[9] = {"DOC_", "LAYOUT_", "LAYOUT_H_", "MOJI_", "TAB_", "LINK_", "LIST_", "FRAME_", "FORM_"};
    std::set<std::string_view> keys;
    int tags = 0, groups = 0;
    int lastPage = 0;
    std::set<int> pagesSeen;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const TagButton& b = buttons[i];
        SCOPED_TRACE(std::string(b.key));
        EXPECT_EQ(b.imageIndex, static_cast<int>(i));
        EXPECT_GE(b.page, lastPage);
        lastPage = b.page;
        pagesSeen.insert(b.page);
        EXPECT_EQ(b.key.rfind(words[b.page], 0), 0u);
        EXPECT_TRUE(keys.insert(b.key).second) << "duplicate key";
        (b.kind == TagButtonKind::Tag ? tags : groups)++;
        // The first button of a page never has a separator in front of it.
        if (i == 0 || buttons[i - 1].page != b.page) {
            EXPECT_FALSE(b.separatorBefore);
        }
        EXPECT_EQ(b.dropDown, b.key == "LAYOUT_P_P" || b.key.rfind("LAYOUT_H_H", 0) == 0);
    }
    EXPECT_EQ(pagesSeen.size(), 9u);
    EXPECT_EQ(tags, 43);
    EXPECT_EQ(groups, 24);
    ASSERT_NE(findTagButton("FORM_HIDDEN"), nullptr);
    EXPECT_EQ(findTagButton("form_hidden"), nullptr); // keys compare exactly
}
