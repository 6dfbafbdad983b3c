#pragma once
// Taking the references out of a page text. The exact-form scan is a plain text search,
// not an HTML parser: it knows the three openings "<a href=", "<img src=" and
// "<frame src=", in any letter case, and nothing else.

#include "text/FindByte.h"

#include <cstddef>
#include <string_view>

namespace orvanel::project {

struct FoundReference {
    std::string_view text; // the reference as written in the page
    std::string_view kind; // "href", "img" or "frame"
};

// The references of one page, one after the other.
class ReferenceFinder {
public:
    virtual ~ReferenceFinder() = default;
    // The next reference; false when there is none. Its text is valid until the next call,
    // or as long as the page's text when textsStay().
    virtual bool next(FoundReference& found) = 0;
    virtual bool textsStay() const { return false; }
};

// Whether `text` holds `lowerPattern` at `at`, ignoring the letter case of ASCII letters.
bool matchesAt(std::string_view text, std::size_t at, std::string_view lowerPattern);

// The first position at or after `from` where `lowerPattern` stands in `text`, ignoring the
// letter case of ASCII letters; npos when none. The pattern's first character is not a letter.
std::size_t findIgnoringCase(std::string_view text, std::string_view lowerPattern, std::size_t from);

// The exact-form scan (FindLink). The tag is chosen by a fixed priority, not by position: as
// long as the rest of the page holds "<a href=", that is taken; then "<img src="; then
// "<frame src=". The character right after "=" is skipped unseen (it is taken to be the
// opening quote) and the value runs to the next double quote; the rest of the page is what
// follows that quote, or, with no quote, everything from the value's start. So all links of
// a page come first, images only from the text after the last link, and frames after that.
// Each opening is looked at once and each quote search covers new text, so a page costs
// time in proportion to its length.
class LinkFinder : public ReferenceFinder {
public:
    explicit LinkFinder(std::string_view pageText);
    bool next(FoundReference& found) override;
    bool textsStay() const override { return true; } // parts of the page

private:
    // Where the next opening of the tag starts at or after `from`; npos when none.
    std::size_t nextOpening(std::size_t tag, std::size_t from);

    std::string_view text_;
    text::BytePlaces equals_;              // the page's "=", where every opening ends
    std::size_t rest_ = 0;                 // where the rest of the page starts
    std::size_t noQuoteFrom_;              // no double quote at or after this position
    std::size_t tag_ = 0;                  // the tag being taken: 0 href, 1 img, 2 frame
    std::size_t searched_[3] = {0, 0, 0};  // per tag: no opening ends before this position
};

} // namespace orvanel::project
