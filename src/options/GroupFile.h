#pragma once
// One group file as the user tag editor reads and writes it: the tags by position, line
// 2k the name of tag k and line 2k + 1 its data line. What the editor does not change is
// written back as it was read: a line holding bytes that have no meaning in the file's
// encoding is kept byte for byte, as long as its text is not edited.

#include "text/Encoding.h"

#include <optional>
#include <string>
#include <vector>

namespace orvanel::options {

// A line as read, kept only when its text does not encode back to the same bytes.
struct KeptLine {
    std::string text;  // the line as decoded
    std::string bytes; // the bytes it was read from
};

// A tag of the editor's tag list: its name (ListBoxSetTagName) and template
// (ListBoxSetTagValue).
struct UserTag {
    std::string name;
    std::string tagTemplate;
    std::optional<KeptLine> keptName, keptData; // from the group file, see KeptLine
};

struct GroupFileContent {
    std::vector<std::string> lines; // every line, decoded (GroupFileLines)
    std::vector<UserTag> tags;      // a last name without data line has an empty template
    text::FileEncoding encoding = text::FileEncoding::Cp932;
    bool byteOrderMark = false;
};

// Reads a group file; throws fileOpenError when it cannot be read.
GroupFileContent readGroupFile(const std::string& path);

// The lines of a group file holding `tags` (names and "User" + i + "=[" + template + "]").
std::vector<std::string> groupFileLines(const std::vector<UserTag>& tags);

// The bytes of that file. Without kept lines it is an ordinary data file (CP932 when it
// fits, else UTF-8). With kept lines it stays in the encoding it was read in (`read`), so
// that their bytes mean what they meant; nullopt when some new text has no form there.
std::optional<std::string> encodeGroupFile(const std::vector<UserTag>& tags, const GroupFileContent& read);

} // namespace orvanel::options
