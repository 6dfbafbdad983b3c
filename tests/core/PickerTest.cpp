#include "tagdialog/OpenDialogState.h"
#include "tagdialog/Pickers.h"
#include "tagdialog/PanelModel.h"
#include "text/UserError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel;
using namespace orvanel::tagdialog;

TEST(Pickers, ColourTextAndTheLastColour)
{
    EXPECT_EQ(colourToHex(0xFF0000), "FF0000");
    EXPECT_EQ(colourToHex(0x123456), "123456");
    EXPECT_EQ(colourToHex(0x00000a), "00000A");
    ColourPickerState state;
    EXPECT_EQ(state.last, 0x000000u);
    EXPECT_EQ(state.choose(0xabcdef), "ABCDEF");
    EXPECT_EQ(state.last, 0xabcdefu);
    EXPECT_EQ(pickerTarget("ColOoVal1DOC_BODY_TEXT"), "OoVal1DOC_BODY_TEXT");
    EXPECT_EQ(pickerTarget("RefOpVal1LINK_HREF_HREF"), "OpVal1LINK_HREF_HREF");
}

TEST(Pickers, SharedOpenDialogKeepsTheLastFilter)
{
    OpenDialogState dialog;
    EXPECT_EQ(dialog.filterIndex, 1);
    dialog.useFilterOfTag(2); // an image button
    dialog.closedWith(2, "/home/u/site/img");
    dialog.useFilterOfTag(0); // the link button opens on the image filter
    EXPECT_EQ(dialog.filterIndex, 2);
    EXPECT_EQ(dialog.folder, "/home/u/site/img");
    dialog.useFilterOfTag(9);
    EXPECT_EQ(dialog.filterIndex, 2);
    // Whatever the user chose last in the dialog counts, whoever opened it.
    dialog.closedWith(5, "");
    EXPECT_EQ(dialog.filterIndex, 5);
    EXPECT_EQ(dialog.folder, "/home/u/site/img");
    EXPECT_EQ(nameFilter(dialog.filters[0]), "htmlﾌｧｲﾙ,htmﾌｧｲﾙ(*.html,*htm) (*.html *htm)");
    EXPECT_EQ(nameFilter(dialog.filters[3]), "ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄ(*.url) (*.url)");
}

TEST(Pickers, InternetShortcuts)
{
    EXPECT_TRUE(isUrlShortcut("/home/u/links/site.url"));
    EXPECT_FALSE(isUrlShortcut("/home/u/links/site.URL"));
    EXPECT_FALSE(isUrlShortcut("/home/u/links/site.url.txt"));
    EXPECT_FALSE(isUrlShortcut("/home/u/a.url/site"));
    EXPECT_TRUE(isUrlShortcut(".url"));

    EXPECT_EQ(urlOfShortcut({"[InternetShortcut]", "url=http://a.example/x?y=1", "URL=http://b.example/"}),
              "http://a.example/x?y=1");
    EXPECT_EQ(urlOfShortcut({"[Other]", "IconIndex=0", "URLX=no", "URL=http://c.example/"}),
              "http://c.example/");
    EXPECT_EQ(urlOfShortcut({"[InternetShortcut]", "URL"}), "");
    EXPECT_EQ(urlOfShortcut({}), "");
}

