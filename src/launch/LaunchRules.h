#pragma once
// The rules of the launchers that need no operating system: which program opens a file,
// the arguments it gets, and the messages of the refusals.

#include "insert/RelativePath.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::launch {

using insert::PathStyle;

inline constexpr std::string_view kNoEditorMessage = "エディタを指定して下さい。";
inline constexpr std::string_view kNoBrowserMessage = "使用するブラウザが設定されていません。";
inline constexpr std::string_view kNoTargetFileMessage = "ファイルのパスを取得できませんでした。";
inline constexpr std::string_view kNoProgramMessage = "使用するプログラムのパスが設定されていません。";

// The extension of a file: everything after the first "." of its name ("tar.gz" for
// "a.tar.gz"). Only the name counts, so a dot in a folder ("/home/u/my.site/index.html",
// "~/.local/...") does not make the rest of the path the extension. nullopt when the name
// has no dot.
std::optional<std::string> fileExtension(std::string_view path, PathStyle style);

// The program for an extension in ExtList ("ext=program" entries): the first entry whose
// extension equals it without regard to ASCII letter case; nullopt when there is none or
// its program is empty.
std::optional<std::string> programForExtension(const std::vector<std::string>& extList, std::string_view extension);

// The editor for a new file: the program of "txt", else that of "html"; nullopt when
// neither has one (the user is then asked to set one: kNoEditorMessage).
std::optional<std::string> newFileProgram(const std::vector<std::string>& extList);

// The arguments that start `program` on `file`: the program and the file, each one
// element, whatever blanks, quotes or ";" they hold.
std::vector<std::string> programArguments(const std::string& program, const std::string& file);

// The folder the open dialog starts in after `file` was opened: the file's folder without
// its trailing separator, except for a root ("/", "C:\"), which keeps it.
std::string initialDirAfterOpen(std::string_view file, PathStyle style);

} // namespace orvanel::launch
