#include "tagdialog/Compose.h"
#include "tagdialog/ComposeValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel;
using namespace orvanel::tagdialog;

namespace {

ControlDef def(ControlKind kind, std::string name, std::vector<ControlDef> children = {})
{
    ControlDef d;
    d.kind = kind;
    d.name = std::move(name);
    d.children = std::move(children);
    return d;
}
ControlDef check(std::string name, bool on = true, int tag = 0)
{
    ControlDef d = def(ControlKind::CheckBox, std::move(name));
    d.checked = on;
    d.tag = tag;
    return d;
}
ControlDef label(std::string name, int tag = 0)
{
    ControlDef d = def(ControlKind::Label, std::move(name));
    d.tag = tag;
    return d;
}
ControlDef edit(std::string name, std::string text, int tag = 0)
{
    ControlDef d = def(ControlKind::Edit, std::move(name));
    d.text = std::move(text);
    d.tag = tag;
    return d;
}
ControlDef list(std::string name, std::string text, std::vector<std::string> entries = {}, int tag = 0)
{
    ControlDef d = def(ControlKind::List, std::move(name));
    d.text = std::move(text);
    d.entries = std::move(entries);
    d.tag = tag;
    return d;
}
ControlDef spin(std::string name, int value, int tag = 0, int lo = 0, int hi = 0)
{
    ControlDef d = def(ControlKind::SpinEdit, std::move(name));
    d.value = value;
    d.tag = tag;
    d.minValue = lo;
    d.maxValue = hi;
    return d;
}
ControlDef radios(std::string name, std::vector<std::string> entries, int index, int tag = 0)
{
    ControlDef d = def(ControlKind::RadioGroup, std::move(name));
    d.entries = std::move(entries);
    d.itemIndex = index;
    d.tag = tag;
    return d;
}
ControlDef panel(std::string name, std::vector<ControlDef> children)
{
    return def(ControlKind::Panel, std::move(name), std::move(children));
}

catalogue::ButtonTagList tagList(std::vector<std::string> lines)
{
    return catalogue::ButtonTagList(text::KeyedTextList(std::move(lines)));
}

// Composes the first panel of `model` with `list`, collecting reported errors.
struct Fixture {
    catalogue::ButtonTagList list;
    ControlModel model;
    std::vector<std::string> errors;

    Fixture(std::vector<std::string> lines, std::vector<ControlDef> panels)
        : list(tagList(std::move(lines))), model(panels)
    {
    }
    std::string compose()
    {
        Composer composer(list, [this](const std::string& m) { errors.push_back(m); });
        return composer.composePanel(*model.panels().front());
    }
    Control& at(std::string_view name) { return *model.find(name); }
};

const std::vector<std::string> kFontEntries = {
    "MOJI_FONT_FONT=[FONT]\"<FONT>%SEL%</FONT>\"",
    "MOJI_FONT_SIZE=[FONT]\"SIZE=\"%SEL%\"\"",
    "MOJI_FONT_COLOR=[FONT]\"COLOR=\"#%SEL%\"\"",
    "MOJI_FONT_FACE=[FONT]\"FACE=\"%SEL%\"\"",
    "MOJI_B=[B]\"<B>%SEL%</B>\"",
    "MOJI_I=[I]\"<I>%SEL%</I>\"",
};

std::vector<ControlDef> fontPanel()
{
    return {panel("PanelMOJI_FONT_FONT",
                  {radios("OpTagMOJI_FONT_SIZE",
                          {"7", "6", "5", "4", "3 : 標準", "2", "1", "指定なし", "+3", "+2", "+1", "-1", "-2", "-3"}, 7),
                   check("OpTagMOJI_FONT_COLOR"), edit("OpVal1MOJI_FONT_COLOR", "FF0000"),
                   check("OpTagMOJI_FONT_FACE", false), edit("OpVal1MOJI_FONT_FACE", "serif"),
                   def(ControlKind::GroupBox, "GroupMoji",
                       {check("OpTagMOJI_B"), check("OpTagMOJI_I", false)})})};
}

} // namespace

TEST(Compose, FontPanelPutsTheColourIntoFontAndWrapsBoldInside)
{
    Fixture f(kFontEntries, fontPanel());
    EXPECT_EQ(f.compose(), "<FONT COLOR=\"#FF0000\"><B>%SEL%</B></FONT>");

    // A radio group entry other than "指定なし" comes first (visited before the check boxes
    // only by definition order here), cut before " :".
    f.at("OpTagMOJI_FONT_SIZE").setItemIndex(4);
    f.at("OpTagMOJI_FONT_FACE").setChecked(true);
    f.at("OpTagMOJI_I").setChecked(true);
    EXPECT_EQ(f.compose(),
              "<FONT SIZE=\"3\" COLOR=\"#FF0000\" FACE=\"serif\"><B><I>%SEL%</I></B></FONT>");
    EXPECT_TRUE(f.errors.empty());
}

