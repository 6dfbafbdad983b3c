#pragma once
// The first place of a byte in a text, for searches that end after a few dozen bytes (the
// next "=" or double quote of a page): inline, sixteen bytes at a time, without the cost of
// a library call that pays off only over long distances.

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvanel::text {

// The position of the first `c` at or after `from` in `text`; npos when there is none.
inline std::size_t findByte(std::string_view text, std::size_t from, char c)
{
    const char* const begin = text.data();
    const char* p = begin + from;
    const char* const end = begin + text.size();
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(c);
    const auto hitsIn = [&](const char* at) {
        return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), wanted);
    };
    // Sixty-four bytes a test while nothing is found; the block with the byte is then
    // looked through sixteen at a time below.
    while (end - p >= 64
           && !_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(hitsIn(p), hitsIn(p + 16)),
                                              _mm_or_si128(hitsIn(p + 32), hitsIn(p + 48)))))
        p += 64;
    while (end - p >= 16) {
        const int hits = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), wanted));
        if (hits)
            return static_cast<std::size_t>(p - begin) + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == c)
            return static_cast<std::size_t>(p - begin);
    return std::string_view::npos;
}

// The places of one byte in a text, one after the other, for a byte met every few dozen
// bytes (the "=" of a page): sixty-four bytes are looked at together and their hits kept
// as bits, so that each place costs a few instructions instead of a new search.
class BytePlaces {
public:
    BytePlaces(std::string_view text, char c) : text_(text), c_(c)
    {
        if (!text_.empty())
            load(0);
    }

    // The first place at or after `from`; npos when there is none. `from` never goes back.
    std::size_t next(std::size_t from)
    {
        if (from >= base_ + 64 || from < base_) {
            if (from >= text_.size())
                return std::string_view::npos;
            load(from & ~std::size_t{63});
        }
        std::uint64_t hits = from > base_ ? bits_ & (~std::uint64_t{0} << (from - base_)) : bits_;
        while (hits == 0) {
            if (base_ + 64 >= text_.size())
                return std::string_view::npos;
            load(base_ + 64);
            hits = bits_;
        }
        return base_ + static_cast<std::size_t>(__builtin_ctzll(hits));
    }

private:
    void load(std::size_t base)
    {
        base_ = base;
        bits_ = 0;
        const char* p = text_.data() + base;
        const std::size_t left = text_.size() - base;
#if defined(__SSE2__)
        if (left >= 64) {
            // Asked for well ahead: the text is gone through once, from memory, faster than
            // the processor's own guesses fetch it.
            __builtin_prefetch(p + 2048);
            const __m128i wanted = _mm_set1_epi8(c_);
            for (int i = 0; i < 4; ++i) {
                const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
                bits_ |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted))))
                    << (16 * i);
            }
            return;
        }
#endif
        for (std::size_t i = 0; i < 64 && i < left; ++i)
            if (p[i] == c_)
                bits_ |= std::uint64_t{1} << i;
    }

    std::string_view text_;
    char c_;
    std::size_t base_ = 0;
    std::uint64_t bits_ = 0;
};

} // namespace orvanel::text
