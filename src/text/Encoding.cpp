#include "text/Encoding.h"

#include <cstdint>
#include <cstring>

// The rules of data files and UTF-8; the CP932 codec itself is per system
// (Encoding_posix.cpp, Encoding_win32.cpp).

namespace orvanel::text {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Runs of ASCII, the bulk of most files, eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080u)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;          // no overlong forms
            else if (c == 0xED) hi = 0x9F;     // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            else if (c == 0xF4) hi = 0x8F;     // nothing above U+10FFFF
        } else {
            return false;
        }
        if (static_cast<std::size_t>(end - p) < len)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (std::size_t i = 2; i < len; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        p += len;
    }
    return true;
}

bool hasUtf8Bom(std::string_view bytes)
{
    return bytes.substr(0, kBom.size()) == kBom;
}

std::string decodeDataFile(std::string_view bytes, FileEncoding* found)
{
    const bool bom = hasUtf8Bom(bytes);
    if (bom)
        bytes.remove_prefix(kBom.size());
    if (bom || isValidUtf8(bytes)) {
        if (found) *found = FileEncoding::Utf8;
        if (isValidUtf8(bytes))
            return std::string(bytes);
        return sanitizeUtf8(bytes);
    }
    if (found) *found = FileEncoding::Cp932;
    return cp932ToUtf8(bytes);
}

std::string encodeDataFile(std::string_view utf8, FileEncoding* used)
{
    if (auto cp932 = utf8ToCp932(utf8)) {
        if (used) *used = FileEncoding::Cp932;
        return std::move(*cp932);
    }
    if (used) *used = FileEncoding::Utf8;
    std::string out(kBom);
    out += isValidUtf8(utf8) ? std::string(utf8) : sanitizeUtf8(utf8);
    return out;
}

std::string sanitizeUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Find the longest valid run starting here, one character at a time.
        std::size_t len = 1;
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c >= 0xE0 && c <= 0xEF) len = 3;
        else if (c >= 0xF0 && c <= 0xF4) len = 4;
        const std::string_view ch = bytes.substr(i, len);
        if (ch.size() == len && isValidUtf8(ch)) {
            out += ch;
            i += len;
        } else {
            out += kReplacement;
            ++i;
        }
    }
    return out;
}

std::size_t cp932CharLength(std::string_view bytes, std::size_t pos)
{
    if (pos >= bytes.size())
        return 0;
    const auto c = static_cast<unsigned char>(bytes[pos]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return lead && pos + 1 < bytes.size() ? 2 : 1;
}

} // namespace orvanel::text
