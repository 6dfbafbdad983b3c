#pragma once
// The message box of the program (caption "ORVANEL", one OK button) and the guard that every
// handler of a window runs its work in: an error that would leave the handler becomes its
// message box there, and the handler returns, so no exception crosses a Qt signal, slot or
// event handler.

#include <QString>

#include <exception>
#include <string>
#include <utility>

class QWidget;

namespace orvanel {

constexpr const char* ApplicationTitle = "ORVANEL";

// Shows `text` and returns when the user has closed the box.
void ShowMessage(const QString& text, QWidget* parent = nullptr);
void ShowMessage(const std::string& text, QWidget* parent = nullptr);
// Shows the text of an error: a UserError's own message, or a general one for anything else.
void ShowError(const std::exception& error, QWidget* parent = nullptr);
// Shows the general message for an error that is not an exception of the library.
void ShowUnknownError(QWidget* parent);

// Runs the body of a handler; an error escaping it is shown in its message box (over
// `parent`). Returns whether the body ran to its end.
template <typename Body>
bool Guarded(QWidget* parent, Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& error) {
        ShowError(error, parent);
    } catch (...) {
        ShowUnknownError(parent);
    }
    return false;
}

} // namespace orvanel
