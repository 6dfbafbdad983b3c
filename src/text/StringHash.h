#pragma once
// Hashing of texts for the tables looked up most: eight bytes at a time, inline, with a final
// mixing so that the low bits (the ones a table of 2^n slots uses) depend on every byte.
// StringHash lets unordered containers of std::string be searched with a std::string_view,
// without making a string for the search.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvanel::text {

inline std::uint64_t hashText(std::string_view s)
{
    constexpr std::uint64_t k1 = 0x9E3779B97F4A7C15u;
    constexpr std::uint64_t k2 = 0xBF58476D1CE4E5B9u;
    std::uint64_t h = k1 ^ (s.size() * k2);
    const char* p = s.data();
    std::size_t n = s.size();
    while (n >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = ((h << 5 | h >> 59) ^ w) * k1;
        p += 8;
        n -= 8;
    }
    if (n > 0) {
        std::uint64_t w = 0;
        std::memcpy(&w, p, n);
        h = ((h << 5 | h >> 59) ^ w) * k1;
    }
    h ^= h >> 31;
    h *= k2;
    h ^= h >> 29;
    return h;
}

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return static_cast<std::size_t>(hashText(s)); }
};

} // namespace orvanel::text
