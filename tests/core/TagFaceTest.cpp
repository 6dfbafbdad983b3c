// Letter case of tag templates.

#include "insert/TagTemplate.h"

#include <gtest/gtest.h>

using namespace orvanel;

TEST(TagFaceTest, UpperLowerOrAsWritten)
{
    EXPECT_EQ(ApplyTagFace("<a href=%SEL%>", 0), "<A HREF=%SEL%>");
    EXPECT_EQ(ApplyTagFace("<A HREF=%sel%>%Cr%", 1), "<a href=%sel%>%cr%");
    EXPECT_EQ(ApplyTagFace("<a HREF=\"X.htm\">", 2), "<a HREF=\"X.htm\">");
    EXPECT_EQ(ApplyTagFace("<a HREF=\"X.htm\">", -1), "<a HREF=\"X.htm\">");
    EXPECT_EQ(ApplyTagFace("", 0), "");
}

TEST(TagFaceTest, OnlyAsciiLettersChange)
{
    // Japanese text, full-width letters and accented letters keep their form; the bytes of
    // a multi-byte character are never touched.
    EXPECT_EQ(ApplyTagFace("<img alt=\"写真ａｂｃ\" title=\"é\">", 0), "<IMG ALT=\"写真ａｂｃ\" TITLE=\"é\">");
    EXPECT_EQ(ApplyTagFace("<IMG ALT=\"ＡＢＣ表\">", 1), "<img alt=\"ＡＢＣ表\">");
}
