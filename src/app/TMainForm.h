#pragma once
// The palette window.

#include <QMainWindow>

#include <string>

namespace orvanel {

class Platform;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole creation sequence (tag lists, settings, hot key, menus); throws
    // UserError when a data file cannot be read.
    TMainForm(Platform& platform, std::string exeFolder, QWidget* parent = nullptr);

private:
    Platform& platform_;
    std::string exeFolder_;
};

} // namespace orvanel
