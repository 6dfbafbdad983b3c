#pragma once
// The first place of a byte in a text, for searches that end after a few dozen bytes (the
// next "=" or double quote of a page): inline, sixteen bytes at a time, without the cost of
// a library call that pays off only over long distances.

#include <cstddef>
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

} // namespace orvanel::text
