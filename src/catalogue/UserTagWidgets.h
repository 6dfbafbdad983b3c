#pragma once
// The user tag groups on the palette: each group a submenu at the end of both tag menus
// (items "UserMn" + key in the main menu, "UserPm" + key in the pop-up; a tag named "-" a
// separator) and a page at the end of the tag pages with one captioned button per tag
// ("UserBtn" + key, no image).

#include "catalogue/UserTagMenu.h"

#include <QPointer>

#include <functional>
#include <vector>

class QMenu;
class QTabWidget;
class QWidget;

namespace orvanel::catalogue {

class UserTagWidgets {
public:
    // The handler of every item and button (TagUserMnBtnClick), given the item or button.
    using Click = std::function<void(QObject* sender)>;

    // Removes the submenus and pages an earlier call added, then adds one submenu to each
    // menu and one page per group of `groups`.
    void rebuild(const std::vector<UserTagGroup>& groups, QMenu* mainMenu, QMenu* popMenu, QTabWidget* pages,
                 const Click& click);

private:
    void remove(QTabWidget* pages);

    std::vector<QPointer<QMenu>> menus_;
    std::vector<QPointer<QWidget>> pages_;
};

} // namespace orvanel::catalogue
