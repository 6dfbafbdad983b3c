#pragma once
// A set of names looked up many times, in little memory. A site's scan looks names up in
// thousands of these (a page's fragment targets, a folder's files), each far from the last
// in memory, so a look-up is kept to few cache lines: a few short names lie inside the set
// itself with their hashes (most pages define a handful of fragment targets), a few more in
// one block beside it; many lie one after another beside a table of where each hash leads.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::text {

class NameSet {
public:
    NameSet() = default;
    explicit NameSet(const std::vector<std::string_view>& names);
    explicit NameSet(const std::vector<std::string>& names) : NameSet(std::vector<std::string_view>(names.begin(), names.end())) {}
    NameSet(NameSet&& other) noexcept { *this = std::move(other); }
    NameSet& operator=(NameSet&& other) noexcept;
    NameSet(const NameSet&) = delete;
    NameSet& operator=(const NameSet&) = delete;

    bool contains(std::string_view name) const;

private:
    // A few short names: their hashes' low halves and places, then their texts, in one block.
    struct Short {
        std::uint32_t hash;
        std::uint16_t offset; // in the block's text
        std::uint16_t size;
    };
    // A slot of the table: twelve bytes, so that a table of thousands stays in the caches.
    struct Name {
        std::uint32_t hash;   // the low half of the name's
        std::uint32_t offset; // in text
        std::uint32_t size;   // kFree: the slot is free
    };
    static constexpr std::uint32_t kFree = UINT32_MAX;
    struct Many {
        std::string text;
        std::vector<Name> table; // by hash
    };
    static constexpr std::size_t kInline = 80;

    const char* block() const { return heapBlock_ ? heapBlock_.get() : inline_; }

    std::uint32_t shortCount_ = 0;
    std::unique_ptr<char[]> heapBlock_; // the block, when it does not fit in inline_
    std::unique_ptr<Many> many_;        // when there are more than a few names
    alignas(8) char inline_[kInline] = {};
};

} // namespace orvanel::text
