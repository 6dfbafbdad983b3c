#include "text/Encoding.h"

#include <cerrno>
#include <iconv.h>
#include <new>
#include <stdexcept>

// The CP932 codec, and the character sets pages name, through iconv.

namespace orvanel::text {

namespace {

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
    // Opening a conversion costs more than converting a page: each thread keeps its own.
    thread_local Converter conv("UTF-8", "CP932");
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

} // namespace orvanel::text
