#include "options/SettingsFile.h"

#include "text/TextOps.h"
#include "text/UserError.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace orvanel {

namespace {

constexpr int kDefaultLeft = 180;
constexpr int kDefaultTop = 180;
constexpr int kDefaultWidth = 535;
constexpr const char* kDefaultPage = "TabDoc";

int readInt(const IniFile& ini, const char* section, const char* key, int fallback)
{
    const auto text = ini.read(section, key);
    if (!text)
        return fallback;
    return parseProfileInt(*text).value_or(fallback);
}

bool readFlag(const IniFile& ini, const char* section, const char* key, bool fallback)
{
    return readInt(ini, section, key, fallback ? 1 : 0) != 0;
}

void writeInt(IniFile& ini, const char* section, const char* key, int value)
{
    ini.write(section, key, std::to_string(value));
}

void writeFlag(IniFile& ini, const char* section, const char* key, bool value)
{
    ini.write(section, key, value ? "1" : "0");
}

} // namespace

std::optional<int> parseProfileInt(std::string_view value)
{
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        const std::string_view digits = value.substr(2);
        std::uint32_t n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 16);
        if (ec != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        return static_cast<int>(static_cast<std::int32_t>(n)); // all 32 bits, as written
    }
    std::string_view digits = value;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            return std::nullopt;
    }
    int n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 10);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return n;
}

std::vector<std::string> parseExtList(int count, std::string_view list)
{
    std::vector<std::string> entries;
    count = std::clamp(count, 0, MaxExtListCount);
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::size_t close = list.find('>');
        if (close == std::string_view::npos) {
            entries.emplace_back();
            continue;
        }
        // The first character (normally "<") is skipped whatever it is.
        const std::size_t skip = text::firstChars(list, 1).size();
        entries.emplace_back(close > skip ? list.substr(skip, close - skip) : std::string_view());
        list.remove_prefix(close + 1);
    }
    return entries;
}

std::string buildExtList(const std::vector<std::string>& entries)
{
    std::string list;
    for (const auto& e : entries) {
        list += '<';
        list += e;
        list += '>';
    }
    return list;
}

LoadedSettings LoadSettings(const std::string& path, int paletteHeight, const std::string& exeFolder)
{
    return LoadSettings(IniFile::load(path), paletteHeight, exeFolder);
}

LoadedSettings LoadSettings(const IniFile& ini, int paletteHeight, const std::string& exeFolder)
{
    LoadedSettings r;
    WindowState& w = r.window;
    Settings& s = r.settings;

    w.Left = readInt(ini, "Window", "Left", kDefaultLeft);
    w.Top = readInt(ini, "Window", "Top", kDefaultTop);
    w.Height = readInt(ini, "Window", "Height", paletteHeight);
    w.Width = readInt(ini, "Window", "Width", kDefaultWidth);
    w.ActivePage = ini.readString("Window", "ActivePage", kDefaultPage);

    s.TagFace = readInt(ini, "Option", "TagFace", 2);
    s.InsertMethod = readInt(ini, "Option", "InsertMethod", 0);
    s.AutoActive = readFlag(ini, "Option", "AutoActive", true);
    s.StayOnTop = readFlag(ini, "Option", "StayOnTop", true);
    s.AppBar = readFlag(ini, "Option", "AppBar", false);
    w.InitialDir = ini.readString("Option", "InitialDir", exeFolder);
    s.HotKey = ini.readString("Option", "HotKey", "");

    s.ProjectManagerState = readInt(ini, "PrjMngr", "PrjMngr", 1);
    s.TopPage = ini.readString("PrjMngr", "TopPage", "");
    s.PrjMngrHeight = readInt(ini, "PrjMngr", "Height", 350);
    s.PrjMngrWidth = readInt(ini, "PrjMngr", "Width", 220);
    s.Snap = readInt(ini, "PrjMngr", "Snap", 1);

    s.CurBrowser = ini.readString("Browser", "CurBrowser", "");
    s.IE = ini.readString("Browser", "IE", "");
    s.NN = ini.readString("Browser", "NN", "");
    s.ETC = ini.readString("Browser", "ETC", "");

    s.ProName1 = ini.readString("Tool", "ProName1", "");
    s.ProPath1 = ini.readString("Tool", "ProPath1", "");
    s.ProName2 = ini.readString("Tool", "ProName2", "");
    s.ProPath2 = ini.readString("Tool", "ProPath2", "");
    s.ProName3 = ini.readString("Tool", "ProName3", "");
    s.ProPath3 = ini.readString("Tool", "ProPath3", "");

    const int count = readInt(ini, "ExtList", "Count", 0);
    s.ExtList = parseExtList(count, ini.readString("ExtList", "List", ""));
    return r;
}

void SaveSettings(IniFile& ini, const Settings& s, const WindowState& w)
{
    writeInt(ini, "Window", "Left", w.Left);
    writeInt(ini, "Window", "Top", w.Top);
    writeInt(ini, "Window", "Height", w.Height);
    writeInt(ini, "Window", "Width", w.Width);
    ini.write("Window", "ActivePage", w.ActivePage);

    writeInt(ini, "Option", "TagFace", s.TagFace);
    writeInt(ini, "Option", "InsertMethod", s.InsertMethod);
    writeFlag(ini, "Option", "AutoActive", s.AutoActive);
    writeFlag(ini, "Option", "StayOnTop", s.StayOnTop);
    writeFlag(ini, "Option", "AppBar", s.AppBar);
    ini.write("Option", "InitialDir", w.InitialDir);
    ini.write("Option", "HotKey", s.HotKey);

    writeInt(ini, "PrjMngr", "PrjMngr", s.ProjectManagerState);
    ini.write("PrjMngr", "TopPage", s.TopPage);
    writeInt(ini, "PrjMngr", "Height", s.PrjMngrHeight);
    writeInt(ini, "PrjMngr", "Width", s.PrjMngrWidth);
    writeInt(ini, "PrjMngr", "Snap", s.Snap);

    ini.write("Browser", "CurBrowser", s.CurBrowser);
    ini.write("Browser", "IE", s.IE);
    ini.write("Browser", "NN", s.NN);
    ini.write("Browser", "ETC", s.ETC);

    ini.write("Tool", "ProName1", s.ProName1);
    ini.write("Tool", "ProPath1", s.ProPath1);
    ini.write("Tool", "ProName2", s.ProName2);
    ini.write("Tool", "ProPath2", s.ProPath2);
    ini.write("Tool", "ProName3", s.ProName3);
    ini.write("Tool", "ProPath3", s.ProPath3);

    writeInt(ini, "ExtList", "Count", static_cast<int>(s.ExtList.size()));
    ini.write("ExtList", "List", buildExtList(s.ExtList));
}

void SaveSettings(const std::string& path, const Settings& settings, const WindowState& window)
{
    IniFile ini;
    try {
        ini = IniFile::load(path);
    } catch (const UserError&) {
        // A file that is there but cannot be read must not be replaced by one that has
        // lost its other lines.
        throw fileWriteError(path);
    }
    SaveSettings(ini, settings, window);
    ini.save(path);
}

} // namespace orvanel
