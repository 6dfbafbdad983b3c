#pragma once
// The turn of the program's event loop that long operations take at fixed points, so that
// the palette stays responsive while it waits for another program.

namespace orvanel {

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // One turn: every pending event is dispatched, then it returns.
    virtual void pump() = 0;
};

} // namespace orvanel
