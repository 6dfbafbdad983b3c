#pragma once
// The fragment targets a page defines.

#include <string>
#include <string_view>
#include <vector>

namespace orvanel::project {

// The names the exact-form search finds, in page order: the value of every "<a name=" and
// every " id=" (the id of any element), in any letter case, taken like a link value (the
// character after "=" skipped, the name running to the next double quote, the search going
// on after that quote, or from the name's start when no quote follows).
std::vector<std::string> exactFormAnchorNames(std::string_view pageText);

// The fragment targets of one page, in two blocks of memory: the names one after another,
// and their hashes in order beside where each name stands. A site's scan looks names up in
// thousands of these, so a look-up touches little memory.
class AnchorSet {
public:
    AnchorSet() = default;
    explicit AnchorSet(const std::vector<std::string>& names);
    bool contains(std::string_view name) const;

private:
    struct Name {
        std::size_t hash;
        std::size_t offset; // in text_
        std::size_t size;
    };
    std::string text_;
    std::vector<Name> names_; // by hash
};

// Whether a fragment names a place in a page with these names. An empty fragment ("#")
// is the top of the page and always there.
bool anchorDefined(const AnchorSet& names, std::string_view fragment);

} // namespace orvanel::project
