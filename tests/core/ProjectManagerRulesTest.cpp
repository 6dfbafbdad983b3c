#include "project/LinkPath.h"
#include "project/SnapRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel::project;
using orvanel::insert::PathStyle;

TEST(ProjectManagerRules, SnapPlacesTheWindowUnderThePalette)
{
    const FrameRect palette{100, 40, 500, 131};
    EXPECT_EQ(snapPosition(2, palette, 220), (FramePosition{380, 171}));
    EXPECT_EQ(snapPosition(1, palette, 220), (FramePosition{100, 171}));
    // Not kept on the screen: below a palette at the bottom edge it goes off the screen.
    EXPECT_EQ(snapPosition(1, FrameRect{0, 1000, 535, 131}, 220), (FramePosition{0, 1131}));
    EXPECT_FALSE(snapPosition(0, palette, 220));
    EXPECT_FALSE(snapPosition(7, palette, 220));
    EXPECT_EQ(std::vector<int>({snapSettingOf(true, false), snapSettingOf(false, true), snapSettingOf(false, false)}),
              std::vector<int>({1, 2, 0}));
}

TEST(ProjectManagerRules, SnapButtonsSplitTheToolBar)
{
    const SnapButtonSplit odd = splitSnapButtons(211);
    EXPECT_EQ(std::vector<int>({odd.leftWidth, odd.rightLeft, odd.rightWidth}), std::vector<int>({105, 105, 106}));
    EXPECT_EQ(splitSnapButtons(220).rightWidth, 110);
    EXPECT_EQ(splitSnapButtons(-3).rightWidth, 0);
}

TEST(ProjectManagerRules, LinkPathIsRelativeToThePageBeingEdited)
{
    std::vector<std::string> told;
    const auto tell = [&](std::string_view m) { told.emplace_back(m); };
    const std::string page = "/site/docs/index.html";
    // A page reached by a fragment: the record's path has no fragment, so none is carried over.
    EXPECT_EQ(GetLinkPath(LinkItem{"b.html#x", "/site/b.html"}, page, PathStyle::Posix, tell), "../b.html");
    EXPECT_EQ(GetLinkPath(LinkItem{"", "/site/docs/img/a.gif"}, page, PathStyle::Posix, tell), "img/a.gif");
    // A web address is inserted as the page wrote it.
    EXPECT_EQ(GetLinkPath(LinkItem{"https://x.example/a b", "URL"}, page, PathStyle::Posix, tell),
              "https://x.example/a b");
    EXPECT_EQ(GetLinkPath(LinkItem{"a", "C:\\site\\img\\a.gif"}, "C:\\site\\doc\\p.html", PathStyle::Windows, tell),
              "../img/a.gif");
    EXPECT_EQ(GetLinkPath(std::nullopt, page, PathStyle::Posix, tell), "");
    EXPECT_EQ(GetLinkPath(LinkItem{"gone.html", ""}, page, PathStyle::Posix, tell), "");
    EXPECT_TRUE(told.empty());
    // No page being edited: the absolute path, and the user is told.
    EXPECT_EQ(GetLinkPath(LinkItem{"a.gif", "/site/a.gif"}, "", PathStyle::Posix, tell), "/site/a.gif");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], orvanel::insert::kNoRelativePathMessage);
}
