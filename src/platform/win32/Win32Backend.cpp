#include "platform/win32/Win32Backend.h"

namespace orvanel {

std::unique_ptr<Backend> createBackend() { return std::make_unique<win32::Win32Backend>(); }

} // namespace orvanel
