#pragma once
// Shift-JIS (CP932) <-> UTF-8, and the rules for reading and writing data files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvanel::text {

// CP932 bytes to UTF-8. A byte sequence with no CP932 meaning becomes U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);
#ifndef _WIN32
// The same through iconv alone, which cp932ToUtf8 answers as, from a table made of iconv's
// answers once a process has converted a megabyte.
std::string cp932ToUtf8ByIconv(std::string_view cp932);
#endif
// Bytes in the named character set (an iconv name such as "EUC-JP") to UTF-8, a byte
// sequence with no meaning becoming U+FFFD; nullopt when the character set is unknown.
std::optional<std::string> toUtf8From(std::string_view bytes, const std::string& charset);
// UTF-8 to CP932; nullopt when some character has no CP932 form (or the input is not UTF-8).
std::optional<std::string> utf8ToCp932(std::string_view utf8);
bool isValidUtf8(std::string_view bytes);
// Valid UTF-8 as it is; every byte that does not belong to a valid character becomes U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);
bool hasUtf8Bom(std::string_view bytes);
// Length in bytes (1 or 2) of the CP932 character at `pos`; 0 at the end. A lead byte at the
// very end counts as one byte.
std::size_t cp932CharLength(std::string_view bytes, std::size_t pos);

enum class FileEncoding { Cp932, Utf8 };

// Reading a data file: a UTF-8 byte order mark or valid UTF-8 is UTF-8 (the mark is
// dropped), anything else is CP932. The result is UTF-8.
std::string decodeDataFile(std::string_view bytes, FileEncoding* found = nullptr);
// Writing a data file: CP932 when every character has a CP932 form, else UTF-8 with a
// byte order mark, so that no character is lost and the reader knows the encoding.
std::string encodeDataFile(std::string_view utf8, FileEncoding* used = nullptr);

} // namespace orvanel::text
