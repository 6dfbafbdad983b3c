// Letter case of tag templates.

#include "insert/TagTemplate.h"

#include <gtest/gtest.h>

using namespace orvanel;

TEST(TagFaceTest, UpperLowerOrAsWritten)
{
    EXPECT_EQ(ApplyTagFace("<a href=%SEL%>", 0), "<A HREF=%SEL%>");
    EXPECT_EQ(ApplyTagFace("<A HREF=%sel%>%Cr%", 1), "<a href=%sel%>%Cr%");
    EXPECT_EQ(ApplyTagFace("<a HREF=\"X.htm\">", 2), "<a HREF=\"X.htm\">");
    EXPECT_EQ(ApplyTagFace("<a HREF=\"X.htm\">", -1), "<a HREF=\"X.htm\">");
    EXPECT_EQ(ApplyTagFace("", 0), "");
    // Only tag and attribute names change: values, quoted or not (and holding ">"), text,
    // entities, comments and a lone "<" or ">" keep their case.
    EXPECT_EQ(ApplyTagFace("<IMG SRC=\"img/Logo.gif\" ALT='A>B' BORDER=Zero>%SEL%", 1),
              "<img src=\"img/Logo.gif\" alt='A>B' border=Zero>%SEL%");
    EXPECT_EQ(ApplyTagFace("<!doctype html \"-//W3C//EN\"><option value=\"a\">Apple &Eacute;<!-- Note <b> -->", 0),
              "<!DOCTYPE HTML \"-//W3C//EN\"><OPTION VALUE=\"a\">Apple &Eacute;<!-- Note <b> -->");
    EXPECT_EQ(ApplyTagFace("a < b > c <y and <i>x</i> <a title=\"open>", 0), "a < b > c <y and <I>x</I> <a title=\"open>");
}

TEST(TagFaceTest, OnlyAsciiLettersChange)
{
    // Japanese text, full-width letters and accented letters keep their form; the bytes of
    // a multi-byte character are never touched.
    EXPECT_EQ(ApplyTagFace("<img alt=\"写真ａｂｃ\" title=\"é\">", 0), "<IMG ALT=\"写真ａｂｃ\" TITLE=\"é\">");
    EXPECT_EQ(ApplyTagFace("<IMG ALT=\"ＡＢＣ表\">", 1), "<img alt=\"ＡＢＣ表\">");
}
