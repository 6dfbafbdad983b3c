#include "platform/x11/X11Backend.h"

namespace orvanel {

std::unique_ptr<Backend> createBackend() { return std::make_unique<x11::X11Backend>(); }

namespace x11 {

X11Backend::X11Backend()
    : events_(conn_),
      watch_(conn_, events_),
      clipboard_(conn_, events_, watch_, waits_),
      desktop_(conn_, events_, waits_),
      keys_(conn_, events_, watch_, clipboard_, waits_),
      hotKey_(conn_, events_),
      keyboard_(conn_),
      dock_(conn_, events_, waits_),
      programs_(conn_, events_, waits_)
{
    conn_.sync();
}

} // namespace x11
} // namespace orvanel
