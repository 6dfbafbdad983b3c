#pragma once
// Hashing of texts for the tables looked up most: eight bytes at a time, inline, with a final
// mixing so that the low bits (the ones a table of 2^n slots uses) depend on every byte.
// StringHash lets unordered containers of std::string be searched with a std::string_view,
// without making a string for the search.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvanel::text {

// The `n` bytes (fewer than eight) that end at `end` as a little-endian number. With
// `lookBack`, the eight bytes before `end` may be read. The bytes are loaded whole, not
// copied one by one into memory that is then read as one number: the processor cannot hand
// such a read the bytes just written, and waits.
inline std::uint64_t bytesBefore(const char* end, std::size_t n, bool lookBack)
{
    if (n == 0)
        return 0;
    if (lookBack) {
        std::uint64_t w;
        std::memcpy(&w, end - 8, 8);
        return w >> (8 * (8 - n));
    }
    const char* p = end - n;
    if (n >= 4) {
        std::uint32_t low;
        std::uint32_t high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, end - 4, 4);
        return low | static_cast<std::uint64_t>(high) << (8 * (n - 4));
    }
    const auto byte = [](char c) { return static_cast<std::uint64_t>(static_cast<unsigned char>(c)); };
    return byte(p[0]) | byte(p[n / 2]) << (8 * (n / 2)) | byte(p[n - 1]) << (8 * (n - 1));
}

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
    if (n > 0)
        h = ((h << 5 | h >> 59) ^ bytesBefore(p + n, n, s.size() >= 8)) * k1;
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
