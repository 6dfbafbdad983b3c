#include "project/TPrjMngr.h"

#include <QAction>
#include <QCloseEvent>

namespace orvanel {

TPrjMngr::TPrjMngr(QWidget* palette, QAction* menuItem, Settings& settings)
    : QWidget(palette, Qt::Tool), palette_(palette), menuItem_(menuItem), settings_(settings)
{
    setObjectName("PrjMngr");
    setWindowTitle(QString::fromUtf8("ﾌﾟﾛｼﾞｪｸﾄﾏﾈｰｼﾞｬｰ"));
    setMinimumSize(220, 195);
    resize(settings_.PrjMngrWidth > 0 ? settings_.PrjMngrWidth : 220,
           settings_.PrjMngrHeight > 0 ? settings_.PrjMngrHeight : 350);
    if (menuItem_)
        menuItem_->setChecked(true);
}

void TPrjMngr::Snap()
{
    const QRect m = palette_->frameGeometry();
    const QRect w = frameGeometry();
    if (settings_.Snap == 1)
        move(m.left(), m.top() + m.height());
    else if (settings_.Snap == 2)
        move(m.left() + m.width() - w.width(), m.top() + m.height());
}

void TPrjMngr::closeEvent(QCloseEvent* event)
{
    if (menuItem_)
        menuItem_->setChecked(false);
    settings_.PrjMngrHeight = height();
    settings_.PrjMngrWidth = width();
    settings_.ProjectManagerState = 2;
    event->accept();
}

} // namespace orvanel
