#pragma once
// Text operations on UTF-8 that never split a character: positions are byte offsets
// that always lie on character boundaries; letter case changes only ASCII letters.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanel::text {

constexpr std::size_t npos = std::string_view::npos;

char asciiUpper(char c);
char asciiLower(char c);
std::string toAsciiUpper(std::string_view s);
std::string toAsciiLower(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Byte offset of the first `marker` at or after `from` (a character boundary); npos when none.
// Never matches starting inside a character.
std::size_t findMarker(std::string_view text, std::string_view marker, std::size_t from = 0,
                       bool ignoreCase = false);
// Replaces every occurrence of `from` (ASCII case ignored) by `to`, in one pass: the
// replacement is never rescanned.
std::string replaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
// Inserts `what` before byte offset `pos` (clamped to the text's end).
std::string insertAt(std::string_view text, std::size_t pos, std::string_view what);
// The first `n` characters (not bytes).
std::string firstChars(std::string_view text, std::size_t n);
// Number of characters (code points) in UTF-8 text.
std::size_t charCount(std::string_view text);
// Cuts UTF-8 text to at most `maxBytes` bytes without splitting a character.
std::string cutBytes(std::string_view text, std::size_t maxBytes);

} // namespace orvanel::text
