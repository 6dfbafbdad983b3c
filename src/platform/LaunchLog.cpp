#include "platform/LaunchLog.h"

namespace orvanel {

// Debug lines only: off unless the rules turn them on.
Q_LOGGING_CATEGORY(lcLaunch, "orvanel.launch", QtInfoMsg)

} // namespace orvanel
