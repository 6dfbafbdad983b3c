#pragma once
// The text of a page as the scanner searches it: decoded to UTF-8 and with every line
// break removed, so that a tag split over two lines is found when the break falls outside
// its opening.

#include "project/SiteFiles.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvanel::project {

// The character set a page names for itself in its first 1024 bytes ("charset=..." of a
// meta element), as an iconv name; empty when it names none.
std::string declaredCharset(std::string_view bytes);

// A NUL byte ends the text. The rest is decoded: a UTF-8 byte order mark means UTF-8; else
// a character set the page names; else valid UTF-8 is UTF-8 and anything else Shift-JIS
// (CP932). Bytes with no meaning become U+FFFD. Then CR and LF are removed.
std::string decodePageText(std::string bytes);

// ReadPageText: the page text of the file at `path`; nullopt when it cannot be read.
std::optional<std::string> ReadPageText(SiteFiles& files, const std::string& path);
// The same, for a path that SiteFiles::check has just found a plain file.
std::optional<std::string> ReadCheckedPageText(SiteFiles& files, const std::string& path);

} // namespace orvanel::project
