#include "app/TMainForm.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName("ORVANEL");
    orvanel::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
