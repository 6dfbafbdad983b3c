#pragma once
// The references of a page read before its turn (for its fragment targets), kept until its
// scan in place of its text: a fraction of the memory, and the page is searched while it is
// at hand rather than again from memory later.

#include "project/FindLink.h"

#include <string>
#include <string_view>

namespace orvanel::project {

// Appends to `list` every reference `finder` gives, with its kind, in order; false (and the
// list unfinished) when a text is too long to list, four gigabytes or more.
bool listReferences(ReferenceFinder& finder, std::string& list);

// The references of a list made by listReferences, in the same order; their texts are parts
// of the list, which must outlive them.
class KeptReferenceFinder : public ReferenceFinder {
public:
    explicit KeptReferenceFinder(std::string_view list) : list_(list) {}
    bool next(FoundReference& found) override;
    bool textsStay() const override { return true; }

private:
    std::string_view list_;
    std::size_t at_ = 0;
};

} // namespace orvanel::project
