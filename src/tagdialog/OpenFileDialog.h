#pragma once
// The program's one open-file dialog shown as the system's file dialog: with the state's
// filters, filter number, folder and title; what the user did there is written back.

#include "tagdialog/OpenDialogState.h"

#include <optional>
#include <string>

class QWidget;

namespace orvanel {

// The chosen file, or nullopt when the user cancelled. On a choice the state takes the
// filter in use and the chosen file's folder, so that the next use starts there.
std::optional<std::string> showOpenDialog(QWidget* parent, OpenDialogState& state);

} // namespace orvanel
