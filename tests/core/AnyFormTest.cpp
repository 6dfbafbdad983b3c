#include "project/AnyForm.h"

#include <gtest/gtest.h>

using namespace orvanel::project;

namespace {

std::vector<std::string> references(std::string_view page)
{
    AnyFormFinder finder(page);
    std::vector<std::string> out;
    FoundReference found;
    while (finder.next(found))
        out.push_back(std::string(found.kind) + " " + std::string(found.text));
    return out;
}

} // namespace

TEST(AnyForm, TakesTheTagsAsABrowserDoes)
{
    EXPECT_EQ(references("<img src=\"c.gif\"><A class=x HREF = 'b.html' >t</a><a href=u.html>"
                         "<img srcset=\"x.gif 2x\" src=' y.gif\n'><IFRAME SRC=\"f.html\"></iframe>"
                         "<frame src=\"g.html\"><a href=\"a&amp;b&#x41;&#66;&lt;&nosuch;.html\">"
                         "<a name=\"n\"><a href=\"first\" href=\"second\"><a\nhref=\"nl.html\">"),
              (std::vector<std::string>{"img c.gif", "href b.html", "href u.html", "img y.gif", "frame f.html",
                                        "frame g.html", "href a&bAB<&nosuch;.html", "href first", "href nl.html"}));
    // Comments, scripts and styles hold no references; a tag the page ends in is dropped.
    EXPECT_EQ(references("<!-- <a href=\"c.html\"> --><script>var s = '<a href=\"s.html\">';</script>"
                         "<STYLE>a{}</style><a href=\"ok.html\"><!doctype html><?xml?></p>"
                         "<a href=\"open.html"),
              (std::vector<std::string>{"href ok.html"}));
    EXPECT_EQ(references("<script><a href=\"never.html\">"), std::vector<std::string>{});
    EXPECT_EQ(references("<a href=x <"), std::vector<std::string>{});
}

TEST(AnyForm, FragmentTargetsAreNamesOfLinksAndIdsOfAnyElement)
{
    EXPECT_EQ(anyFormAnchorNames("<a name=top><h2 ID='sec'>S</h2><p name=\"not\"><div id=\"a&amp;b\" id=\"x\">"),
              (std::vector<std::string>{"top", "sec", "a&b"}));
}
