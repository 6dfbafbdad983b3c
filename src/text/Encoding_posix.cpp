#include "text/Encoding.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

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

namespace {

// CP932 through a table made of iconv's own answers, byte by byte and pair by pair, so that
// it decodes exactly as iconv does, several times faster. Making it takes some fifteen
// thousand small conversions: it is made once a process has converted enough to pay for it.
class Cp932Table {
public:
    // The table; nullptr when iconv gives an answer it cannot hold.
    static const Cp932Table* get()
    {
        static const std::unique_ptr<Cp932Table> table = make();
        return table.get();
    }

    std::string decode(std::string_view in) const
    {
        // No character grows to more than three bytes, nor a byte to more than three: the
        // text is written through a pointer into room made for that, without a check at
        // each character, and cut to its length at the end.
        std::string out(3 * in.size() + sizeof(Char), '\0');
        char* o = out.data();
        const auto* p = reinterpret_cast<const unsigned char*>(in.data());
        const auto* const end = p + in.size();
        while (p < end) {
            // ASCII is itself, and comes in runs: eight bytes are looked at together.
            if (end - p >= 8) {
                std::uint64_t eight;
                std::memcpy(&eight, p, 8);
                if ((eight & 0x8080808080808080u) == 0) {
                    std::memcpy(o, &eight, 8);
                    o += 8;
                    p += 8;
                    continue;
                }
            }
            if (*p < 0x80) {
                *o++ = static_cast<char>(*p++);
                continue;
            }
            const unsigned char b = *p;
            const Char* c = &single_[b];
            std::size_t length = 1;
            if (leadIndex_[b] >= 0) {
                if (p + 1 == end) { // a lead byte at the very end
                    o = std::copy(kReplacement.begin(), kReplacement.end(), o);
                    break;
                }
                c = &pairs_[static_cast<std::size_t>(leadIndex_[b]) * 256 + p[1]];
                length = 2;
            }
            if (c->size == 0) {
                // The byte alone is replaced; the next is looked at on its own.
                o = std::copy(kReplacement.begin(), kReplacement.end(), o);
                ++p;
                continue;
            }
            std::memcpy(o, c->utf8, sizeof c->utf8);
            o += c->size;
            p += length;
        }
        out.resize(static_cast<std::size_t>(o - out.data()));
        return out;
    }

private:
    struct Char {
        std::uint8_t size = 0; // 0: no meaning
        char utf8[3] = {};
    };

    // What iconv makes of `bytes`: one character, or nothing (Done false) and why.
    struct Answer {
        Converter::Stop stop;
        std::string utf8;
    };
    static Answer ask(Converter& conv, std::string_view bytes)
    {
        Answer a;
        a.stop = conv.convert(bytes, a.utf8);
        if (a.stop == Converter::Stop::Done && !bytes.empty())
            a.stop = Converter::Stop::Invalid;
        return a;
    }

    static std::unique_ptr<Cp932Table> make()
    {
        Converter conv("UTF-8", "CP932");
        auto table = std::make_unique<Cp932Table>();
        auto put = [](Char& c, const std::string& utf8) {
            if (utf8.empty() || utf8.size() > sizeof c.utf8)
                return false;
            c.size = static_cast<std::uint8_t>(utf8.size());
            std::copy(utf8.begin(), utf8.end(), c.utf8);
            return true;
        };
        table->leadIndex_.fill(-1);
        int leads = 0;
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const Answer a = ask(conv, std::string_view(&byte, 1));
            if (a.stop == Converter::Stop::Incomplete) {
                table->leadIndex_[b] = leads++;
                continue;
            }
            if (a.stop == Converter::Stop::Done && !put(table->single_[b], a.utf8))
                return nullptr;
            // ASCII must be itself, as decode copies it.
            if (b < 0x80 && (a.stop != Converter::Stop::Done || a.utf8 != std::string(1, byte)))
                return nullptr;
        }
        table->pairs_.resize(static_cast<std::size_t>(leads) * 256);
        for (int b = 0; b < 256; ++b) {
            if (table->leadIndex_[b] < 0)
                continue;
            for (int t = 0; t < 256; ++t) {
                const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
                const Answer a = ask(conv, std::string_view(pair, 2));
                if (a.stop == Converter::Stop::Done
                    && !put(table->pairs_[static_cast<std::size_t>(table->leadIndex_[b]) * 256 + t], a.utf8))
                    return nullptr;
            }
        }
        return table;
    }

    std::array<Char, 256> single_{};
    std::array<int, 256> leadIndex_{};
    std::vector<Char> pairs_;
};

// Bytes converted so far by iconv; the table is made past this.
std::atomic<std::size_t> convertedByIconv{0};
constexpr std::size_t kTableAfter = 128u << 10;

} // namespace

std::string cp932ToUtf8ByIconv(std::string_view cp932)
{
    // Opening a conversion costs more than converting a page: each thread keeps its own.
    thread_local Converter conv("UTF-8", "CP932");
    return convertReplacing(conv, cp932);
}

std::string cp932ToUtf8(std::string_view cp932)
{
    if (convertedByIconv.load(std::memory_order_relaxed) >= kTableAfter)
        if (const Cp932Table* table = Cp932Table::get())
            return table->decode(cp932);
    convertedByIconv.fetch_add(cp932.size(), std::memory_order_relaxed);
    return cp932ToUtf8ByIconv(cp932);
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