TEST(Pickers, ReferenceTextOfAChosenFile)
{
    const test::TempFolder dir("orvanel-picker");
    const insert::PathStyle style = insert::nativePathStyle();
    std::vector<std::string> told;
    auto tell = [&told](std::string_view m) { told.emplace_back(m); };
    const std::string page = dir.file("site/index.html");

    const std::string url = dir.file("a.url");
    test::writeAll(url, "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    EXPECT_EQ(referenceText(url, page, style, tell), "http://example.org/");
    // An upper-case extension is an ordinary file: its path, not its address.
    const std::string upper = dir.file("b.URL");
    test::writeAll(upper, "URL=http://example.org/\r\n");
    EXPECT_EQ(referenceText(upper, page, style, tell), "../b.URL");
    EXPECT_TRUE(told.empty());

    // No page being edited: the absolute path, and the user is told.
    EXPECT_EQ(referenceText(upper, "", style, tell), upper);
    EXPECT_EQ(told.size(), 1u);

    EXPECT_THROW(referenceText(dir.file("missing.url"), page, style, tell), UserError);
}

TEST(Pickers, EnablingRules)
{
    ControlModel m;
    installEnablingRules(m);
    auto click = [&m](std::string_view name, bool on) {
        Control& c = *m.find(name);
        c.setChecked(on);
        m.fire(c, ControlEvent::Click);
    };
    auto enabled = [&m](std::string_view name) { return m.find(name)->enabled(); };

    // Border colours: the single colour and the 3-D pair exclude each other.
    click("OpTagTAB_TABLE_BORDERCOLORLIGHT", true);
    EXPECT_FALSE(enabled("OpTagTAB_TABLE_BORDERCOLOR"));
    EXPECT_FALSE(enabled("OpVal1TAB_TABLE_BORDERCOLOR"));
    click("OpTagTAB_TABLE_BORDERCOLORDARK", true);
    click("OpTagTAB_TABLE_BORDERCOLORLIGHT", false);
    EXPECT_FALSE(enabled("OpTagTAB_TABLE_BORDERCOLOR"));
    click("OpTagTAB_TABLE_BORDERCOLORDARK", false);
    EXPECT_TRUE(enabled("OpTagTAB_TABLE_BORDERCOLOR"));
    click("OpTagTAB_TABLE_BORDERCOLOR", true);
    EXPECT_FALSE(enabled("OpTagTAB_TABLE_BORDERCOLORLIGHT"));
    EXPECT_FALSE(enabled("OpVal1TAB_TABLE_BORDERCOLORDARK"));

    // Background image on the body panel; the new-document family follows its own box.
    click("OpTagDOC_BODY_BACKGROUND", true);
    EXPECT_FALSE(enabled("OpTagDOC_BODY_BGCOLOR"));
    EXPECT_TRUE(enabled("OpTagDOC_BODY_BGFIXED"));
    EXPECT_TRUE(enabled("OoTagDOC_BODY_BGCOLOR"));
    EXPECT_FALSE(enabled("OoTagDOC_BODY_BGFIXED"));
    // Only enabled flags change: check marks stay.
    m.find("OoTagDOC_BODY_BGFIXED")->setChecked(true);
    click("OoTagDOC_BODY_BACKGROUND", true);
    EXPECT_TRUE(enabled("OoTagDOC_BODY_BGFIXED"));
    EXPECT_TRUE(m.find("OoTagDOC_BODY_BGFIXED")->checked());
    click("OpTagDOC_BODY_BACKGROUND", false);
    EXPECT_TRUE(enabled("OpTagDOC_BODY_BGCOLOR"));
    EXPECT_FALSE(enabled("OpTagDOC_BODY_BGFIXED"));

    // Caption alignment follows the caption; the table frame follows the border.
    EXPECT_FALSE(enabled("OoVal1TAB_CAPTION_VALIGN"));
    click("OoTagTAB_CAPTION_CAPTION", true);
    EXPECT_TRUE(enabled("OoTagTAB_CAPTION_ALIGN"));
    EXPECT_TRUE(enabled("OoVal1TAB_CAPTION_VALIGN"));
    click("OpTagTAB_TABLE_BORDER", false);
    EXPECT_FALSE(enabled("OpTagTAB_TABLE_FRAME"));
    EXPECT_FALSE(enabled("OpVal1TAB_TABLE_FRAME"));
    EXPECT_TRUE(applyEnablingRule(m, "OpTagTAB_TABLE_BORDER"));
    EXPECT_FALSE(applyEnablingRule(m, "OpTagMOJI_B"));
}
