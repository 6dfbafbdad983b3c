#pragma once
// The nine tag pages of the palette, built from the fixed button set: one tool bar per
// page with 27 x 27 buttons named "Btn" + key, each with its hint as tool tip, caption
// and accessible name, and the seven ALIGN drop-down buttons sharing PopAlignLCR.

#include <QIcon>

#include <functional>

class QAction;
class QMenu;
class QTabWidget;
class QToolButton;

namespace orvanel::catalogue {

struct TagPageHandlers {
    std::function<void(QToolButton*)> tagButton;   // TagBtnClick
    std::function<void(QToolButton*)> groupButton; // TagGroupBtnClick
    // A pick from PopAlignLCR opened by the arrow of this drop-down button.
    std::function<void(QToolButton*, QAction*)> alignPick;
};

// Adds the nine pages to `pageControl`; the drop-down buttons open `alignMenu`.
void buildTagPages(QTabWidget* pageControl, QMenu* alignMenu, const TagPageHandlers& handlers);

// Image `index` of the tag button images (the icon of button number `index`); an empty
// icon for an index out of range.
QIcon tagButtonImage(int index);

// The icon of the button with that key: its picture from the icon set, or, when the set
// has none, its caption's first letters drawn in a box.
QIcon tagButtonIcon(std::string_view key, std::string_view hint);

} // namespace orvanel::catalogue