TEST(Compose, DisabledOrTag3CheckBoxesAndUnspecifiedValuesAddNothing)
{
    std::vector<ControlDef> p = {panel("PanelX_T",
        {check("OpTagX_A"), edit("OpVal1X_A", "a"),
         check("OpTagX_B", true, 3), edit("OpVal1X_B", "b"),
         check("OpTagX_C"), list("OpVal1X_C", "指定なし", {"指定なし", "c : C"}),
         check("OpTagX_D"),
         check("OpTagX_E", false), edit("OpVal1X_E", "e")})};
    p[0].children[5].enabled = true;
    Fixture f({"X_T=[T]\"<T>%SEL%</T>\"", "X_A=[T]\"A=%SEL%\"", "X_B=[T]\"B=%SEL%\"",
               "X_C=[T]\"C=%SEL%\"", "X_D=[T]\"D\"", "X_E=[T]\"E=%SEL%\""},
              p);
    // A switch without a value control contributes its template unchanged.
    EXPECT_EQ(f.compose(), "<T A=a D>%SEL%</T>");

    // Checked but disabled: nothing, whatever its value holds.
    f.at("OpTagX_A").setEnabled(false);
    f.at("OpVal1X_C").setText("c : C");
    EXPECT_EQ(f.compose(), "<T C=c D>%SEL%</T>");
    // A disabled container does not matter: only the box's own flag does.
    f.at("PanelX_T").setEnabled(false);
    EXPECT_EQ(f.compose(), "<T C=c D>%SEL%</T>");
    // Tag 3 never adds, checked or not.
    f.at("OpTagX_B").setChecked(false);
    EXPECT_EQ(f.compose(), "<T C=c D>%SEL%</T>");
}

TEST(Compose, LabelsComeFirstAndReplaceTheirTemplate)
{
    Fixture f({"L_P=[P]\"<P>%SEL%</P>\"", "L_CHK=[P]\"CHK\"", "L_LAB=[P]\"LAB=%SEL%\"",
               "L_SUB=[Q]\"<Q>\"", "L_OFF=[P]\"OFF\""},
              {panel("PanelL_P",
                     {check("OpTagL_CHK"), label("OpTagL_LAB"), edit("OpVal1L_LAB", "v"),
                      label("OpTagL_OFF", 3)})});
    // The label stands below the check box in definition order, but is visited first.
    EXPECT_EQ(f.compose(), "<P LAB=v CHK>%SEL%</P>");
}

TEST(Compose, LabelWhoseTemplateIsInTheTagReplacesIt)
{
    // An LI template repeated by a Tag 2 spin replaces the template inside the list tag.
    Fixture f({"LIST_UL=[UL]\"<UL>%CR%<LI>%CR%</UL>\"", "LIST_UL_LI=[LI]\"<LI>%CR%\"",
               "LIST_UL_TYPE=[UL]\"TYPE=\"%SEL%\"\""},
              {panel("PanelLIST_UL",
                     {label("OpTagLIST_UL_TYPE"),
                      list("OpVal1LIST_UL_TYPE", "指定なし", {"指定なし", "circle : ○"}),
                      label("OpTagLIST_UL_LI"), spin("OpVal1LIST_UL_LI", 3, 2, 1, 100)})});
    EXPECT_EQ(f.compose(), "<UL>%CR%<LI>%CR%<LI>%CR%<LI>%CR%</UL>");
    f.at("OpVal1LIST_UL_TYPE").setText("circle : ○");
    f.at("OpVal1LIST_UL_LI").setValue(1);
    EXPECT_EQ(f.compose(), "<UL TYPE=\"circle\">%CR%<LI>%CR%</UL>");
    // A count of 0 or below (no bounds here) leaves the template single.
    Fixture g({"R_P=[P]\"<P><N>%SEL%\"", "R_N=[N]\"<N>\""},
              {panel("PanelR_P", {label("OpTagR_N"), spin("OpVal1R_N", 2, 2)})});
    EXPECT_EQ(g.compose(), "<P><N><N>%SEL%");
    g.at("OpVal1R_N").setValue(0);
    EXPECT_EQ(g.compose(), "<P><N>%SEL%");
    g.at("OpVal1R_N").setValue(-2);
    EXPECT_EQ(g.compose(), "<P><N>%SEL%");
}

