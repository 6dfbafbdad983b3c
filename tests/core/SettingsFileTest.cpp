#include "app/ExeFolder.h"
#include "options/SettingsFile.h"
#include "text/UserError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace orvanel;
namespace fs = std::filesystem;
using namespace orvanel::test;

namespace {

constexpr int kPaletteHeight = 131;
const std::string kExe = "/opt/orvanel/";

LoadedSettings loadText(const std::string& content)
{
    return LoadSettings(IniFile::parse(content), kPaletteHeight, kExe);
}

} // namespace

TEST(SettingsFile, MissingFileGivesEveryDefault)
{
    const LoadedSettings r = loadText("");
    EXPECT_EQ(r.window.Left, 180);
    EXPECT_EQ(r.window.Top, 180);
    EXPECT_EQ(r.window.Height, kPaletteHeight);
    EXPECT_EQ(r.window.Width, 535);
    EXPECT_EQ(r.window.ActivePage, "TabDoc");
    EXPECT_EQ(r.window.InitialDir, kExe);
    const Settings& s = r.settings;
    EXPECT_EQ(s.TagFace, 2);
    EXPECT_EQ(s.InsertMethod, 0);
    EXPECT_TRUE(s.AutoActive);
    EXPECT_TRUE(s.StayOnTop);
    EXPECT_FALSE(s.AppBar);
    EXPECT_EQ(s.HotKey, "");
    EXPECT_EQ(s.ProjectManagerState, 1);
    EXPECT_EQ(s.TopPage, "");
    EXPECT_EQ(s.PrjMngrHeight, 350);
    EXPECT_EQ(s.PrjMngrWidth, 220);
    EXPECT_EQ(s.Snap, 1);
    EXPECT_EQ(s.CurBrowser + s.IE + s.NN + s.ETC, "");
    EXPECT_EQ(s.ProName1 + s.ProPath1 + s.ProName2 + s.ProPath2 + s.ProName3 + s.ProPath3, "");
    EXPECT_TRUE(s.ExtList.empty());

    TempFolder dir("orvanel-settings");
    const LoadedSettings fromDisk = LoadSettings(dir.file("Orvanel.ini"), 99, "/x/");
    EXPECT_EQ(fromDisk.window.Height, 99);
    EXPECT_EQ(fromDisk.window.InitialDir, "/x/");
    EXPECT_TRUE(fromDisk.settings.StayOnTop);
}

