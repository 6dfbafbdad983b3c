#pragma once
// Renders the tag menu tree twice, item for item: into MenuItemTag (leaf names "Mn" + key)
// and into PopTag (leaf names "Pm" + key), with the same captions, images and handlers.

#include "catalogue/TagMenuModel.h"

#include <QIcon>

#include <functional>

class QAction;
class QMenu;

namespace orvanel::catalogue {

struct TagMenuHandlers {
    std::function<void(QAction*)> templateLeaf; // TagMenuItemClick
    std::function<void(QAction*)> dialogLeaf;   // TagGroupMenuItemClick
    std::function<QIcon(int imageIndex)> image; // image nn of the tag button images
};

// Appends the items of `menu` to both menus (a submenu becomes a QMenu in each, a
// separator a separator, a leaf a named action).
void buildTagMenus(const TagMenu& menu, QMenu* mainMenu, QMenu* popMenu, const TagMenuHandlers& handlers);

} // namespace orvanel::catalogue
