// Template expansion and the caret-back count.

#include "insert/TagTemplate.h"
#include "text/TextOps.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvanel;

namespace {
// Where the caret stands (in caret steps from the start) after the expanded text has been
// pasted at the start of an empty editor and moved back CaretBackCount steps, and where it
// should stand: right after the first selected text. Line breaks are one step.
std::size_t steps(const std::string& s)
{
    std::size_t n = text::charCount(s);
    for (std::size_t i = s.find("\r\n"); i != std::string::npos; i = s.find("\r\n", i + 2))
        --n;
    return n;
}
} // namespace

TEST(CaretBackCountTest, ExamplesOfTheTagLists)
{
    EXPECT_EQ(CaretBackCount("<B>%SEL%</B>"), 4u);
    // The tail </P>%CR% is one line break and four characters.
    EXPECT_EQ(CaretBackCount("<P>%SEL%</P>%CR%"), 5u);
    // Lowered by the letter case setting, the macros are still macros.
    EXPECT_EQ(CaretBackCount("<b>%sel%</b>"), 4u);
    EXPECT_EQ(CaretBackCount("<p>%Sel%</p>%cR%"), 5u);
    // Only the first "%SEL%" counts; what precedes it does not.
    EXPECT_EQ(CaretBackCount("<TABLE>%CR%<TR><TD>%SEL%</TD></TR>%CR%</TABLE>"), 19u);
}

TEST(CaretBackCountTest, CountsCharactersNotBytesNorPercentPairs)
{
    // A Japanese character after "%SEL%" is one caret step, not two or three.
    EXPECT_EQ(CaretBackCount("<B>%SEL%太字</B>"), 6u);
    EXPECT_EQ(CaretBackCount("「%SEL%」"), 1u);
    // Literal "%" are characters like any other: the caret passes each one.
    EXPECT_EQ(CaretBackCount("<IMG SRC=\"%SEL%\" WIDTH=\"50%\" HEIGHT=\"50%\">"), 27u);
    EXPECT_EQ(CaretBackCount("%SEL%100%"), 4u);
    // A later "%SEL%" becomes the selection, which the caret passes character by character.
    EXPECT_EQ(CaretBackCount("<A HREF=\"%SEL%\">%SEL%</A>", "日本語"), 9u);
    EXPECT_EQ(CaretBackCount("%SEL%|%SEL%", "a\r\nb"), 4u);
}

TEST(CaretBackCountTest, WithoutSelectionMacroTheCaretStaysAtTheEnd)
{
    EXPECT_EQ(CaretBackCount("<BR>"), 0u);
    EXPECT_EQ(CaretBackCount("<HR>%CR%"), 0u);
    EXPECT_EQ(CaretBackCount("%SE L%</B>"), 0u);
    EXPECT_EQ(CaretBackCount(""), 0u);
    EXPECT_EQ(CaretBackCount("<B>%SEL%"), 0u);
}

TEST(CaretBackCountTest, CaretLandsRightAfterTheSelectionForEveryLineBreak)
{
    const char* templates[] = {
        "<B>%SEL%</B>", "<P>%SEL%</P>%CR%", "%cr%<DIV>%CR%%sel%%CR%</DIV>%CR%",
        "<FONT SIZE=\"50%\">%SEL%</FONT>%CR%<!-- 100% -->", "<A HREF=\"%SEL%\">%SEL%</A>",
        "漢字%SEL%かな%CR%カナ", "%SEL%",
    };
    const char* selections[] = {"", "abc", "日本語の文", "x%CR%y%SEL%z", "line1\nline2"};
    for (const std::string lineBreak : {"\n", "\r\n"}) {
        for (const char* t : templates) {
            for (const char* sel : selections) {
                const std::string expanded = ExpandTemplate(t, sel, lineBreak);
                const std::string tmpl = t;
                const std::string before = ExpandTemplate(tmpl.substr(0, tmpl.find("%SEL%") == std::string::npos
                                                                            ? tmpl.find("%sel%")
                                                                            : tmpl.find("%SEL%")),
                                                          "", lineBreak);
                EXPECT_EQ(steps(expanded) - CaretBackCount(t, sel), steps(before) + steps(sel))
                    << "template " << t << " selection " << sel << " line break " << lineBreak.size();
            }
        }
    }
}

TEST(ExpandTemplateTest, ReplacesBothMacrosIgnoringCase)
{
    EXPECT_EQ(ExpandTemplate("<B>%SEL%</B>", "abc", "\n"), "<B>abc</B>");
    EXPECT_EQ(ExpandTemplate("<B>%SEL%</B>", "", "\n"), "<B></B>");
    EXPECT_EQ(ExpandTemplate("<P>%sel%</P>%cr%", "x", "\n"), "<P>x</P>\n");
    EXPECT_EQ(ExpandTemplate("<P>%Sel%</P>%Cr%", "x", "\r\n"), "<P>x</P>\r\n");
    EXPECT_EQ(ExpandTemplate("%SEL%-%SEL%", "ab", "\n"), "ab-ab");
    EXPECT_EQ(ExpandTemplate("<HR>", "lost", "\n"), "<HR>");
    EXPECT_EQ(ExpandTemplate("50% of %CR%", "", "\n"), "50% of \n");
}

TEST(ExpandTemplateTest, MacrosInsideTheSelectionStayAsTheyAre)
{
    EXPECT_EQ(ExpandTemplate("<B>%SEL%</B>%CR%", "a%CR%b%SEL%c%sel%", "\n"), "<B>a%CR%b%SEL%c%sel%</B>\n");
    // A selection that forms a macro with the template's text after it is not rescanned.
    EXPECT_EQ(ExpandTemplate("x%SEL%EL%", "%S", "\n"), "x%SEL%");
    EXPECT_EQ(ExpandTemplate("%SEL%R%", "%C", "\n"), "%CR%");
    // "%CR%" is expanded first: where the two overlap, the line break wins.
    EXPECT_EQ(ExpandTemplate("%SEL%CR%", "sel", "\n"), "%SEL\n");
}
