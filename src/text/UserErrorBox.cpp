#include "text/UserErrorBox.h"

#include "text/UserError.h"

#include <QMessageBox>

#include <stdexcept>

namespace orvanel {

void ShowMessage(const QString& text, QWidget* parent)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), text, QMessageBox::Ok, parent);
    box.setObjectName("MessageBox");
    box.exec();
}

void ShowMessage(const std::string& text, QWidget* parent)
{
    ShowMessage(QString::fromStdString(text), parent);
}

void ShowError(const std::exception& error, QWidget* parent)
{
    if (dynamic_cast<const UserError*>(&error)) {
        ShowMessage(std::string(error.what()), parent);
        return;
    }
    // Errors of the library (out of memory, a failed conversion) carry English texts.
    ShowMessage(QString::fromUtf8("エラーが発生しました: ") + QString::fromLocal8Bit(error.what()), parent);
}

void ShowUnknownError(QWidget* parent)
{
    ShowError(std::runtime_error("unknown error"), parent);
}

} // namespace orvanel
