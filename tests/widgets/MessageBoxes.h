#pragma once
// Answers the program's modal message boxes in widget tests: the next box that opens is
// noted and closed with its OK button, so a handler that shows one returns.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTimer>

struct SeenBox {
    QString title, text;
    int buttons = -1;
    bool seen = false;
};

// Waits (on the event loop) for the next modal message box, notes what it shows and presses
// its OK button. `seen` must outlive the box.
inline void answerNextBox(SeenBox& seen)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
        timer->deleteLater();
    });
    timer->start(10);
}
