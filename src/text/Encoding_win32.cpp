#include "text/Encoding.h"
#include "text/Utf16.h"

#include <windows.h>

#include <utility>

// The CP932 codec through the system's code page 932 (MultiByteToWideChar,
// WideCharToMultiByte), with the same answers for bytes and characters without a CP932
// meaning as the POSIX codec; the character sets pages name through their code pages.

namespace orvanel::text {

namespace {

constexpr UINT kCp932 = 932;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Appends the UTF-16 of `bytes` to `out`; false (and `out` unchanged) when some byte
// sequence in them has no CP932 meaning.
bool decodeStrict(std::string_view bytes, std::wstring& out)
{
    const int inSize = callSize(bytes.size());
    const int n = ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), inSize, nullptr, 0);
    if (n <= 0)
        return false;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n));
    ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), inSize, out.data() + at, n);
    return true;
}

} // namespace

std::string cp932ToUtf8(std::string_view cp932)
{
    if (cp932.empty())
        return {};
    std::wstring wide;
    if (decodeStrict(cp932, wide))
        return fromUtf16(wide);

    // Some bytes have no meaning: one character at a time. A lead byte that the next byte
    // cannot end is replaced alone, and the next byte is looked at on its own (it may be
    // ASCII); so is a lead byte at the very end.
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    std::size_t pos = 0;
    while (pos < cp932.size()) {
        const std::size_t len = cp932CharLength(cp932, pos);
        if (decodeStrict(cp932.substr(pos, len), wide)) {
            pos += len;
            continue;
        }
        out += fromUtf16(wide);
        wide.clear();
        out += kReplacement;
        ++pos;
    }
    out += fromUtf16(wide);
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return std::nullopt;
    if (utf8.empty())
        return std::string();
    const std::wstring wide = toUtf16(utf8);
    const int inSize = callSize(wide.size());
    // No best-fit mapping ("é" is not "e"): a character without its own CP932 form makes
    // the call use the default character, and that refuses the text.
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), inSize, nullptr, 0,
                                        nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), inSize, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> toUtf8From(std::string_view bytes, const std::string& charset)
{
    // The iconv names pages use, as code pages of the system.
    static const std::pair<std::string_view, UINT> kCodePages[] = {
        {"cp932", kCp932},       {"euc-jp", 20932},     {"iso-2022-jp", 50220}, {"iso-8859-1", 28591},
        {"latin1", 28591},       {"windows-1252", 1252}, {"us-ascii", 20127},   {"euc-kr", 51949},
        {"gb2312", 936},         {"gbk", 936},          {"big5", 950},         {"koi8-r", 20866},
        {"iso-8859-15", 28605},  {"windows-1251", 1251}, {"utf-8", CP_UTF8}};
    std::string name = charset;
    for (char& c : name)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    UINT codePage = 0;
    for (const auto& [label, page] : kCodePages)
        if (name == label)
            codePage = page;
    if (codePage == 0)
        return std::nullopt;
    if (codePage == kCp932)
        return cp932ToUtf8(bytes);
    if (bytes.empty())
        return std::string();
    // Without MB_ERR_INVALID_CHARS a byte sequence with no meaning becomes U+FFFD.
    const int inSize = callSize(bytes.size());
    const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), inSize, nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), inSize, wide.data(), n);
    return fromUtf16(wide);
}

} // namespace orvanel::text
