#pragma once
// The files of the user tag groups, in the user folder: the group list "usertag.lst" (one
// group name per line, in menu order) and one group file per group, named after it with
// ".tag". A group file holds one pair of lines per tag: its name, then its data line
// "User" + i + "=[" + template + "]" (i: the tag's 0-based number in the group). Both are
// data files: CR LF, CP932 when it fits, else UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvanel::catalogue {

inline constexpr std::string_view UserTagListFileName = "usertag.lst";
inline constexpr std::string_view GroupFileExtension = ".tag";

// Why `name` cannot be a group name, as the message that says so; nullopt when it can.
// A group name must give a file of its own in the user folder, readable on every system
// the program runs on: not empty, no path separator, none of \ / : * ? " < > |, no control
// character, no "]" (it ends a caption in the user tag list), not starting with "." (no
// "..", no hidden file), and short enough for a file name.
std::optional<std::string> groupNameProblem(std::string_view name);

// userFolder + name + ".tag"; nullopt when groupNameProblem(name) finds a problem, so that
// no group name ever reads or writes a file outside the user folder.
std::optional<std::string> groupFilePath(const std::string& userFolder, std::string_view name);

// The data line of tag `index`: "User" + index + "=[" + template + "]".
std::string groupDataLine(std::size_t index, std::string_view tagTemplate);
// The template of a data line: the text after its first "[", without a final "]". A line
// that does not have this shape keeps all it has: without "[" it is the whole line, and a
// missing final "]" takes nothing off.
std::string groupDataTemplate(std::string_view dataLine);

} // namespace orvanel::catalogue
