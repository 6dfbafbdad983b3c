// Pictures of every attribute panel as an X server draws it, taken with ImageMagick's
// "import" from the dialog's window. Driven by tests/e2e/test_tagdialog_screens.py, which runs
// this under Xvfb with ORVANEL_SCREENSHOT_DIR set and checks the pictures; skipped otherwise.

#include "tagdialog/TTagDialogForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

using namespace orvanel;

namespace {

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(TagDialogScreens, EveryPanelAsTheXServerDrawsIt)
{
    const QString dir = QString::fromLocal8Bit(qgetenv("ORVANEL_SCREENSHOT_DIR"));
    if (dir.isEmpty() || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X server and ORVANEL_SCREENSHOT_DIR";
    QDir().mkpath(dir);
    TTagDialogForm dialog;
    for (const auto& panel : dialog.model().panels()) {
        const QString name = QString::fromStdString(panel->name());
        ASSERT_TRUE(dialog.ShowPanel(panel->name()));
        dialog.show();
        pump(400);
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        const int rc = QProcess::execute(QStringLiteral("import"),
                                         {QStringLiteral("-window"), QString::number(dialog.winId()), file});
        EXPECT_EQ(rc, 0) << name.toStdString();
        const QImage picture(file);
        EXPECT_EQ(picture.size(), dialog.size()) << name.toStdString();
        dialog.hide();
        pump(50);
    }
}
