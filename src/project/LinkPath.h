#pragma once
// The text that the project manager's insertion commands put into a link or image panel:
// for the item under the pop-up menu, the web address as the page wrote it, or the file's
// path relative to the page being edited.

#include "insert/RelativePath.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvanel::project {

// What the control under the pop-up menu offers: the item's display text (the tree label or
// the list caption; empty for the file list) and its path (a record's Path, or a file's
// full path).
struct LinkItem {
    std::string displayText;
    std::string path;
};

// The text to insert for `item` (nullopt when the control has no usable item: nothing
// selected, a broken reference, a row without exactly two sub-items): the display text when
// the path is kUrlPath, else the path relative to the folder of `targetFile` with "/"
// separators; empty when there is nothing to insert. Without a page being edited `tell`
// receives kNoRelativePathMessage and the absolute path is given.
std::string GetLinkPath(const std::optional<LinkItem>& item, std::string_view targetFile, insert::PathStyle style,
                        const std::function<void(std::string_view)>& tell);

} // namespace orvanel::project