TEST(Compose, LabelTemplateInTheTagIsReplacedEvenByUnspecified)
{
    Fixture f({"U_P=[P]\"<P X>%SEL%\"", "U_X=[P]\"X\""},
              {panel("PanelU_P", {label("OpTagU_X"), list("OpVal1U_X", "指定なし")})});
    EXPECT_EQ(f.compose(), "<P 指定なし>%SEL%");
}

TEST(Compose, WidthWithPercentAndPixelUnits)
{
    const std::vector<std::string> units = {"% : パーセント", " : ピクセル"};
    Fixture f({"LAYOUT_HR_HR=[HR]\"<HR>\"", "LAYOUT_HR_WIDTH=[HR]\"WIDTH=\"%SEL%\"\""},
              {panel("PanelLAYOUT_HR_HR",
                     {check("OpTagLAYOUT_HR_WIDTH"), spin("OpVal1LAYOUT_HR_WIDTH", 100, 1, 0, 1000),
                      list("OpVal2LAYOUT_HR_WIDTH", "% : パーセント", units)})});
    EXPECT_EQ(f.compose(), "<HR WIDTH=\"100%\">");
    f.at("OpVal2LAYOUT_HR_WIDTH").setItemIndex(1);
    EXPECT_EQ(f.compose(), "<HR WIDTH=\"100\">");
    // Edits and lists with Tag 1 append their second value too, in the Oo family as well.
    Fixture g({"G_P=[P]\"<P>\"", "G_A=[P]\"A=%SEL%\"", "G_B=[P]\"B=%SEL%\""},
              {panel("PanelG_P",
                     {check("OoTagG_A"), edit("OoVal1G_A", "1", 1), edit("OoVal2G_A", "px"),
                      check("OpTagG_B"), list("OpVal1G_B", "x : X", {}, 1)})});
    // A missing second control yields the slot itself, which the fill puts back.
    EXPECT_EQ(g.compose(), "<P A=1px B=x%SEL%>");
}

TEST(Compose, OtherGroupWithoutSlotGoesAfterTheFirstGt)
{
    Fixture f({"D_DOC=[HTML]\"<HTML>%SEL%</HTML>\"", "D_META=[META]\"<META X>\""},
              {panel("PanelD_DOC", {check("OpTagD_META")})});
    EXPECT_EQ(f.compose(), "<HTML><META X>%SEL%</HTML>");
    // A tag without ">" takes insertions at its front.
    Fixture g({"N_T=[T]\"abc\"", "N_A=[T]\"A\"", "N_B=[B]\"B\""},
              {panel("PanelN_T", {check("OpTagN_A"), check("OpTagN_B")})});
    EXPECT_EQ(g.compose(), "B Aabc");
}

TEST(Compose, SlotInOtherCaseIsReplacedButNotTakenForAWrapper)
{
    Fixture f({"C_T=[T]\"<T>%SEL%</T>\"", "C_W=[W]\"<W>%SEL%</W>\""},
              {panel("PanelC_T", {check("OpTagC_W"), edit("OpVal1C_W", "%sel%")})});
    // Not wrapping (the containment test is case-sensitive): inserted after the first ">".
    EXPECT_EQ(f.compose(), "<T><W>%sel%</W>%SEL%</T>");
}

TEST(Compose, RadioGroupWithTag1NamesTheAttributeAndItsValueFillsIt)
{
    Fixture f({"FRAME_FRAMESET=[FRAMESET]\"<FRAMESET>%SEL%</FRAMESET>\"",
               "FRAME_FRAMESET_BUNKATSU=[FRAMESET]\"%SEL%\""},
              {panel("PanelFRAME_FRAMESET",
                     {radios("OpTagFRAME_FRAMESET_BUNKATSU", {"COLS : 縦分割", "ROWS : 横分割"}, 1, 1),
                      edit("OpVal1FRAME_FRAMESET_BUNKATSU", "50%,*")})});
    EXPECT_EQ(f.compose(), "<FRAMESET ROWS=\"50%,*\">%SEL%</FRAMESET>");
}

