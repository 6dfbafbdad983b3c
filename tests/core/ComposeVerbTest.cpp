#include "tagdialog/ComposeVerb.h"

#include "catalogue/ButtonTagList.h"

#include <gtest/gtest.h>

using namespace orvanel;
using namespace orvanel::tagdialog;

namespace {

const catalogue::ButtonTagList& shipped()
{
    static const catalogue::ButtonTagList list =
        catalogue::ButtonTagList::load(ORVANEL_SOURCE_DIR "/data/TagBList.lst");
    return list;
}

ComposeResult run(std::vector<std::string> args, int tagFace = 2)
{
    return composeFromArguments(shipped(), args, tagFace);
}

} // namespace

TEST(ComposeVerb, SetsControlsByNameAndComposesAsOkDoes)
{
    EXPECT_EQ(run({"LINK_HREF", "OpVal1LINK_HREF_HREF=a.html"}).text, "<A HREF=\"a.html\">%SEL%</A>");
    // The letter case of the setting covers the tag and attribute names, as on OK.
    EXPECT_EQ(run({"LINK_HREF", "OpVal1LINK_HREF_HREF=A.html"}, 1).text, "<a href=\"A.html\">%SEL%</a>");
    // Lists by entry text or value, check boxes 1/0, spins by number.
    EXPECT_EQ(run({"LINK_HREF", "OpVal1LINK_HREF_HREF=x.html", "OpTagLINK_HREF_TARGET=1",
                   "OpVal1LINK_HREF_TARGET=_top"})
                  .text,
              "<A HREF=\"x.html\" TARGET=\"_top\">%SEL%</A>");
    EXPECT_EQ(run({"LAYOUT_HR_HR", "OpTagLAYOUT_HR_WIDTH=1", "OpVal1LAYOUT_HR_WIDTH=50",
                   "OpVal2LAYOUT_HR_WIDTH= : ピクセル"})
                  .text,
              "<HR WIDTH=\"50\">%CR%%SEL%");
    // Radio groups by entry; a check box's event runs (the border's rule disables the frame).
    EXPECT_EQ(run({"MOJI_FONT_FONT", "OpTagMOJI_FONT_SIZE=+1", "OpTagMOJI_B=1"}).text,
              "<FONT SIZE=\"+1\"><B>%SEL%</B></FONT>");
    EXPECT_EQ(run({"TAB_TD_TD", "OpTagTAB_TD_BGCOLOR=1", "OpVal1TAB_TD_BGCOLOR=FF0000",
                   "OpTagTAB_TD_BGCOLOR=0"})
                  .text,
              "<TD>%SEL%</TD>%CR%");
    // The caption's alignment reaches the caption.
    EXPECT_NE(run({"TAB_TABLE_TABLE", "OoTagTAB_CAPTION_CAPTION=1", "OoVal1TAB_CAPTION_CAPTION=Prices",
                   "OoTagTAB_CAPTION_ALIGN=1", "OoVal1TAB_CAPTION_ALIGN=left", "OoTagTAB_CAPTION_VALIGN=1"})
                  .text.find("%CR%<CAPTION ALIGN=\"left\" VALIGN=\"top\">Prices</CAPTION>%CR%<TR>"),
              std::string::npos);
}

TEST(ComposeVerb, GridsByCellAndEventsOfTheBuilders)
{
    const ComposeResult r = run({"FRAME_FRAMESET", "OpVal1FRAME_FRAMESET_FRAME_NUM=3",
                                 "OpTagFRAME_FRAMESET_FRAME[1,1]=top", "OpTagFRAME_FRAMESET_FRAME[1,2]=a.html",
                                 "OpTagFRAME_FRAMESET_FRAME[2,5]=120"});
    ASSERT_EQ(r.status, 0) << r.problem;
    EXPECT_EQ(r.text, "<FRAMESET COLS=\"50%,120,*\">%CR%<FRAME NAME=\"top\" SRC=\"a.html\">"
                      "%CR%<FRAME NAME=\"\" SRC=\"\">%CR%<FRAME NAME=\"\" SRC=\"\">"
                      "%CR%<NOFRAMES>%CR%%SEL%%CR%</NOFRAMES>%CR%</FRAMESET>%CR%");
    const ComposeResult o = run({"FORM_LISTBOX", "OpVal1FORM_LISTBOX_OPTION_NUM=2",
                                 "OpTagFORM_LISTBOX_OPTION[1,1]=A", "OpTagFORM_LISTBOX_OPTION[2,1]=B",
                                 "OpTagFORM_LISTBOX_OPTION[2,3]=check"});
    EXPECT_EQ(o.text, "<SELECT SIZE=\"1\">%CR%<OPTION>A%CR%<OPTION SELECTED>B%CR%</SELECT>%CR%%SEL%");
}

TEST(ComposeVerb, BadArgumentsAreStatus2WithOneLine)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"NO_SUCH_PANEL"},
             {"link_href"},                                 // panel names are case-sensitive
             {"LINK_HREF", "OpVal1NO_SUCH=1"},              // unknown control
             {"LINK_HREF", "OpVal1LINK_IMG_SRC=a.gif"},     // a control of another panel
             {"LINK_HREF", "novalue"},
             {"LINK_HREF", "OpTagLINK_HREF_TARGET=yes"},    // check boxes take 1 or 0
             {"LINK_IMG", "OpVal1LINK_IMG_WIDTH=wide"},     // spins take numbers
             {"MOJI_FONT_FONT", "OpTagMOJI_FONT_SIZE=9"},   // radio groups take an entry
             {"FRAME_FRAMESET", "OpTagFRAME_FRAMESET_FRAME[3,1]=x"}, // only 2 frames
             {"FRAME_FRAMESET", "OpTagFRAME_FRAMESET_FRAME=x"},
             {"LINK_HREF", "OpTagLINK_HREF_HREF=x"},        // a label is not set
         }) {
        const ComposeResult r = run(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(r.problem.empty());
        EXPECT_EQ(r.problem.find('\n'), std::string::npos);
        EXPECT_TRUE(r.text.empty());
    }
}
