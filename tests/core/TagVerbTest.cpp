#include "app/TagVerb.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct VerbRun {
    int status;
    std::string out, err;
};

VerbRun runTag(std::vector<std::string> args, const std::string& input, const std::string& userFolder)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    orvanel::VerbContext c{std::move(args), in, out, err, std::string(ORVANEL_SOURCE_DIR) + "/data/", userFolder};
    const int status = orvanel::runTagVerb(c);
    return {status, out.str(), err.str()};
}

class TagVerbTest : public ::testing::Test {
protected:
    const orvanel::test::TempFolder folder{"orvanel-tagverb"};
    const std::string user = folder.file("");
};

TEST_F(TagVerbTest, ExpandsAroundStandardInputAsWritten)
{
    // No settings file: TagFace 2 keeps the template as written; the final line break of
    // the input (a here-string's) is not part of the selection, inner ones are.
    EXPECT_EQ(runTag({"MOJI_B"}, "abc\n", user).out, "<B>abc</B>\n");
    EXPECT_EQ(runTag({"moji_b"}, "a\nb", user).out, "<B>a\nb</B>\n");
    // "%CR%" becomes a line feed; a template ending in one is printed as it is.
    const VerbRun p = runTag({"LAYOUT_P_P"}, "text", user);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, "<P>text</P>\n");
    // Macros in the input stay as they are.
    EXPECT_EQ(runTag({"MOJI_I"}, "%SEL% %CR%", user).out, "<I>%SEL% %CR%</I>\n");
}

TEST_F(TagVerbTest, FollowsTheConfiguredLetterCase)
{
    orvanel::test::writeAll(user + "Orvanel.ini", "[Option]\r\nTagFace=1\r\n");
    EXPECT_EQ(runTag({"MOJI_B"}, "ABC", user).out, "<b>ABC</b>\n");
    orvanel::test::writeAll(user + "Orvanel.ini", "[Option]\r\nTagFace=0\r\n");
    // The template's tag and attribute names are converted; its values and the selection are not.
    EXPECT_EQ(runTag({"LAYOUT_DIV_LEFT"}, "abc", user).out, "<DIV ALIGN=\"left\">abc</DIV>\n");
}

TEST_F(TagVerbTest, ExpandsUserTagKeys)
{
    orvanel::test::writeAll(user + "usertag.lst", "missing\r\nG\r\n");
    orvanel::test::writeAll(user + "G.tag", "a\r\nUser0=[<A>%SEL%</A>]\r\nb\r\nUser1=[<Q>%SEL%</Q>%CR%]\r\n");
    EXPECT_EQ(runTag({"Group1_User1"}, "x", user).out, "<Q>x</Q>\n");
    const VerbRun a = runTag({"group1_user0"}, "x", user);
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, "<A>x</A>\n");
    EXPECT_EQ(a.err, "");
    EXPECT_EQ(runTag({"Group0_User0"}, "x", user).status, 2);
}

TEST_F(TagVerbTest, UnknownKeyAndBadArgumentsExitTwo)
{
    const VerbRun unknown = runTag({"NO_SUCH_KEY"}, "abc", user);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("NO_SUCH_KEY"), std::string::npos);
    for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"MOJI_B", "extra"}}) {
        const VerbRun bad = runTag(args, "", user);
        EXPECT_EQ(bad.status, 2);
        EXPECT_FALSE(bad.err.empty());
        EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1); // one line
    }
}

} // namespace
