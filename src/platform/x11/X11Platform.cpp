#include "platform/Platform.h"

namespace orvanel {

std::unique_ptr<Platform> createPlatform()
{
    return nullptr; // the X11 backend is being written
}

} // namespace orvanel
