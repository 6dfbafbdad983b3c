#pragma once
// The palette window.

#include <QMainWindow>

namespace orvanel {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

} // namespace orvanel
