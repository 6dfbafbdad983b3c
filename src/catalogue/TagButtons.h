#pragma once
// The fixed tag buttons of the palette: nine tab pages of the page control PageTag, each
// with one tool bar, and 67 buttons in page order. Button i (counted over all pages,
// separators not counted) shows image i of the tag button image list.

#include <span>
#include <string>
#include <string_view>

namespace orvanel::catalogue {

struct TagPage {
    std::string_view name;    // the tab sheet, e.g. "TabDoc"
    std::string_view caption; // e.g. "ﾄﾞｷｭﾒﾝﾄ"
    std::string_view toolBar; // e.g. "BarDoc"
};

enum class TagButtonKind {
    Tag,   // inserts the entry template of its key (TagBtnClick)
    Group, // opens the tag dialog's panel "Panel" + key (TagGroupBtnClick)
};

struct TagButton {
    std::string_view key;  // the name without "Btn", e.g. "LAYOUT_P_P"
    std::string_view hint; // tool tip; the caption equals it
    TagButtonKind kind = TagButtonKind::Tag;
    bool dropDown = false;        // its arrow opens the ALIGN pop-up menu PopAlignLCR
    bool separatorBefore = false; // the tool bar has a separator in front of it
    int page = 0;                 // index into tagPages()
    int imageIndex = 0;           // 0..66, its position over all pages

    std::string name() const { return "Btn" + std::string(key); }
    std::string panelName() const { return "Panel" + std::string(key); } // group buttons
};

std::span<const TagPage> tagPages();     // the nine pages in order
std::span<const TagButton> tagButtons(); // the 67 buttons in order

// The button with that key, or nullptr.
const TagButton* findTagButton(std::string_view key);

// The three items of the ALIGN pop-up menu, in order: their names are "Pop" + key.
struct AlignOption {
    std::string_view key;     // e.g. "OPTION_ALIGN_LEFT"
    std::string_view caption; // display text only; the attribute comes from the button tag list
};
std::span<const AlignOption> alignOptions();

} // namespace orvanel::catalogue
