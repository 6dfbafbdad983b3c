#include "project/PageText.h"

#include "text/Encoding.h"
#include "text/TextOps.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvanel::project {

namespace {

constexpr std::size_t kCharsetWindow = 1024;

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
        || c == '_' || c == '.' || c == ':';
}

// The iconv name for a charset label; the Shift-JIS labels of the web mean Microsoft's
// code page, as browsers read them.
std::string iconvName(std::string label)
{
    label = text::toAsciiLower(label);
    for (const char* sjis : {"shift_jis", "shift-jis", "sjis", "x-sjis", "ms_kanji", "csshiftjis",
                             "windows-31j", "cp932", "ms932"})
        if (label == sjis)
            return "CP932";
    // A page cannot be in UTF-16 when it names its charset in ASCII; browsers read it as UTF-8.
    if (label == "utf-8" || label == "utf8" || label == "unicode-1-1-utf-8" || label.starts_with("utf-16"))
        return "UTF-8";
    return label;
}

} // namespace

std::string declaredCharset(std::string_view bytes)
{
    // The first "charset=" in any letter case: found from the "=" signs of the window, which
    // are few, without a lower-case copy of it.
    const std::string_view window = bytes.substr(0, kCharsetWindow);
    constexpr std::string_view kName = "charset";
    for (std::size_t eq = window.find('='); eq != std::string_view::npos; eq = window.find('=', eq + 1)) {
        if (eq < kName.size() || !text::equalsIgnoreCase(window.substr(eq - kName.size(), kName.size()), kName))
            continue;
        std::size_t start = eq + 1;
        while (start < window.size() && (window[start] == '"' || window[start] == '\'' || window[start] == ' '))
            ++start;
        std::size_t end = start;
        while (end < window.size() && isNameChar(window[end]))
            ++end;
        return text::toAsciiLower(window.substr(start, end - start));
    }
    return {};
}

namespace {

// How a page's bytes are decoded: `charset` is the iconv name of the one the page names
// ("UTF-8", "CP932", ...), empty when it names none.
std::string decodeAs(std::string bytes, const std::string& charset)
{
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    if (charset.empty())
        return text::isValidUtf8(bytes) ? std::move(bytes) : text::cp932ToUtf8(bytes);
    if (charset == "UTF-8")
        return text::isValidUtf8(bytes) ? std::move(bytes) : text::sanitizeUtf8(bytes);
    if (charset == "CP932")
        return text::cp932ToUtf8(bytes);
    if (auto decoded = text::toUtf8From(bytes, charset))
        return std::move(*decoded);
    return text::decodeDataFile(bytes);
}

// Copies the sixteen bytes at `in` to `out` without those whose bit is set in `drop`, and
// returns how many it kept. `out` is `in` or trails it: every byte is read before any is
// written, and the sixteen bytes written from `out` on, of which only the kept count, end
// within the block read.
inline std::size_t dropBytes(const char* in, unsigned drop, char* out)
{
#if defined(__SIZEOF_INT128__)
    // The block as one number: each dropped byte is taken out by moving the bytes above it
    // down by one, a few instructions however the breaks fall.
    unsigned __int128 v;
    std::memcpy(&v, in, 16);
    unsigned removed = 0;
    for (; drop != 0; drop &= drop - 1, ++removed) {
        const unsigned at = static_cast<unsigned>(__builtin_ctz(drop)) - removed;
        const unsigned __int128 below = (static_cast<unsigned __int128>(1) << (8 * at)) - 1;
        v = (v & below) | ((v >> 8) & ~below);
    }
    // Stored whole, from the registers: a part of it read back from memory would wait for
    // the store.
    std::memcpy(out, &v, 16);
    return 16 - removed;
#else
    // Every byte is written and the dropped ones written over: where they fall cannot be
    // foreseen, and a branch on it would mostly be guessed wrong.
    char* const start = out;
    char bytes[16];
    std::memcpy(bytes, in, 16);
    for (int i = 0; i < 16; ++i) {
        *out = bytes[i];
        out += ((drop >> i) & 1) ^ 1;
    }
    return static_cast<std::size_t>(out - start);
#endif
}

// Removes the CR and LF of the bytes of `data` from `from` to `end` in place, writing from
// `to` on (`to` <= `from`): all of them, or (`plainOnly`) those before the first NUL or byte
// above 0x7F. Returns where it stopped (`end`, or the stopping byte) and where the writing
// did. Lines are short in most pages, so the text is looked at sixteen or thirty-two bytes
// at a time, and a block without a special byte is moved whole.
template <bool plainOnly>
std::pair<std::size_t, std::size_t> removeLineBreaksFrom(char* data, std::size_t from, std::size_t to, std::size_t end_)
{
    char* out = data + to;
    const char* in = data + from;
    const char* const end = data + end_;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i nul = _mm_setzero_si128();
    const auto breaksIn = [&](__m128i block) { return _mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)); };
    // A byte above 0x7F has its sign bit set.
    const auto stopsIn = [&](__m128i block) { return _mm_or_si128(block, _mm_cmpeq_epi8(block, nul)); };
    while (end - in >= 16) {
        if (end - in >= 32) {
            // Two blocks in registers: storing them is safe where `out` trails `in`.
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
            __m128i special = _mm_or_si128(breaksIn(a), breaksIn(b));
            if constexpr (plainOnly)
                special = _mm_or_si128(special, _mm_or_si128(stopsIn(a), stopsIn(b)));
            if (!_mm_movemask_epi8(special)) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), a);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), b);
                in += 32;
                out += 32;
                continue;
            }
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        if constexpr (plainOnly)
            if (_mm_movemask_epi8(stopsIn(block)))
                break;
        const int breaks = _mm_movemask_epi8(breaksIn(block));
        if (breaks == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
            out += 16;
        } else {
            out += dropBytes(in, breaks, out);
        }
        in += 16;
    }
