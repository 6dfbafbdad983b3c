#include "catalogue/UserTagWidgets.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvanel::catalogue {

namespace {

constexpr int ButtonHeight = 27;
constexpr int CaptionPointSize = 12;

QString qs(const std::string& s) { return QString::fromStdString(s); }

void addItems(QMenu* menu, const UserTagGroup& group, std::string_view prefix, const UserTagWidgets::Click& click)
{
    for (const UserTagItem& tag : group.tags) {
        if (tag.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(qs(tag.caption));
        item->setObjectName(qs(tag.menuItemName(prefix)));
        QObject::connect(item, &QAction::triggered, item, [click, item] { click(item); });
    }
}

// A page with one tool bar of captioned buttons along its bottom, indented a little.
QWidget* addPage(QTabWidget* pages, const UserTagGroup& group, const UserTagWidgets::Click& click)
{
    auto* page = new QWidget(pages);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 2, 0, 0);
    auto* bar = new QToolBar(page);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setContentsMargins(5, 0, 0, 0);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont font = bar->font();
    font.setPointSize(CaptionPointSize);
    bar->setFont(font);
    layout->addStretch(1);
    layout->addWidget(bar);
    for (const UserTagItem& tag : group.tags) {
        auto* button = new QToolButton(bar);
        button->setObjectName(qs(tag.buttonName()));
        button->setText(qs(tag.caption));
        button->setAccessibleName(qs(tag.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedHeight(ButtonHeight);
        QObject::connect(button, &QToolButton::clicked, button, [click, button] { click(button); });
        bar->addWidget(button);
    }
    pages->addTab(page, qs(group.caption));
    return page;
}

} // namespace

void UserTagWidgets::remove(QTabWidget* pages)
{
    for (const QPointer<QMenu>& menu : menus_)
        delete menu.data(); // its item in the parent menu goes with it
    for (const QPointer<QWidget>& page : pages_) {
        if (!page)
            continue;
        pages->removeTab(pages->indexOf(page));
        delete page.data();
    }
    menus_.clear();
    pages_.clear();
}

void UserTagWidgets::rebuild(const std::vector<UserTagGroup>& groups, QMenu* mainMenu, QMenu* popMenu,
                             QTabWidget* pages, const Click& click)
{
    remove(pages);
    for (const UserTagGroup& group : groups) {
        QMenu* mainItem = mainMenu->addMenu(qs(group.caption));
        QMenu* popItem = popMenu->addMenu(qs(group.caption));
        addItems(mainItem, group, "UserMn", click);
        addItems(popItem, group, "UserPm", click);
        menus_.push_back(mainItem);
        menus_.push_back(popItem);
        pages_.push_back(addPage(pages, group, click));
    }
}

} // namespace orvanel::catalogue
