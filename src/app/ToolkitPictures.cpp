#include "app/ToolkitPictures.h"

#include "catalogue/PictureIcon.h"

#include <QGuiApplication>
#include <QWidget>

#include <utility>
#include <vector>

namespace orvanel {

QIcon toolkitPicture(const char* name, std::initializer_list<int> sides)
{
    std::vector<std::pair<QString, int>> pictures;
    for (int side : sides)
        pictures.emplace_back(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(name)).arg(side),
            side);
    return catalogue::pictureIcon(std::move(pictures));
}

QIcon ToolkitPictureStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* option,
                                        const QWidget* widget) const
{
    const bool rightToLeft = widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
    if (pixmap == SP_ToolBarHorizontalExtensionButton && !rightToLeft)
        return toolkitPicture("toolbar-ext-h", {8, 16, 32});
    if (pixmap == SP_ToolBarVerticalExtensionButton)
        return toolkitPicture("toolbar-ext-v", {5, 10, 20});
    return QProxyStyle::standardIcon(pixmap, option, widget);
}

} // namespace orvanel
