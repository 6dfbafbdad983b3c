#include "app/TMainForm.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName("ORVANEL");
    auto platform = orvanel::createPlatform();
    orvanel::TMainForm mainForm(*platform, QCoreApplication::applicationDirPath().toStdString() + "/");
    mainForm.show();
    return app.exec();
}
