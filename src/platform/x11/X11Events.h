#pragma once
// The events of our own Xlib connection, driven from the Qt event loop: every part of the
// backend hands its handler in, and the bounded waits run the event loops until the event
// they wait for has been handled.

#include "platform/EventLoop.h"
#include "platform/x11/X11Connection.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace orvanel::x11 {

class X11Events final : public EventLoop {
public:
    explicit X11Events(X11Connection& c);
    ~X11Events() override;

    // A handler returns true when the event was its own; handlers are asked in the order
    // they were added.
    using Handler = std::function<bool(const XEvent&)>;
    void addHandler(Handler handler) { handlers_.push_back(std::move(handler)); }

    // Handles every event that has arrived on our connection.
    void dispatchPending();
    // Runs the event loops until `done` holds or `limit` has passed; returns `done`.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Runs `f` from the Qt event loop, never inside a wait's dispatch.
    void post(std::function<void()> f);

    void pump() override;

private:
    X11Connection& c_;
    std::vector<Handler> handlers_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace orvanel::x11
