#pragma once
// A set of names looked up many times, in few blocks of memory: the names one after another,
// their hashes beside where each name stands, and, for a set of many, a table of where each
// hash leads. A site's scan looks names up in thousands of these (a page's fragment targets,
// a folder's files), so a look-up touches little memory.

#include <cstdint>
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
    struct Name {
        std::uint64_t hash;
        std::size_t offset; // in text_
        std::size_t size;
    };
    bool is(const Name& n, std::uint64_t hash, std::string_view name) const
    {
        return n.hash == hash && std::string_view(text_).substr(n.offset, n.size) == name;
    }

    std::string text_;
    std::vector<Name> names_;  // for a few names, looked through in a row
    std::vector<Name> slots_;  // for many, by hash; a slot with size npos is free
};

} // namespace orvanel::text