TEST(SettingsFile, IntegersFollowTheHexRuleAndMalformedValuesGiveDefaults)
{
    EXPECT_EQ(parseProfileInt("0x1"), 1);
    EXPECT_EQ(parseProfileInt("0X1f"), 31);
    EXPECT_EQ(parseProfileInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(parseProfileInt("-12"), -12);
    EXPECT_EQ(parseProfileInt("+7"), 7);
    EXPECT_EQ(parseProfileInt("0"), 0);
    for (const char* bad : {"", "0x", "0X", "abc", "1a", "0x1g", "0x-1", "+-1", "1 2", "99999999999",
                            "0x100000000", "1.5"})
        EXPECT_EQ(parseProfileInt(bad), std::nullopt) << bad;

    const LoadedSettings r = loadText("[Option]\r\nTagFace=0x1\r\nInsertMethod=abc\r\n"
                                      "StayOnTop=5\r\nAutoActive=0\r\nAppBar=-1\r\n"
                                      "[Window]\r\nLeft=\r\nTop=0x\r\nWidth=600\r\n");
    EXPECT_EQ(r.settings.TagFace, 1);
    EXPECT_EQ(r.settings.InsertMethod, 0);
    EXPECT_TRUE(r.settings.StayOnTop);
    EXPECT_FALSE(r.settings.AutoActive);
    EXPECT_TRUE(r.settings.AppBar);
    EXPECT_EQ(r.window.Left, 180);
    EXPECT_EQ(r.window.Top, 180);
    EXPECT_EQ(r.window.Width, 600);
    EXPECT_EQ(loadText("[Option]\r\nTagFace=abc\r\n").settings.TagFace, 2);
    EXPECT_TRUE(loadText("[Option]\r\nStayOnTop=yes\r\n").settings.StayOnTop);
}

TEST(SettingsFile, ExtListCountRuleAndListFormat)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(parseExtList(3, "<txt=a.exe>"), (V{"txt=a.exe", "", ""}));
    EXPECT_EQ(parseExtList(1, "<txt=a.exe><htm=>"), (V{"txt=a.exe"}));
    EXPECT_EQ(parseExtList(2, "<txt=/usr/bin/mousepad><htm=>"), (V{"txt=/usr/bin/mousepad", "htm="}));
    // The first character is skipped whatever it is, a double-byte one whole.
    EXPECT_EQ(parseExtList(2, "xab>表cd>"), (V{"ab", "cd"}));
    EXPECT_EQ(parseExtList(2, ">>"), (V{"", ""}));
    EXPECT_TRUE(parseExtList(0, "<a=b>").empty());
    EXPECT_TRUE(parseExtList(-4, "<a=b>").empty());
    // A huge Count cannot exhaust memory: beyond what List can hold, entries are empty.
    EXPECT_EQ(parseExtList(2147483647, "<a=b>").size(), static_cast<std::size_t>(MaxExtListCount));
    EXPECT_EQ(buildExtList(V{"txt=C:\\Tools\\edit.exe", "html=C:\\Tools\\web.exe", "htm="}),
              "<txt=C:\\Tools\\edit.exe><html=C:\\Tools\\web.exe><htm=>");

    const LoadedSettings r = loadText("[ExtList]\r\nCount=3\r\nList=<txt=a.exe>\r\n");
    EXPECT_EQ(r.settings.ExtList, (V{"txt=a.exe", "", ""}));

    // A List longer than 2047 bytes is read cut: the entry cut in half and all after it
    // are empty.
    std::string list;
    V entries;
    for (int i = 0; list.size() < 3000; ++i) {
        entries.push_back("e" + std::to_string(i) + "=/usr/bin/program" + std::to_string(i));
        list += "<" + entries.back() + ">";
    }
    const std::string cut = list.substr(0, 2047);
    const std::size_t whole = static_cast<std::size_t>(std::count(cut.begin(), cut.end(), '>'));
    const LoadedSettings longList = loadText("[ExtList]\r\nCount=" + std::to_string(entries.size()) +
                                             "\r\nList=" + list + "\r\n");
    ASSERT_EQ(longList.settings.ExtList.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(longList.settings.ExtList[i], i < whole ? entries[i] : "") << i;
}

TEST(SettingsFile, SaveWritesEveryKeyInOrderWithFlagsAsDigits)
{
    Settings s;
    s.TagFace = 1;
    s.InsertMethod = 1;
    s.AutoActive = true;
    s.StayOnTop = false;
    s.AppBar = true;
    s.HotKey = "ctrl + shift + H";
    s.ProjectManagerState = 2;
    s.TopPage = "/home/u/site/index.html";
    s.PrjMngrHeight = 400;
    s.PrjMngrWidth = 250;
    s.Snap = 2;
    s.CurBrowser = "/usr/bin/firefox";
    s.IE = "/usr/bin/firefox";
    s.ProName1 = "整形";
    s.ProPath1 = "/usr/bin/tidy";
    s.ExtList = {"txt=/usr/bin/mousepad", "htm="};
    WindowState w;
    w.Left = 10;
    w.Top = -5;
    w.Height = 131;
    w.Width = 600;
    w.ActivePage = "";
    w.InitialDir = "/home/u/";

    IniFile ini;
    SaveSettings(ini, s, w);
    const std::string expected =
        "[Window]\r\nLeft=10\r\nTop=-5\r\nHeight=131\r\nWidth=600\r\nActivePage=\r\n"
        "[Option]\r\nTagFace=1\r\nInsertMethod=1\r\nAutoActive=1\r\nStayOnTop=0\r\nAppBar=1\r\n"
        "InitialDir=/home/u/\r\nHotKey=ctrl + shift + H\r\n"
        "[PrjMngr]\r\nPrjMngr=2\r\nTopPage=/home/u/site/index.html\r\nHeight=400\r\nWidth=250\r\nSnap=2\r\n"
        "[Browser]\r\nCurBrowser=/usr/bin/firefox\r\nIE=/usr/bin/firefox\r\nNN=\r\nETC=\r\n"
        "[Tool]\r\nProName1=\x90\xAE\x8C\x60\r\nProPath1=/usr/bin/tidy\r\nProName2=\r\nProPath2=\r\n"
        "ProName3=\r\nProPath3=\r\n"
        "[ExtList]\r\nCount=2\r\nList=<txt=/usr/bin/mousepad><htm=>\r\n";
    EXPECT_EQ(ini.serialize(), expected);

    // What is saved loads back as it was.
    const LoadedSettings back = LoadSettings(IniFile::parse(ini.serialize()), 1, "/");
    EXPECT_EQ(back.settings.ProName1, "整形");
    EXPECT_EQ(back.settings.ExtList, s.ExtList);
    EXPECT_EQ(back.settings.HotKey, s.HotKey);
    EXPECT_FALSE(back.settings.StayOnTop);
    EXPECT_EQ(back.window.Top, -5);
    EXPECT_EQ(back.window.ActivePage, "");
}

TEST(SettingsFile, ForeignSectionsCommentsAndGarbageSurviveALoadAndSave)
{
    TempFolder dir("orvanel-settings");
    const std::string path = dir.file("Orvanel.ini");
    const std::string garbage = std::string("\x00\x01\xFF\xFE\x81\x20 binary", 14);
    const std::string foreign =
        "; my notes about the palette\r\n"
        "[Mine]\r\n"
        "Colour=\x90\xD4\r\n" // 赤 in CP932
        + garbage + "\r\n";
    std::ofstream(path, std::ios::binary)
        << foreign
        << "[option]\r\nSTAYONTOP=5\r\nTagFace=\x95\x5C\r\nMyOwnKey=kept\r\n"
        << "[Window]\r\nLeft=" << std::string(1 << 20, '9') << "\r\nWidth=700";

    const LoadedSettings r = LoadSettings(path, kPaletteHeight, kExe);
    EXPECT_TRUE(r.settings.StayOnTop);
    EXPECT_EQ(r.settings.TagFace, 2);
    EXPECT_EQ(r.window.Left, 180);
    EXPECT_EQ(r.window.Width, 700);

    SaveSettings(path, r.settings, r.window);
    const std::string saved = readAll(path);
    EXPECT_EQ(saved.substr(0, foreign.size()), foreign);
    EXPECT_NE(saved.find("[option]\r\nSTAYONTOP=1\r\nTagFace=2\r\nMyOwnKey=kept\r\nInsertMethod=0\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("[Window]\r\nLeft=180\r\nWidth=700\r\nTop=180\r\nHeight=131\r\n"),
              std::string::npos);
    EXPECT_EQ(saved.find("99999"), std::string::npos);

    // Saving again changes nothing more.
    SaveSettings(path, LoadSettings(path, kPaletteHeight, kExe).settings,
                 LoadSettings(path, kPaletteHeight, kExe).window);
    EXPECT_EQ(readAll(path), saved);
}

TEST(SettingsFile, AFailedSaveNamesTheFullPathAndWritesNothing)
{
    TempFolder dir("orvanel-settings");
    // The settings path is taken by a folder: it can be neither read nor replaced.
    const std::string path = dir.file("Orvanel.ini");
    fs::create_directory(path);
    try {
        SaveSettings(path, Settings{}, WindowState{});
        FAIL() << "the save reported success";
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
    }
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_TRUE(fs::is_empty(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), fs::directory_iterator()), 1);
}

TEST(ExeFolder, UserFilesLiveBesideTheProgramUnlessItsFolderIsReadOnly)
{
    if (kOnWindows)
        GTEST_SKIP() << "the XDG configuration folders are the POSIX rule; Windows uses %APPDATA%";
    TempFolder dir("orvanel-settings");
    const std::string program = dir.file("prog");
    fs::create_directory(program);
    std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", dir.file("config")}, {"HOME", dir.file("home")}};
    auto getenv = [&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(userFolderFor(program, getenv), program + "/");
    EXPECT_EQ(userFolderFor(program + "/", getenv), program + "/");

    // A program folder that does not exist stands for one that cannot be written (a
    // read-only folder would do, but not for root).
    const std::string gone = dir.file("gone/");
    EXPECT_EQ(userFolderFor(gone, getenv), dir.file("config") + "/orvanel/");
    EXPECT_TRUE(fs::is_directory(dir.file("config/orvanel")));
    env.erase("XDG_CONFIG_HOME");
    EXPECT_EQ(userFolderFor(gone, getenv), dir.file("home") + "/.config/orvanel/");
    EXPECT_TRUE(fs::is_directory(dir.file("home/.config/orvanel")));
    env["XDG_CONFIG_HOME"] = "relative/path"; // not absolute: ignored
    EXPECT_EQ(userFolderFor(gone, getenv), dir.file("home") + "/.config/orvanel/");

    // Installed: user files in the user's folder even when the program's folder may be written.
    fs::create_directories(dir.file("usr/bin"));
    fs::create_directories(dir.file("usr/share/orvanel"));
    writeAll(dir.file("usr/share/orvanel/TagMList.lst"), "x");
    EXPECT_EQ(dataFolderFor(dir.file("usr/bin")), dir.file("usr/share/orvanel/"));
    EXPECT_EQ(userFolderFor(dir.file("usr/bin/"), getenv), dir.file("home") + "/.config/orvanel/");
    writeAll(dir.file("usr/bin/TagMList.lst"), "x");
    EXPECT_EQ(userFolderFor(dir.file("usr/bin/"), getenv), dir.file("usr/bin/"));

    const std::string self = programFolder();
    EXPECT_EQ(self.back(), '/');
    EXPECT_TRUE(fs::exists(self + "orvanel_core_tests"));
}

TEST(ExeFolder, OnWindowsUserFilesGoToAppDataWhenTheProgramFolderCannotBeWritten)
{
    if (!kOnWindows)
        GTEST_SKIP() << "%APPDATA% is the Windows rule";
    TempFolder dir("orvanel-settings");
    // A program folder outside the ANSI code page; written by trying, not by its attributes.
    const std::string program = dir.file("프로그램");
    fs::create_directory(pathOf(program));
    const std::string appData = dir.file("데이터");
    auto getenv = [&appData](const char* name) -> const char* {
        return std::string_view(name) == "APPDATA" ? appData.c_str() : nullptr;
    };
    EXPECT_EQ(userFolderFor(program, getenv), program + "\\");
    EXPECT_EQ(userFolderFor(program + "\\", getenv), program + "\\");
    EXPECT_EQ(dataFolderFor(program), program + "\\");
    EXPECT_EQ(std::distance(fs::directory_iterator(pathOf(program)), fs::directory_iterator()), 0)
        << "the test file is gone";

    // A program folder that cannot hold files (here: it does not exist).
    const std::string gone = dir.file("gone\\");
    EXPECT_EQ(userFolderFor(gone, getenv), appData + "\\Orvanel\\");
    EXPECT_TRUE(fs::is_directory(pathOf(appData + "\\Orvanel")));
    const auto none = [](const char*) -> const char* { return nullptr; };
    EXPECT_EQ(userFolderFor(gone, none), gone) << "without %APPDATA% the program folder stays";

    const std::string self = programFolder();
    EXPECT_EQ(self.back(), '\\');
    EXPECT_TRUE(fs::exists(pathOf(self + "orvanel_core_tests.exe")));
}
