#pragma once
// UTF-8 core strings <-> the UTF-16 of the Windows wide-character calls. Built on Windows
// only: every file name and text goes through the ...W functions, so names outside the
// ANSI code page work.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanel::text {

// A length as the int that the Windows text calls take; throws std::length_error above
// INT_MAX.
int callSize(std::size_t size);

// Invalid UTF-8 becomes U+FFFD.
std::wstring toUtf16(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string fromUtf16(std::wstring_view utf16);

} // namespace orvanel::text
