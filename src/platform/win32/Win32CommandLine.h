#pragma once
// A command line for CreateProcessW from an argument vector, quoted by the rules by which the
// C runtime (and CommandLineToArgvW) splits it again, so that every element reaches the
// program as one argument whatever blanks, tabs, quotes or backslashes it holds.

#include <string>
#include <vector>

namespace orvanel::win32 {

// One argument as the C runtime reads it back: as it is when it holds no blank, tab or quote
// and is not empty; otherwise in quotes, each quote preceded by a backslash and the
// backslashes before a quote (or before the closing quote) doubled.
std::wstring quoteArgument(const std::wstring& argument);
// The arguments quoted and joined by blanks.
std::wstring commandLineOf(const std::vector<std::wstring>& argv);

} // namespace orvanel::win32
