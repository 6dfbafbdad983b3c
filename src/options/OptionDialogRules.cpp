#include "options/OptionDialogRules.h"

#include "options/HotKeyCapture.h"
#include "options/UserTagEditor.h"
#include "text/KeyedTextList.h"
#include "text/TextOps.h"
#include "text/UserError.h"

namespace orvanel::options {

namespace {

void say(const launch::Tell& tell, std::string_view message)
{
    if (tell)
        tell(message);
}

// The row with `extension` (whole text, ASCII case ignored); -1 when none.
int findExtension(const std::vector<ExtRow>& rows, std::string_view extension)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (text::equalsIgnoreCase(rows[i].extension, extension))
            return static_cast<int>(i);
    return -1;
}

// Whether EditExt and EditExe may become a row; tells why not. "=" ends an extension, and
// "<" and ">" enclose each entry in the settings file, so they would break the list apart.
bool acceptableRow(const OptionDialogValues& values, const launch::Tell& tell)
{
    if (values.EditExt.empty()) {
        say(tell, kNoExtensionMessage);
        return false;
    }
    if (values.EditExt.find_first_of("=<>") != std::string::npos) {
        say(tell, kExtensionCharsMessage);
        return false;
    }
    if (values.EditExe.find_first_of("<>") != std::string::npos) {
        say(tell, kProgramCharsMessage);
        return false;
    }
    return true;
}

bool validRow(const OptionDialogValues& values)
{
    return values.ListViewExtIndex >= 0 && values.ListViewExtIndex < static_cast<int>(values.ListViewExt.size());
}

} // namespace

void FormShow(const Settings& settings, OptionDialogValues& values, UserTagEditor& editor)
{
    values.RadioSetTagFace = settings.TagFace;
    values.ComboBoxSetInsertMethod = settings.InsertMethod;
    values.SetAutoActive = settings.AutoActive;
    values.EditSetHotKey = settings.HotKey.empty() ? std::string(kNoHotKeyText) : settings.HotKey;
    values.LabelReference = std::string(kLabelReferenceText);

    const text::KeyedTextList extList(settings.ExtList);
    values.ListViewExt.clear();
    for (const std::string& entry : settings.ExtList) {
        const std::string extension(text::KeyedTextList::entryKey(entry));
        values.ListViewExt.push_back({extension, extList.value(extension)});
    }
    values.ListViewExtIndex = -1;

    editor.FormShow();

    values.EditBrowserIE = settings.IE;
    values.EditBrowserNN = settings.NN;
    values.EditBrowserETC = settings.ETC;
    if (!settings.CurBrowser.empty()) {
        if (settings.CurBrowser == values.EditBrowserIE)
            values.browserRadio = BrowserRadio::IE;
        else if (settings.CurBrowser == values.EditBrowserNN)
            values.browserRadio = BrowserRadio::NN;
        else if (settings.CurBrowser == values.EditBrowserETC)
            values.browserRadio = BrowserRadio::ETC;
    }

    values.EditProName = {settings.ProName1, settings.ProName2, settings.ProName3};
    values.EditProPath = {settings.ProPath1, settings.ProPath2, settings.ProPath3};
}

bool OKBtnClick(const OptionDialogValues& values, Settings& settings, UserTagEditor& editor,
                const OptionDialogHooks& hooks, const launch::Tell& tell)
{
    settings.TagFace = values.RadioSetTagFace;
    settings.InsertMethod = values.ComboBoxSetInsertMethod;
    settings.AutoActive = values.SetAutoActive;

    settings.HotKey = values.EditSetHotKey == kNoHotKeyText ? std::string() : values.EditSetHotKey;
    if (hooks.SetHotKey) {
        try {
            hooks.SetHotKey();
        } catch (const UserError& e) {
            say(tell, e.what());
        }
    }

    settings.ExtList.clear();
    for (const ExtRow& row : values.ListViewExt)
        settings.ExtList.push_back(row.extension + "=" + row.program);

    bool saved = true;
    if (editor.GroupListChanged() || editor.TagListChanged()) {
        saved = editor.SaveCurTagGroupList();
        saved = editor.SaveUserTagGroupList() && saved;
        if (hooks.LoadUserTag)
            hooks.LoadUserTag();
    }

    settings.IE = values.EditBrowserIE;
    settings.NN = values.EditBrowserNN;
    settings.ETC = values.EditBrowserETC;
    switch (values.browserRadio) {
    case BrowserRadio::IE: settings.CurBrowser = values.EditBrowserIE; break;
    case BrowserRadio::NN: settings.CurBrowser = values.EditBrowserNN; break;
    case BrowserRadio::ETC: settings.CurBrowser = values.EditBrowserETC; break;
    case BrowserRadio::None: break;
    }

    settings.ProName1 = values.EditProName[0];
    settings.ProName2 = values.EditProName[1];
    settings.ProName3 = values.EditProName[2];
    settings.ProPath1 = values.EditProPath[0];
    settings.ProPath2 = values.EditProPath[1];
    settings.ProPath3 = values.EditProPath[2];

    if (hooks.UpdateMenu)
        hooks.UpdateMenu();
    return saved;
}

void ListViewExtClick(OptionDialogValues& values)
{
    if (!validRow(values))
        return;
    const ExtRow& row = values.ListViewExt[static_cast<std::size_t>(values.ListViewExtIndex)];
    values.EditExt = row.extension;
    values.EditExe = row.program;
}

void BtnAddExtClick(OptionDialogValues& values, const launch::Tell& tell)
{
    if (!acceptableRow(values, tell))
        return;
    if (findExtension(values.ListViewExt, values.EditExt) >= 0) {
        say(tell, kExtensionTakenMessage);
        return;
    }
    values.ListViewExt.push_back({values.EditExt, values.EditExe});
}

void BtnChangeExtClick(OptionDialogValues& values, const launch::Tell& tell)
{
    if (!validRow(values) || !acceptableRow(values, tell))
        return;
    const int found = findExtension(values.ListViewExt, values.EditExt);
    if (found >= 0 && found != values.ListViewExtIndex) {
        say(tell, kExtensionTakenMessage);
        return;
    }
    values.ListViewExt[static_cast<std::size_t>(values.ListViewExtIndex)] = {values.EditExt, values.EditExe};
}

void BtnDelExtClick(OptionDialogValues& values)
{
    if (!validRow(values))
        return;
    values.ListViewExt.erase(values.ListViewExt.begin() + values.ListViewExtIndex);
    values.ListViewExtIndex = -1;
}

} // namespace orvanel::options
