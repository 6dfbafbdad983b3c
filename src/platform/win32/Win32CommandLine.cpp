#include "platform/win32/Win32CommandLine.h"

namespace orvanel::win32 {

std::wstring quoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only before a quote.
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\'); // before the closing quote
    out += L'"';
    return out;
}

std::wstring commandLineOf(const std::vector<std::wstring>& argv)
{
    std::wstring line;
    for (const std::wstring& argument : argv) {
        if (!line.empty())
            line += L' ';
        line += quoteArgument(argument);
    }
    return line;
}

} // namespace orvanel::win32
