#include "insert/RelativePath.h"
#include "text/Encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanel::insert;

namespace {

struct Told {
    std::vector<std::string> messages;
    std::function<void(std::string_view)> fn()
    {
        return [this](std::string_view m) { messages.emplace_back(m); };
    }
};

std::string win(std::string_view path, std::string_view target)
{
    Told told;
    std::string out = MakeRelativePath(path, target, PathStyle::Windows, told.fn());
    EXPECT_TRUE(told.messages.empty()) << path;
    return out;
}

std::string posix(std::string_view path, std::string_view target)
{
    Told told;
    std::string out = MakeRelativePath(path, target, PathStyle::Posix, told.fn());
    EXPECT_TRUE(told.messages.empty()) << path;
    return out;
}

} // namespace

TEST(RelativePath, WindowsStyleDownUpAndIgnoringCase)
{
    EXPECT_EQ(win(R"(C:\site\img\logo.gif)", R"(C:\site\index.html)"), "img/logo.gif");
    EXPECT_EQ(win(R"(C:\site\index.html)", R"(C:\site\docs\a.html)"), "../index.html");
    EXPECT_EQ(win(R"(c:\site\b.html)", R"(C:\Site\A.html)"), "b.html");
    // Siblings two levels apart: every folder after the common part is climbed.
    EXPECT_EQ(win(R"(C:\site\img\x\y.gif)", R"(C:\site\docs\sub\a.html)"), "../../img/x/y.gif");
    // Only whole folder names count as common, not a shared beginning.
    EXPECT_EQ(win(R"(C:\site2\a.gif)", R"(C:\site\a.html)"), "../site2/a.gif");
    // Network shares are drives too.
    EXPECT_EQ(win(R"(\\srv\share\site\img\a.gif)", R"(\\SRV\Share\site\a.html)"), "img/a.gif");
}

TEST(RelativePath, WindowsOtherDriveIsAbsoluteWithSlashesAndNoMessage)
{
    EXPECT_EQ(win(R"(D:\pics\x.gif)", R"(C:\site\a.html)"), "D:/pics/x.gif");
    EXPECT_EQ(win(R"(\\other\share\x.gif)", R"(\\srv\share\a.html)"), "//other/share/x.gif");
    EXPECT_EQ(win(R"(C:\x.gif)", R"(\\srv\share\a.html)"), "C:/x.gif");
}

TEST(RelativePath, NoPageBeingEditedTellsAndKeepsThePath)
{
    Told told;
    EXPECT_EQ(MakeRelativePath(R"(C:\site\x.gif)", "", PathStyle::Windows, told.fn()),
              R"(C:\site\x.gif)");
    ASSERT_EQ(told.messages.size(), 1u);
    EXPECT_EQ(told.messages[0], "相対パスを取得できませんでした。\n絶対パスで出力します。");

    Told posixTold;
    EXPECT_EQ(MakeRelativePath("/home/u/site/x.gif", "", PathStyle::Posix, posixTold.fn()),
              "/home/u/site/x.gif");
    EXPECT_EQ(posixTold.messages.size(), 1u);
}

TEST(RelativePath, JapaneseFolderNamesAreNeverCut)
{
    // 表 is 0x95 0x5C in Shift-JIS: its second byte is the byte of "\". In UTF-8 it is
    // E8 A1 A8 and must stay one folder name.
    EXPECT_EQ(win(R"(C:\表\img\a.gif)", R"(C:\表\index.html)"), "img/a.gif");
    EXPECT_EQ(win(R"(C:\site\表示\a.gif)", R"(C:\site\表\b.html)"), "../表示/a.gif");
    EXPECT_EQ(win(R"(C:\表\表\a.gif)", R"(C:\表\b.html)"), "表/a.gif");
    EXPECT_EQ(posix("/site/表/img/a.gif", "/site/表/index.html"), "img/a.gif");
    EXPECT_EQ(posix("/site/表示/a.gif", "/site/表/b.html"), "../表示/a.gif");
}

TEST(RelativePath, PosixCounterparts)
{
    EXPECT_EQ(posix("/site/img/logo.gif", "/site/index.html"), "img/logo.gif");
    EXPECT_EQ(posix("/site/index.html", "/site/docs/a.html"), "../index.html");
    // Names are compared exactly on POSIX: Site and site are different folders.
    EXPECT_EQ(posix("/site/b.html", "/Site/A.html"), "../site/b.html");
    EXPECT_EQ(posix("/b.html", "/a.html"), "b.html");
    // A backslash is an ordinary character of a POSIX name.
    EXPECT_EQ(posix(R"(/site/a\b.gif)", "/site/x.html"), R"(a\b.gif)");
}

TEST(RelativePath, RelativeToFolderAcceptsFoldersWithOrWithoutSeparator)
{
    EXPECT_EQ(RelativeToFolder("/site/docs", "/site/img/a.gif", PathStyle::Posix), "../img/a.gif");
    EXPECT_EQ(RelativeToFolder("/site/docs/", "/site/img/a.gif", PathStyle::Posix), "../img/a.gif");
    EXPECT_EQ(RelativeToFolder(R"(C:\site\)", R"(C:\site\a.gif)", PathStyle::Windows), "a.gif");
    // It keeps the separators of its style; only MakeRelativePath turns them into "/".
    EXPECT_EQ(RelativeToFolder(R"(C:\site\docs\)", R"(C:\site\img\a.gif)", PathStyle::Windows),
              R"(..\img\a.gif)");
    EXPECT_EQ(RelativeToFolder(R"(C:\site\)", R"(D:\x\a.gif)", PathStyle::Windows), R"(D:\x\a.gif)");
    // A path that is not absolute cannot be related to the folder and stays as it is.
    EXPECT_EQ(RelativeToFolder("/site/", "img/a.gif", PathStyle::Posix), "img/a.gif");
    EXPECT_EQ(folderOf(R"(C:\site\a.html)", PathStyle::Windows), R"(C:\site\)");
    EXPECT_EQ(folderOf("/site/a.html", PathStyle::Posix), "/site/");
}

TEST(RelativePath, ShiftJisPathsDecodedFirstKeepTheirCharacters)
{
    // A page and a file named in Shift-JIS, as an older file system or list hands them over:
    // 表 is 0x95 0x5C, 表示 is 0x95 0x5C 0x8E 0xA6. Decoded to UTF-8 first, no "\" byte of a
    // character remains to be taken for a separator.
    const std::string page = orvanel::text::cp932ToUtf8("C:\\\x95\x5C\\index.html");
    const std::string file = orvanel::text::cp932ToUtf8("C:\\\x95\x5C\x8E\xA6\\\x95\x5C\\a.gif");
    EXPECT_EQ(win(file, page), "../表示/表/a.gif");
    EXPECT_EQ(win(orvanel::text::cp932ToUtf8("C:\\\x95\x5C\\img\\b.gif"), page), "img/b.gif");
}
