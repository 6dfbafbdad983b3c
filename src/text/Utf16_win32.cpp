#include "text/Utf16.h"

#include <climits>
#include <stdexcept>
#include <windows.h>

namespace orvanel::text {

int callSize(std::size_t size)
{
    if (size > INT_MAX)
        throw std::length_error("text too long for a Windows call");
    return static_cast<int>(size);
}

std::wstring toUtf16(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int inSize = callSize(utf8.size());
    // Without MB_ERR_INVALID_CHARS the call cannot fail on its input: invalid bytes
    // become U+FFFD.
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inSize, nullptr, 0);
    if (n <= 0)
        throw std::runtime_error("MultiByteToWideChar failed");
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inSize, out.data(), n);
    return out;
}

std::string fromUtf16(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int inSize = callSize(utf16.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inSize, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        throw std::runtime_error("WideCharToMultiByte failed");
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inSize, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace orvanel::text
