#include "app/TMainForm.h"

namespace orvanel {

TMainForm::TMainForm(Platform& platform, std::string exeFolder, QWidget* parent)
    : QMainWindow(parent), platform_(platform), exeFolder_(std::move(exeFolder))
{
    setObjectName("MainForm");
    setWindowTitle("Orvanel Ver.1.30");
    setGeometry(180, 180, 535, 131);
}

} // namespace orvanel
