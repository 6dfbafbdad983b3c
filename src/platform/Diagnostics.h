#pragma once
// The logging categories a user turns on to report an editor that does not take the text:
//   QT_LOGGING_RULES="orvanel.*=true" orvanel
// "orvanel.insert" has one line per step of an insertion and how it ended, "orvanel.x11" one
// line per bounded wait of the X11 backend: what it waited for, the event that ended it or
// that the limit was reached, and the milliseconds. Both are off by default.

#include <QLoggingCategory>

#include <functional>
#include <string>

namespace orvanel {

Q_DECLARE_LOGGING_CATEGORY(lcInsert)
Q_DECLARE_LOGGING_CATEGORY(lcX11)

// A sink for the lines of the insertion (core), written to "orvanel.insert".
std::function<void(const std::string&)> insertLog();

} // namespace orvanel
