#pragma once
// The tag menu described by the menu tag list ("TagMList.lst"). LoadTagMenu builds one
// tree; the window renders it twice, as the main menu's "ﾀｸﾞ挿入(&I)" submenu
// (MenuItemTag, item names "Mn" + entry key) and as the hot-key pop-up (PopTag, item names
// "Pm" + entry key), so both always hold the same items in the same order.
//
// The list is read in pairs: a header line "[c1][c2][c3][c4]" (up to four captions, one per
// menu level; the deepest non-empty one is the leaf, "-" makes a separator) and the leaf's
// entry line "key=value" right after it. A key ending in "DLG" + two characters marks a
// dialog leaf: its value is a panel key and the two characters are the image index. Any
// other key's value is a tag template between two delimiter characters.

#include "text/KeyedTextList.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanel::catalogue {

enum class TagMenuKind {
    Submenu,      // a caption that holds deeper items; no name, no image, no handler
    Separator,    // caption "-"
    DialogLeaf,   // opens the tag dialog's panel (TagGroupMenuItemClick), shows an image
    TemplateLeaf, // inserts the template (TagMenuItemClick)
};

struct TagMenuItem {
    TagMenuKind kind = TagMenuKind::Submenu;
    std::string caption;  // as written in the list; "&" marks an accelerator, "&&" is a "&"
    std::string entryKey; // leaves only: the key of the entry line (may be empty)
    int imageIndex = -1;  // dialog leaves only: the image of the tag button image list
    // Deeper items. Submenus have them; a malformed list can also hang items under a leaf
    // or a separator, which the window then shows as a submenu with that caption.
    std::vector<TagMenuItem> children;

    bool isLeaf() const { return kind == TagMenuKind::DialogLeaf || kind == TagMenuKind::TemplateLeaf; }
    // The item's object name: "Mn" + key in MenuItemTag, "Pm" + key in PopTag; leaves only.
    std::string name(std::string_view prefix) const { return isLeaf() ? std::string(prefix) + entryKey : std::string(); }
};

// The top-level items in order; the last one is always the closing separator.
using TagMenu = std::vector<TagMenuItem>;

// Builds the tag menu from the menu tag list (see the header comment for the format).
TagMenu LoadTagMenu(const text::KeyedTextList& menuTagList);

// The captions of a header line: c1..c4, empty where missing.
struct HeaderCaptions {
    std::string c[4];
};
HeaderCaptions splitHeader(std::string_view headerLine);

// Whether an entry key marks a dialog leaf: its fifth-last to third-last characters are
// "DLG". Then `imageIndex` is the value of the last two characters (0 unless both are digits).
bool isDialogKey(std::string_view entryKey, int* imageIndex = nullptr);

// What a template leaf inserts: the key's value without its first and last character.
std::string menuTemplate(const text::KeyedTextList& menuTagList, std::string_view entryKey);
// The panel name a dialog leaf opens: "Panel" + the key's value.
std::string menuPanelName(const text::KeyedTextList& menuTagList, std::string_view entryKey);

// The number of top-level items that LoadTagMenu produced (built-in items, closing
// separator included); user tag groups are appended behind them.
inline std::size_t builtInTopLevelCount(const TagMenu& menu) { return menu.size(); }

} // namespace orvanel::catalogue