TEST(Compose, NestedPanelsAndGroupBoxes)
{
    Fixture f({"DOC_K=[HTML]\"<HTML><BODY>%SEL%</BODY></HTML>\"", "DOC_BODY=[BODY]\"<BODY>\"",
               "DOC_BGCOLOR=[BODY]\"BGCOLOR=\"#%SEL%\"\"", "DOC_EMPTY=[E]\"<E>\"",
               "DOC_NOTIN=[N]\"<N>\"", "DOC_NOTIN_A=[N]\"A\""},
              {panel("PanelDOC_K",
                     {def(ControlKind::NestedPanel, "OpPnlDOC_BODY",
                          {def(ControlKind::GroupBox, "GroupColor",
                               {check("OoTagDOC_BGCOLOR"), edit("OoVal1DOC_BGCOLOR", "00FF00")})}),
                      def(ControlKind::NestedPanel, "OpPnlDOC_EMPTY"),
                      def(ControlKind::NestedPanel, "OpPnlDOC_NOTIN", {check("OoTagDOC_NOTIN_A")})})});
    // The sub-tag replaces its template inside the outer one; a sub-tag whose template the
    // outer tag does not hold changes nothing.
    EXPECT_EQ(f.compose(), "<HTML><BODY BGCOLOR=\"#00FF00\">%SEL%</BODY></HTML>");
}

TEST(Compose, MissingEntriesComposeOnEmptyTexts)
{
    Fixture f({"M_P=[P]\"<P>%SEL%\""},
              {panel("PanelM_P", {label("OpTagM_UNKNOWN"), check("OpTagM_NONE")})});
    // The label inserts a lone blank; the check box, of another (empty) group, inserts an
    // empty value after the ">".
    EXPECT_EQ(f.compose(), "<P >%SEL%");
    Fixture g({}, {panel("PanelM_Q", {check("OpTagM_NONE")})});
    EXPECT_EQ(g.compose(), " ");
}

TEST(Compose, AFailingChildIsReportedByNameAndTheRestStillComposes)
{
    Fixture f({"F_P=[P]\"<P>%SEL%\"", "F_SIZE=[P]\"SIZE=%SEL%\"", "F_A=[P]\"A\"", "F_IN=[I]\"<I>\"",
               "F_R=[I]\"R=%SEL%\"", "F_B=[P]\"B\""},
              {panel("PanelF_P",
                     {check("OpTagF_A"), radios("OpTagF_SIZE", {"1", "2"}, -1),
                      def(ControlKind::NestedPanel, "OpPnlF_IN", {radios("OpTagF_R", {"x"}, -1)}),
                      check("OpTagF_B")})});
    EXPECT_EQ(f.compose(), "<P A B>%SEL%");
    ASSERT_EQ(f.errors.size(), 2u);
    EXPECT_EQ(f.errors[0], "エラーが発生しました。作者に次の文字をお知らせ下さい。\nOpTagF_SIZE");
    // A failure inside a nested container names the innermost child.
    EXPECT_EQ(f.errors[1], "エラーが発生しました。作者に次の文字をお知らせ下さい。\nOpTagF_R");
}

TEST(Compose, GetOptionValueReadsEveryKind)
{
    ControlDef rb = def(ControlKind::RadioButton, "OpVal1K_RB01");
    rb.caption = "yes : はい";
    rb.checked = true;
    ControlDef rbOff = def(ControlKind::RadioButton, "OpVal1K_RB02");
    rbOff.caption = "no : いいえ";
    Fixture f({}, {panel("PanelK",
                         {edit("OpVal1K_E", "text"), list("OpVal1K_L", "right :右"),
                          list("OpVal1K_LEFT", "left:x"), list("OpVal1K_EMPTY", ""),
                          spin("OpVal1K_S", -5), radios("OpVal1K_G", {"COLS : 縦分割"}, 0), rb, rbOff,
                          list("OpVal1K_J", "右: x")})});
    const Control& p = *f.model.panels().front();
    Composer c(f.list);
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_E", "[%SEL%|%sel%]"), "[text|text]");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_L", "%SEL%"), "right");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_LEFT", "%SEL%"), "lef");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_EMPTY", "v=%SEL%"), "v=");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_S", "%SEL%"), "-5");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_G", "%SEL%"), "COLS");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_RB", "%SEL%"), "yes");
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_NONE", "T=%SEL%"), "T=%SEL%");
    // The character in front of the colon is dropped whole, never a part of it.
    EXPECT_EQ(c.GetOptionValue(p, "OpVal1K_J", "%SEL%"), "");
}

TEST(ComposeValues, ListEntriesAndNumbers)
{
    EXPECT_EQ(cutBeforeColon(" : ピクセル"), "");
    EXPECT_EQ(cutBeforeColon("% : パーセント"), "%");
    EXPECT_EQ(cutBeforeColon("1 : 数字 ( 1 , 2 )"), "1");
    EXPECT_EQ(cutBeforeColon("指定なし"), "指定なし");
    EXPECT_EQ(cutBeforeColon(":x"), "");
    EXPECT_EQ(parseDecimal("+4"), 4);
    EXPECT_FALSE(parseDecimal("4a"));
    EXPECT_FALSE(parseDecimal(""));
    EXPECT_FALSE(parseDecimal("%SEL%"));
}
