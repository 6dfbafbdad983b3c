#pragma once
// The toolkit's own pictures, decoded when first drawn. The style's standard icons are the same
// pictures, but asking the style for one searches the desktop's icon theme first, decodes every
// size at once and, to learn their format, loads every image plugin (and with the SVG plugin
// the SVG library): for the palette's toolbars, a tenth of its start-up work and 0.4 MiB.

#include <QIcon>
#include <QProxyStyle>

#include <initializer_list>

namespace orvanel {

// ":/qt-project.org/styles/commonstyle/images/<name>-<side>.png" for each side.
QIcon toolkitPicture(const char* name, std::initializer_list<int> sides);

// The application's style, with the extension arrow every toolbar makes for itself taken from
// toolkitPicture; all else is the style's own.
class ToolkitPictureStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const override;
};

} // namespace orvanel
