#pragma once
// The system's file dialog shown from the program's one open-file dialog state: every file
// chooser of the program (the palette's file commands, the reference buttons of the tag
// dialog and of the options dialog) runs it.

#include "tagdialog/OpenDialogState.h"

#include <optional>
#include <string>

class QWidget;

namespace orvanel {

// Shows the dialog modally with the state's filters, filter number, folder and title. When
// the user picks a file, the state takes the filter and folder in use (the next use starts
// there) and the file's absolute path is returned; nullopt when the user cancelled.
std::optional<std::string> showOpenDialog(QWidget* parent, OpenDialogState& state);

} // namespace orvanel
