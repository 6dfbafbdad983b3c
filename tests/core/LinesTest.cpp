#include "text/KeyedTextList.h"
#include "text/Lines.h"
#include "text/UserError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace orvanel::text;
namespace fs = std::filesystem;
using namespace orvanel::test;

TEST(Lines, EveryLineBreakEndsALineAndAFinalBreakAddsNone)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (V{"a"}));
    EXPECT_EQ(splitLines("a\n\nb\r\r\n"), (V{"a", "", "b", ""}));
    EXPECT_EQ(splitLines("\n\r"), (V{"", ""}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(joinLinesCrLf(V{"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLinesCrLf(V{}), "");
}

TEST(Lines, DataFilesRoundTripInTheirEncoding)
{
    TempFolder dir("orvanel-lines");
    const std::string path = dir.file("list.lst");
    writeDataFileLines(path, {"表=<TABLE>", "x"});
    EXPECT_EQ(readAll(path), "\x95\x5C=<TABLE>\r\nx\r\n");
    EXPECT_EQ(readDataFileLines(path), (std::vector<std::string>{"表=<TABLE>", "x"}));

    writeDataFileLines(path, {"smile=\xF0\x9F\x98\x80"});
    EXPECT_EQ(readAll(path), "\xEF\xBB\xBFsmile=\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(readDataFileLines(path), (std::vector<std::string>{"smile=\xF0\x9F\x98\x80"}));

    // A file without a final line break and a 1 MB line.
    const std::string big(1 << 20, 'x');
    writeAll(path, "a=1\r\nbig=" + big);
    const auto lines = readDataFileLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].size(), big.size() + 4);
}

TEST(Lines, UnreadableAndUnwritableFilesRaiseTheUsersMessages)
{
    TempFolder dir("orvanel-lines");
    const std::string missing = dir.file("TagMList.lst");
    try {
        readDataFileLines(missing);
        FAIL() << "no error for a missing file";
    } catch (const orvanel::UserError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + missing + " は開けません");
    }
    EXPECT_THROW(readDataFileLines(utf8Of(dir.path())), orvanel::UserError); // a folder

    const std::string inMissingFolder = dir.file("no/such/file.ini");
    try {
        writeFileAtomically(inMissingFolder, "x");
        FAIL() << "no error for a file in a missing folder";
    } catch (const orvanel::UserError& e) {
        EXPECT_EQ(std::string(e.what()), inMissingFolder + " に書き込めません");
    }
}

TEST(Lines, AtomicWriteReplacesWholeAndLeavesNoTemporaryFiles)
{
    TempFolder dir("orvanel-lines");
    const std::string path = dir.file("Orvanel.ini");
    writeAll(path, "old content that is longer than the new one\r\n");
    writeFileAtomically(path, "new");
    EXPECT_EQ(readAll(path), "new");

    // A file that another program holds open for reading is replaced all the same (on
    // Windows such a reader forbids deleting the file: the content is written in place).
    {
        std::ifstream reader(pathOf(path), std::ios::binary);
        ASSERT_TRUE(reader.is_open());
        writeFileAtomically(path, "while open");
    }
    EXPECT_EQ(readAll(path), "while open");

    // Names outside CP932 (Hangul, an emoji), and a new file.
    const std::string named = dir.file("설정-\xF0\x9F\x98\x80.ini");
    writeFileAtomically(named, "x=1\r\n");
    EXPECT_TRUE(fs::is_regular_file(pathOf(named)));
    EXPECT_EQ(readFileBytes(named), "x=1\r\n");
    writeDataFileLines(named, {"\xED\x95\x9C=<B>"});
    EXPECT_EQ(readDataFileLines(named), std::vector<std::string>{"\xED\x95\x9C=<B>"});

    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(Lines, AtomicWriteKeepsTheModeAndWritesThroughSymbolicLinks)
{
    if (kOnWindows)
        GTEST_SKIP() << "POSIX file modes and symbolic links; on Windows the replacement keeps the "
                        "file's attributes through ReplaceFileW";
    TempFolder dir("orvanel-lines");
    const std::string path = dir.file("Orvanel.ini");
    writeAll(path, "old");
    fs::permissions(path, fs::perms(0640));
    writeFileAtomically(path, "new");
    EXPECT_EQ(readAll(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0640));

    // Through a symbolic link: the file it names changes, the link stays.
    const std::string link = dir.file("link.ini");
    fs::create_symlink(path, link);
    writeFileAtomically(link, "via link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readAll(path), "via link");

    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(Lines, FailedAtomicWriteLeavesTheOldFileWhole)
{
    // Replacing a folder fails at the rename, after the temporary file was written.
    TempFolder dir("orvanel-lines");
    const std::string folder = dir.file("Orvanel.ini");
    fs::create_directory(pathOf(folder));
    writeAll(folder + "/inside", "kept");
    EXPECT_THROW(writeFileAtomically(folder, "x"), orvanel::UserError);
    EXPECT_EQ(readAll(folder + "/inside"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "the temporary file is removed";
}
