#pragma once
// The fragment targets a page defines.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::project {

// The names the exact-form search finds, in page order: the value of every "<a name=" and
// every " id=" (the id of any element), in any letter case, taken like a link value (the
// character after "=" skipped, the name running to the next double quote, the search going
// on after that quote, or from the name's start when no quote follows).
std::vector<std::string> exactFormAnchorNames(std::string_view pageText);

// The fragment targets of one page, in few blocks of memory: the names one after another,
// their hashes beside where each name stands, and, for a page with many, a table of where
// each hash leads. A site's scan looks names up in thousands of these, so a look-up touches
// little memory.
class AnchorSet {
public:
    AnchorSet() = default;
    explicit AnchorSet(const std::vector<std::string>& names);
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

// Whether a fragment names a place in a page with these names. An empty fragment ("#")
// is the top of the page and always there.
bool anchorDefined(const AnchorSet& names, std::string_view fragment);

} // namespace orvanel::project