#endif
    for (; in < end; ++in) {
        const auto c = static_cast<unsigned char>(*in);
        if (plainOnly && (c == 0 || c > 0x7F))
            break;
        if (c != '\n' && c != '\r')
            *out++ = *in;
    }
    return {static_cast<std::size_t>(in - data), static_cast<std::size_t>(out - data)};
}

void removeLineBreaks(std::string& s)
{
    s.resize(removeLineBreaksFrom<false>(s.data(), 0, 0, s.size()).second);
}

// The page as a whole: a NUL ends it; a byte order mark, else the character set it names,
// else whether it is valid UTF-8, says how it is decoded.
std::string decodeWhole(std::string bytes)
{
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    std::string page;
    if (text::hasUtf8Bom(bytes)) {
        page = text::decodeDataFile(bytes);
    } else {
        const std::string charset = declaredCharset(bytes);
        page = decodeAs(std::move(bytes), charset.empty() ? std::string() : iconvName(charset));
    }
    removeLineBreaks(page);
    return page;
}

// The decoding of a page, begun on its plain start while the page is read: ASCII is itself
// in UTF-8 and in CP932, and neither has a character that runs from an ASCII byte into the
// next, so the plain start loses its line breaks as it comes in, each piece while it is in
// the processor's caches, and only what follows it is decoded as a whole.
class PageDecoding {
public:
    // The first `got` bytes of the page are in `bytes`.
    void take(char* bytes, std::size_t got)
    {
        if (!decided_) {
            if (got < kCharsetWindow)
                return; // the start says how the page is decoded
            decide(std::string_view(bytes, got));
        }
        if (plain_ && !stopped_) {
            std::tie(in_, out_) = removeLineBreaksFrom<true>(bytes, in_, out_, got);
            stopped_ = in_ < got;
        }
    }

    // The page text of all the bytes (the pieces taken changed as take() left them).
    std::string finish(std::string bytes)
    {
        if (!decided_)
            decide(bytes);
        if (!plain_)
            return decodeWhole(std::move(bytes));
        take(bytes.data(), bytes.size());
        if (!stopped_) {
            bytes.resize(out_);
            return bytes;
        }
        std::string rest = decodeAs(bytes.substr(in_), name_);
        removeLineBreaks(rest);
        bytes.resize(out_);
        bytes += rest;
        return bytes;
    }

private:
    void decide(std::string_view bytes)
    {
        decided_ = true;
        const std::string_view head = bytes.substr(0, kCharsetWindow);
        const bool headHasNul = head.find('\0') != std::string_view::npos;
        const std::string charset = headHasNul ? std::string() : declaredCharset(bytes);
        name_ = charset.empty() ? std::string() : iconvName(charset);
        plain_ = !headHasNul && !text::hasUtf8Bom(bytes) && (name_.empty() || name_ == "UTF-8" || name_ == "CP932");
    }

    bool decided_ = false;
    bool plain_ = false;   // the plain start is taken as it is
    bool stopped_ = false; // at a byte that is not plain ASCII, at in_
    std::size_t in_ = 0;   // the plain start's bytes are taken up to here
    std::size_t out_ = 0;  // and are now this many
    std::string name_;     // the iconv name of the character set the page names
};

} // namespace

std::string decodePageText(std::string bytes)
{
    return PageDecoding().finish(std::move(bytes));
}

std::optional<std::string> ReadPageText(SiteFiles& files, const std::string& path)
{
    FileRead read = files.read(path);
    if (read.outcome != ReadOutcome::Read)
        return std::nullopt;
    return decodePageText(std::move(read.bytes));
}

std::optional<std::string> ReadCheckedPageText(SiteFiles& files, const std::string& path)
{
    PageDecoding decoding;
    FileRead read = files.readCheckedFileInPieces(path, [&](char* bytes, std::size_t got) { decoding.take(bytes, got); });
    if (read.outcome != ReadOutcome::Read)
        return std::nullopt;
    return decoding.finish(std::move(read.bytes));
}

} // namespace orvanel::project
