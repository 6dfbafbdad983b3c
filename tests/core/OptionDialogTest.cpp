// The options dialog's rules between Settings and the dialog's values: showing, OK, the
// extension list and the hot-key capture.

#include "options/HotKeyCapture.h"
#include "options/OptionDialogRules.h"
#include "options/UserTagEditor.h"
#include "text/UserError.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanel;
using namespace orvanel::options;

namespace {

struct OptionDialogTest : ::testing::Test {
    std::vector<std::string> told;
    launch::Tell tell = [this](std::string_view m) { told.emplace_back(m); };
    UserTagEditor editor{(std::filesystem::temp_directory_path() / "orvanel-no-such-folder/").string(), tell};
    Settings settings;
    OptionDialogValues values;
};

} // namespace

TEST_F(OptionDialogTest, ShowAndOkCopyEverySettingInOrder)
{
    settings.TagFace = 1;
    settings.InsertMethod = 1;
    settings.ExtList = {"htm=/a", "HTM=/b", "txt="};
    settings.IE = settings.NN = settings.CurBrowser = "/usr/bin/firefox";
    settings.ProPath2 = "/usr/bin/gimp";
    FormShow(settings, values, editor);
    EXPECT_EQ(values.EditSetHotKey, "なし");
    EXPECT_EQ(values.RadioSetTagFace, 1);
    EXPECT_EQ(values.browserRadio, BrowserRadio::IE); // IE and NN equal: IE wins
    ASSERT_EQ(values.ListViewExt.size(), 3u);
    EXPECT_EQ(values.ListViewExt[1].extension, "HTM");
    EXPECT_EQ(values.ListViewExt[1].program, "/a"); // the program the extension looks up
    EXPECT_EQ(values.EditProPath[1], "/usr/bin/gimp");

    // A hot key that cannot be registered is told; the rest is applied all the same.
    values.EditSetHotKey = "ctrl + 5";
    values.EditBrowserETC = "/usr/bin/lynx";
    values.browserRadio = BrowserRadio::ETC;
    values.EditProName[0] = "画像";
    std::vector<std::string> calls;
    OptionDialogHooks hooks{[&] { calls.push_back("SetHotKey"); throw UserError("ホットキーの登録に失敗しました。"); },
                            [&] { calls.push_back("LoadUserTag"); }, [&] { calls.push_back("UpdateMenu"); }};
    OKBtnClick(values, settings, editor, hooks, tell);
    EXPECT_EQ(calls, (std::vector<std::string>{"SetHotKey", "UpdateMenu"}));
    EXPECT_EQ(told, (std::vector<std::string>{"ホットキーの登録に失敗しました。"}));
    EXPECT_EQ(settings.HotKey, "ctrl + 5");
    EXPECT_EQ(settings.ExtList, (std::vector<std::string>{"htm=/a", "HTM=/a", "txt="}));
    EXPECT_EQ(settings.CurBrowser, "/usr/bin/lynx");
    EXPECT_EQ(settings.ProName1, "画像");

    // "なし" stores no hot key; no radio button keeps CurBrowser.
    values.EditSetHotKey = "なし";
    values.browserRadio = BrowserRadio::None;
    OKBtnClick(values, settings, editor, {}, tell);
    EXPECT_EQ(settings.HotKey, "");
    EXPECT_EQ(settings.CurBrowser, "/usr/bin/lynx");
}

TEST_F(OptionDialogTest, ExtensionListRefusesEmptyTakenAndBreakingEntries)
{
    values.ListViewExt = {{"htm", "/a"}, {"txt", ""}};
    values.EditExt = "";
    BtnAddExtClick(values, tell);
    values.EditExt = "HTM";
    BtnAddExtClick(values, tell);
    values.EditExt = "a>b";
    BtnAddExtClick(values, tell);
    EXPECT_EQ(told, (std::vector<std::string>{"拡張子を指定して下さい。", "この拡張子はすでに登録されています。",
                                              "拡張子に「=」「<」「>」は使えません。"}));
    EXPECT_EQ(values.ListViewExt.size(), 2u);

    told.clear();
    values.EditExt = "css";
    BtnAddExtClick(values, tell);
    values.ListViewExtIndex = 0;
    ListViewExtClick(values);
    EXPECT_EQ(values.EditExe, "/a");
    values.EditExe = "/b"; // the row's own extension: only the program changes
    BtnChangeExtClick(values, tell);
    values.EditExt = "TXT";
    BtnChangeExtClick(values, tell);
    EXPECT_EQ(told, (std::vector<std::string>{"この拡張子はすでに登録されています。"}));
    BtnDelExtClick(values);
    ASSERT_EQ(values.ListViewExt.size(), 2u);
    EXPECT_EQ(values.ListViewExt[0].extension, "txt");
    EXPECT_EQ(values.ListViewExt[1].extension, "css");
    EXPECT_EQ(values.ListViewExt[1].program, "");
}

TEST(HotKeyCapture, TextFollowsTheWholeKeyboardState)
{
    // Shift, then alt, then J down; then all released.
    KeyboardState keys{false, true, false, {}};
    EXPECT_EQ(EditSetHotKeyKeyDown(keys), "shift + ");
    keys.alt = true;
    keys.keys = {'J'};
    const std::string shown = EditSetHotKeyKeyDown(keys);
    EXPECT_EQ(shown, "shift + alt + J");
    EXPECT_EQ(EditSetHotKeyKeyUp({}, shown), "shift + alt + J");
    // A letter alone reads as ctrl with it; letters win over digits; a digit alone is a key.
    EXPECT_EQ(EditSetHotKeyKeyDown({false, false, false, {'7', 'Q', 'B'}}), "ctrl + B");
    EXPECT_EQ(EditSetHotKeyKeyDown({true, false, false, {'7'}}), "ctrl + 7");
    // A modifier pressed and released alone leaves "なし", once nothing is down any more.
    EXPECT_EQ(EditSetHotKeyKeyUp({}, EditSetHotKeyKeyDown({false, false, true, {}})), "なし");
    EXPECT_EQ(EditSetHotKeyKeyUp({true, false, false, {}}, "ctrl + "), "ctrl + ");
}
