#pragma once
// The events of our own Xlib connection, driven from the Qt event loop: every part of the
// backend hands its handler in, and the bounded waits run the event loops until the event
// they wait for has been handled.

#include "platform/EventLoop.h"
#include "platform/x11/X11Connection.h"

#include <array>
#include <chrono>
#include <functional>
#include <map>
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

    // What ended a wait: the name of the event (a text of the wait's own), or nullptr while
    // it has not come.
    using Ending = const char*;
    // Runs the event loops until `ended` names an event or `limit` has passed, and writes
    // one line to "orvanel.x11": what was waited for, what ended it, how long it took.
    // Returns the ending, nullptr when the limit was reached.
    Ending waitFor(const char* what, const std::function<Ending()>& ended, std::chrono::milliseconds limit);
    // Runs `f` from the Qt event loop, never inside a wait's dispatch.
    void post(std::function<void()> f);

    // Adds event-mask bits to our own selection on another client's window `w`, on top of
    // what the other parts selected there (every selection on such windows goes through
    // here); removeEventMask takes them back once every part that asked has done so.
    void addEventMask(Window w, long mask);
    void removeEventMask(Window w, long mask);

    void pump() override;

private:
    struct Selection {
        std::array<int, 25> uses{}; // per event-mask bit, how many parts asked for it
        long mask() const;
    };

    X11Connection& c_;
    std::vector<Handler> handlers_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<Window, Selection> selections_;
};

} // namespace orvanel::x11
