#include "app/TMainForm.h"

namespace orvanel {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowTitle("Orvanel Ver.1.30");
    setGeometry(180, 180, 535, 131);
}

} // namespace orvanel
