#include "text/Encoding.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <new>
#include <stdexcept>

namespace orvanel::text {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (!known())
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    // Does not throw: known() tells whether iconv has the conversion.
    Converter(const char* to, const char* from, std::nothrow_t) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (known())
            iconv_close(cd_);
    }
    bool known() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    enum class Stop { Done, Invalid, Incomplete };

    // Converts as much of `in` as it can, appending to `out`; `in` keeps what is left.
    Stop convert(std::string_view& in, std::string& out)
    {
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (err == E2BIG)
                continue;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
            return err == EINVAL ? Stop::Incomplete : Stop::Invalid;
        }
        return Stop::Done;
    }

private:
    iconv_t cd_;
};

// Converts everything; a byte sequence with no meaning becomes U+FFFD.
std::string convertReplacing(Converter& conv, std::string_view in)
{
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    while (!in.empty()) {
        switch (conv.convert(in, out)) {
        case Converter::Stop::Done:
            break;
        case Converter::Stop::Invalid:
            // A lead byte followed by a byte that cannot end it: the lead byte alone is
            // replaced, and the next byte is looked at on its own (it may be ASCII).
            out += kReplacement;
            in.remove_prefix(1);
            break;
        case Converter::Stop::Incomplete:
            out += kReplacement;
            in = {};
            break;
        }
    }
    return out;
}

} // namespace

std::string cp932ToUtf8(std::string_view cp932)
{
    Converter conv("UTF-8", "CP932");
    return convertReplacing(conv, cp932);
}

std::optional<std::string> toUtf8From(std::string_view bytes, const std::string& charset)
{
    Converter conv("UTF-8", charset.c_str(), std::nothrow);
    if (!conv.known())
        return std::nullopt;
    return convertReplacing(conv, bytes);
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return std::nullopt;
    Converter conv("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    if (conv.convert(utf8, out) != Converter::Stop::Done)
        return std::nullopt;
    return out;
}

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
