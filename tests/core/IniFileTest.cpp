#include "options/IniFile.h"
#include "text/Encoding.h"
#include "text/UserError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using orvanel::IniFile;

TEST(IniFile, LookupIgnoresCaseAndBlanksAndTheFirstMatchWins)
{
    const IniFile ini = IniFile::parse(
        "top=outside any section\r\n"
        "[Window]\r\n"
        "  Left = 10  \r\n"
        "left=20\r\n"
        "; Top=99\r\n"
        "Top\r\n"
        "[ window ]\r\n"
        "Top=30\r\n"
        "[Option]\r\n"
        "HotKey=ctrl + H=x\r\n"
        "Empty=\r\n");
    EXPECT_EQ(ini.read("WINDOW", "LEFT"), "10");
    // Commented lines and lines without "=" are no keys; a second section of the same name
    // is not looked at (as its first one would be written to).
    EXPECT_EQ(ini.read("Window", "Top"), std::nullopt);
    EXPECT_EQ(ini.read("Option", "hotkey"), "ctrl + H=x");
    EXPECT_EQ(ini.read("Option", "Empty"), "");
    EXPECT_EQ(ini.read("Option", "Missing"), std::nullopt);
    EXPECT_EQ(ini.read("Nowhere", "top"), std::nullopt);
    EXPECT_EQ(ini.readString("Option", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Option", "Empty", "dflt"), "");
}

TEST(IniFile, WritingReplacesInPlaceAppendsToTheSectionAndKeepsEverythingElse)
{
    const std::string original =
        "; written by hand\r\n"
        "[Foreign]\r\n"
        "Keep=this line   \r\n"
        "\r\n"
        "[window]\r\n"
        "LEFT=1\r\n"
        "Other=x\r\n"
        "\r\n"
        "[Tail]\r\n"
        "T=1";
    IniFile ini = IniFile::parse(original);
    ini.write("Window", "Left", "180");
    ini.write("Window", "Width", "535");
    ini.write("Browser", "IE", "/usr/bin/firefox");
    EXPECT_EQ(ini.serialize(),
              "; written by hand\r\n"
              "[Foreign]\r\n"
              "Keep=this line   \r\n"
              "\r\n"
              "[window]\r\n"
              "LEFT=180\r\n"
              "Other=x\r\n"
              "Width=535\r\n"
              "\r\n"
              "[Tail]\r\n"
              "T=1\r\n"
              "[Browser]\r\n"
              "IE=/usr/bin/firefox\r\n");
    // A value cannot break the file into more lines.
    ini.write("Tail", "T", "a\r\n[Window]\nLeft=0");
    EXPECT_EQ(ini.read("Tail", "T"), "a  [Window] Left=0");
    EXPECT_EQ(ini.read("Window", "Left"), "180");
}

TEST(IniFile, ValuesAreSeenCutAt2047BytesWithoutSplittingACharacter)
{
    const std::string ascii(3000, 'a');
    std::string jp;
    for (int i = 0; i < 1500; ++i)
        jp += "\x95\x5C"; // 表 in CP932, 3000 bytes
    const IniFile ini = IniFile::parse("[S]\r\nA=" + ascii + "\r\nJ=x" + jp + "\r\nU=x" +
                                       std::string(1500, 'u').replace(0, 0, "表表") + "\r\n");
    EXPECT_EQ(ini.read("S", "A")->size(), 2047u);
    // "x" + 1023 CP932 characters is 2047 bytes: each is 3 bytes in UTF-8.
    const std::string j = *ini.read("S", "J");
    EXPECT_EQ(j.size(), 1 + 1023u * 3);
    EXPECT_EQ(j.substr(j.size() - 3), "表");
    const std::string u = *ini.read("S", "U");
    EXPECT_LE(u.size(), 2047u);
    EXPECT_EQ(u.substr(0, 7), "x表表");
}

TEST(IniFile, GarbageAndMixedEncodingsReadSafelyAndSurviveASaveByteForByte)
{
    std::string garbage;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n')
            garbage += static_cast<char>(i);
    const std::string badSjis = "Bad=\x81\x20\xFF\xFE\x95";
    const std::string bigLine = "Big=" + std::string(1 << 20, 'z');
    const std::string original = garbage + "\r\n[Tool]\r\n" + badSjis + "\r\n" +
                                 "ProName1=\x95\x5C\x8E\xA6\r\n" + // 表示 in CP932
                                 "ProName2=表示\r\n" +             // the same in UTF-8
                                 bigLine + "\r\n" + "[Option]\r\nTagFace=\xE8\xA1";
    IniFile ini = IniFile::parse(original);
    EXPECT_EQ(ini.read("Tool", "ProName1"), "表示");
    EXPECT_EQ(ini.read("Tool", "ProName2"), "表示");
    EXPECT_EQ(ini.read("Tool", "Big")->size(), 2047u);
    const auto bad = ini.read("Tool", "Bad");
    ASSERT_TRUE(bad.has_value());
    EXPECT_TRUE(orvanel::text::isValidUtf8(*bad));

    ini.write("Option", "TagFace", "2");
    const std::string saved = ini.serialize();
    EXPECT_EQ(saved, garbage + "\r\n[Tool]\r\n" + badSjis + "\r\n" + "ProName1=\x95\x5C\x8E\xA6\r\n" +
                         "ProName2=表示\r\n" + bigLine + "\r\n" + "[Option]\r\nTagFace=2\r\n");
}

TEST(IniFile, WrittenLinesAreCp932WhenTheyFitElseUtf8AndBothReadBack)
{
    IniFile ini;
    ini.write("Tool", "ProPath1", "C:\\表\\a.exe");
    ini.write("Tool", "ProName2", "smile \xF0\x9F\x98\x80");
    EXPECT_EQ(ini.serialize(), "[Tool]\r\nProPath1=C:\\\x95\x5C\\a.exe\r\nProName2=smile \xF0\x9F\x98\x80\r\n");
    const IniFile again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.read("Tool", "ProPath1"), "C:\\表\\a.exe");
    EXPECT_EQ(again.read("Tool", "ProName2"), "smile \xF0\x9F\x98\x80");

    // A file marked UTF-8 stays UTF-8.
    IniFile marked = IniFile::parse("\xEF\xBB\xBF[Tool]\r\n");
    marked.write("Tool", "ProName1", "表");
    EXPECT_EQ(marked.serialize(), "\xEF\xBB\xBF[Tool]\r\nProName1=表\r\n");
}

TEST(IniFile, MissingFileIsEmptyUnreadableFileIsAnError)
{
    namespace fs = std::filesystem;
    const orvanel::test::TempFolder dir("orvanel-ini");
    const std::string path = dir.file("Orvanel.ini");
    EXPECT_EQ(IniFile::load(path).serialize(), "");

    IniFile ini;
    ini.write("Window", "Left", "5");
    ini.save(path);
    EXPECT_EQ(IniFile::load(path).read("window", "left"), "5");

    // A file that is there but cannot be read is an error, not an empty profile.
    const std::string folder = dir.file("sub");
    fs::create_directory(orvanel::test::pathOf(folder));
    EXPECT_THROW(IniFile::load(folder), orvanel::UserError);
}
