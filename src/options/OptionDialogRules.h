#pragma once
// The rules of the options dialog (TOptionDialogForm, "設定") between the Settings record
// and a plain record of the dialog's control values: FormShow fills the record from the
// settings, OKBtnClick copies it back and applies it, and the extension list's buttons
// work on it. The dialog only copies its widgets to and from the record.

#include "options/Settings.h"
#include "launch/CheckFileExists.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::options {

class UserTagEditor;

inline constexpr std::string_view kNoExtensionMessage = "拡張子を指定して下さい。";
inline constexpr std::string_view kExtensionTakenMessage = "この拡張子はすでに登録されています。";
inline constexpr std::string_view kExtensionCharsMessage = "拡張子に「=」「<」「>」は使えません。";
inline constexpr std::string_view kProgramCharsMessage = "起動プログラムのパスに「<」「>」は使えません。";
inline constexpr std::string_view kLabelReferenceText =
    "拡張子ごとに「開く」で起動するプログラムを指定して下さい。\n"
    "設定されていない拡張子はWINDOWSで関連づけられている\n"
    "プログラムで起動されます。";

// A row of ListViewExt: the extension (without a dot) and its program (may be empty).
struct ExtRow {
    std::string extension;
    std::string program;
};

// Which of RadioBtnBrowserIE, RadioBtnBrowserNN, RadioBtnBrowserETC is selected.
enum class BrowserRadio { None, IE, NN, ETC };

struct OptionDialogValues {
    // TabOpKihon
    int RadioSetTagFace = -1;          // item index: 0 upper case, 1 lower case, 2 as written
    int ComboBoxSetInsertMethod = -1;  // item index: 0 window messages, 1 key emulation
    bool SetAutoActive = false;
    std::string EditSetHotKey;         // "ctrl + shift + H", or "なし"
    // TabOpSetExt
    std::string EditExt, EditExe;
    std::vector<ExtRow> ListViewExt;
    int ListViewExtIndex = -1;         // the selected row, -1 none
    std::string LabelReference;
    // TabOpBrowser
    BrowserRadio browserRadio = BrowserRadio::None;
    std::string EditBrowserIE, EditBrowserNN, EditBrowserETC;
    // TabOpProgram: EditProName1..3, EditProPath1..3
    std::array<std::string, 3> EditProName, EditProPath;
};

// What OKBtnClick asks of the palette, in its order.
struct OptionDialogHooks {
    std::function<void()> SetHotKey;   // registers Settings.HotKey; may throw UserError
    std::function<void()> LoadUserTag; // rebuilds the user tag menus and pages
    std::function<void()> UpdateMenu;  // brings the browser and program items up to date
};

// Fills `values` from `settings` and prepares the user tag editor. The browser radio
// buttons keep their earlier state unless CurBrowser equals one of the three paths (the
// first, in the order IE, NN, other).
void FormShow(const Settings& settings, OptionDialogValues& values, UserTagEditor& editor);

// Copies `values` into `settings` and applies them: the hot key is registered, the user
// tag files are saved and the user tags rebuilt when they changed, the menus updated.
// A hot key that cannot be registered is told and the rest is applied all the same.
// False when a changed user tag file could not be written (the user has been told and the
// old file is whole): the dialog then stays open, so that nothing typed there is lost.
bool OKBtnClick(const OptionDialogValues& values, Settings& settings, UserTagEditor& editor,
                const OptionDialogHooks& hooks, const launch::Tell& tell);

// ---- the extension list
// A row was clicked: EditExt and EditExe show it.
void ListViewExtClick(OptionDialogValues& values);
// Appends EditExt with EditExe, unless the extension is empty or already listed (ASCII
// case ignored), which is told.
void BtnAddExtClick(OptionDialogValues& values, const launch::Tell& tell);
// The selected row takes EditExt and EditExe, unless the extension is empty or another
// row has it.
void BtnChangeExtClick(OptionDialogValues& values, const launch::Tell& tell);
// Deletes the selected row, without asking.
void BtnDelExtClick(OptionDialogValues& values);

} // namespace orvanel::options
