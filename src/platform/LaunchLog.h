#pragma once
// The logging category of the launchers' side of the operating system, "orvanel.launch": one
// line per program started (or why it was not), per wait for a started program's window and
// per file handed to the desktop. Off by default; QT_LOGGING_RULES="orvanel.*=true" turns it
// on.

#include <QLoggingCategory>

namespace orvanel {

Q_DECLARE_LOGGING_CATEGORY(lcLaunch)

} // namespace orvanel
