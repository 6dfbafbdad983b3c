#pragma once
// A set of names looked up many times, in few blocks of memory. A site's scan looks names up
// in thousands of these (a page's fragment targets, a folder's files), each far from the last
// in memory, so a look-up is kept to little memory: a few short names lie in one block with
// their hashes (most pages define a handful of fragment targets, read in one or two cache
// lines); many lie one after another beside a table of where each hash leads.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::text {

class NameSet {
public:
    NameSet() = default;
    explicit NameSet(const std::vector<std::string>& names);
    bool contains(std::string_view name) const;

private:
    // A few short names: their hashes' low halves and places, then their texts, in one block.
    struct Short {
        std::uint32_t hash;
        std::uint16_t offset; // in the block's text
        std::uint16_t size;
    };
    struct Name {
        std::uint64_t hash;
        std::size_t offset; // in text_
        std::size_t size;
    };

    std::size_t shortCount_ = 0;
    std::unique_ptr<char[]> short_; // shortCount_ Short entries, then the texts
    std::string text_;
    std::vector<Name> slots_; // by hash; a slot with size npos is free
};

} // namespace orvanel::text
