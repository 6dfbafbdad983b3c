#include "platform/Diagnostics.h"

namespace orvanel {

// Debug lines only: off unless the rules turn them on.
Q_LOGGING_CATEGORY(lcInsert, "orvanel.insert", QtInfoMsg)
Q_LOGGING_CATEGORY(lcX11, "orvanel.x11", QtInfoMsg)

std::function<void(const std::string&)> insertLog()
{
    return [](const std::string& line) { qCDebug(lcInsert).noquote() << QString::fromStdString(line); };
}

} // namespace orvanel
