#pragma once
// An operation that cannot go on raises a UserError; the application's error display
// shows its text (Japanese, as the user reads it) and the event loop goes on.

#include <stdexcept>
#include <string>

namespace orvanel {

class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

// "ファイル %s は開けません" with the full path.
UserError fileOpenError(const std::string& path);
// "%s に書き込めません" with the full path.
UserError fileWriteError(const std::string& path);

} // namespace orvanel
