#pragma once
// The application's message display: a plain message box with the application title
// "ORVANEL" as caption and one OK button.

#include <QString>

#include <exception>
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

} // namespace orvanel
