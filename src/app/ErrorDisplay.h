#pragma once
// The application's message display: a plain message box with the application title
// "ORVANEL" as caption and one OK button.

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <string>

class QWidget;

namespace orvanel {

constexpr const char* ApplicationTitle = "ORVANEL";

// Shows `text` and returns when the user has closed the box.
void ShowMessage(const QString& text, QWidget* parent = nullptr);
void ShowMessage(const std::string& text, QWidget* parent = nullptr);
// Shows the text of an error that reached the application: a UserError's own message, or
// a general one for anything else.
void ShowError(const std::exception& error, QWidget* parent = nullptr);

// Runs the delivery of one event; an error escaping it is shown with ShowError and the
// delivery counts as not handled, so the event loop goes on.
bool DeliverShowingErrors(const std::function<bool()>& deliver);

// The application object: every event goes through DeliverShowingErrors.
class OrvanelApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace orvanel
