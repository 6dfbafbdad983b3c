#pragma once
// The tolerant scan: references found as a browser's tokenizer finds the tags, with
// attributes in any order, single, double or no quotes, blanks around "=", and character
// references decoded. Links come from the href of "a", images from the src of "img", frames
// from the src of "frame" and "iframe" ("srcset" is not looked at); fragment targets are the
// name of "a" and the id of any element. Comments, and the content of script, style and
// other raw-text elements, hold no tags. Unlike the exact-form scan, references come in
// page order.

#include "project/FindLink.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanel::project {

// The attributes a reference or a fragment target can come from.
enum class Attribute { Href, Src, Name, Id };

struct StartTag {
    std::string name; // lower case
    // The decoded values of the attributes above, the first of each name only (the others
    // of a tag are read over and not kept).
    std::vector<std::pair<Attribute, std::string>> attributes;

    const std::string* attribute(Attribute which) const;
};

// Reads the start tags of a page one after the other, in time proportional to its length.
class StartTagReader {
public:
    explicit StartTagReader(std::string_view pageText) : text_(pageText) {}
    // The next start tag; false at the end of the page.
    bool next(StartTag& tag);

private:
    bool readTag(StartTag& tag);
    void skipPast(std::string_view lowerEnd);
    std::string_view text_;
    std::size_t pos_ = 0;
};

class AnyFormFinder : public ReferenceFinder {
public:
    explicit AnyFormFinder(std::string_view pageText) : reader_(pageText) {}
    bool next(FoundReference& found) override;

private:
    StartTagReader reader_;
    StartTag tag_;
    std::string value_;
};

// The fragment targets of a page for the tolerant scan, in page order.
std::vector<std::string> anyFormAnchorNames(std::string_view pageText);

// `value` with its character references ("&amp;", "&#38;", "&#x26;", and the few other
// named ones a link may hold) decoded; unknown ones stay as written.
std::string decodeCharacterReferences(std::string_view value);

} // namespace orvanel::project
