#pragma once
// Reading and writing "Orvanel.ini": every key with its default and type, in the order in
// which the palette reads them at creation and writes them at close.

#include "options/IniFile.h"
#include "options/Settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

constexpr const char* SettingsFileName = "Orvanel.ini";

// An integer value: more than two characters starting "0x" or "0X" are hexadecimal, else
// decimal with an optional sign; nullopt for an empty or malformed value (or one that does
// not fit 32 bits).
std::optional<int> parseProfileInt(std::string_view value);

// The ExtList entries held in List, Count of them: each entry is the text after the
// first character of List up to the first ">"; once List holds no ">", the rest are empty.
std::vector<std::string> parseExtList(int count, std::string_view list);
// "<" entry ">" for every entry, nothing between them.
std::string buildExtList(const std::vector<std::string>& entries);
// The most entries that Count makes: a List value of 2047 bytes holds fewer, so a larger
// Count only asks for empty entries, which are not worth memory.
constexpr int MaxExtListCount = 1024;

struct LoadedSettings {
    Settings settings;
    WindowState window;
};

// Every key of the settings file, each with its default: `paletteHeight` for Window/Height,
// `exeFolder` for Option/InitialDir. A missing file gives the defaults; a file that exists
// but cannot be read throws fileOpenError.
LoadedSettings LoadSettings(const std::string& path, int paletteHeight, const std::string& exeFolder);
LoadedSettings LoadSettings(const IniFile& ini, int paletteHeight, const std::string& exeFolder);

// Writes every key in order into the profile; lines of other sections and keys stay.
void SaveSettings(IniFile& ini, const Settings& settings, const WindowState& window);
// Reads the file as it is now, writes every key and saves the whole file in one atomic
// step. On failure it throws "%s に書き込めません" with the full path and the old file stays
// whole: no key is written at all, where a key-by-key profile write would have stopped
// half way.
void SaveSettings(const std::string& path, const Settings& settings, const WindowState& window);

} // namespace orvanel
