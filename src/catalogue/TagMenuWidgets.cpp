#include "catalogue/TagMenuWidgets.h"

#include <QAction>
#include <QMenu>

namespace orvanel::catalogue {

namespace {

void addItems(const std::vector<TagMenuItem>& items, QMenu* mn, QMenu* pm, const TagMenuHandlers& h)
{
    for (const TagMenuItem& item : items) {
        // Qt reads "&" as the accelerator mark as the list does; screen readers get the
        // caption without it.
        const QString caption = QString::fromStdString(item.caption);
        if (!item.children.empty() || item.kind == TagMenuKind::Submenu) {
            // A submenu (or, in a malformed list, a leaf that got deeper items).
            QMenu* subMn = mn->addMenu(caption);
            QMenu* subPm = pm->addMenu(caption);
            addItems(item.children, subMn, subPm, h);
            continue;
        }
        if (item.kind == TagMenuKind::Separator) {
            mn->addSeparator();
            pm->addSeparator();
            continue;
        }
        const bool dialog = item.kind == TagMenuKind::DialogLeaf;
        const QIcon icon = dialog && h.image ? h.image(item.imageIndex) : QIcon();
        for (auto [menu, prefix] : {std::pair{mn, "Mn"}, std::pair{pm, "Pm"}}) {
            QAction* action = menu->addAction(caption);
            action->setObjectName(QString::fromStdString(item.name(prefix)));
            if (!icon.isNull())
                action->setIcon(icon);
            const auto& handler = dialog ? h.dialogLeaf : h.templateLeaf;
            if (handler)
                QObject::connect(action, &QAction::triggered, menu, [handler, action] { handler(action); });
        }
    }
}

} // namespace

void buildTagMenus(const TagMenu& menu, QMenu* mainMenu, QMenu* popMenu, const TagMenuHandlers& handlers)
{
    addItems(menu, mainMenu, popMenu, handlers);
}

} // namespace orvanel::catalogue
