#pragma once
// The project manager window as the palette opens, snaps and closes it. Its views (the
// site tree, the link lists, the file browser) come with the project manager itself; this
// window carries what the palette relies on: the check mark of MenuToolPrjMngr, the
// state it leaves when the user closes it, its size in the settings, and snapping.

#include "options/Settings.h"

#include <QWidget>

class QAction;

namespace orvanel {

class TPrjMngr : public QWidget {
    Q_OBJECT
public:
    // Checks `menuItem` (MenuToolPrjMngr) and takes its size from the settings.
    TPrjMngr(QWidget* palette, QAction* menuItem, Settings& settings);

    // Places the window under the palette as the Snap setting says: 1 left edges aligned,
    // 2 right edges aligned, 0 where it is.
    void Snap();

protected:
    // Closing (by its own close box or by the palette): the menu item loses its check,
    // the size is kept in the settings and the state becomes 2, so that the palette
    // disposes of the window.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* palette_;
    QAction* menuItem_;
    Settings& settings_;
};

} // namespace orvanel
