// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/x11/X11Events.h"

#include <poll.h>

namespace orvanel::x11 {

X11Events::X11Events(X11Connection& c) : c_(c)
{
    notifier_ = std::make_unique<QSocketNotifier>(c_.fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { dispatchPending(); });
    // A round trip may leave events in Xlib's queue without making the socket readable:
    // handle them before the event loop goes to sleep.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, notifier_.get(),
                         [this] { dispatchPending(); });
}

// The notifier goes first: its connections end with it.
X11Events::~X11Events() { notifier_.reset(); }

void X11Events::dispatchPending()
{
    Display* dpy = c_.display();
    while (XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        for (const Handler& handle : handlers_)
            if (handle(e))
                break;
    }
}

void X11Events::post(std::function<void()> f)
{
    QTimer::singleShot(0, notifier_.get(), std::move(f));
}

void X11Events::pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    dispatchPending();
}

bool X11Events::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    for (;;) {
        dispatchPending();
        if (done())
            return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        dispatchPending();
        if (done())
            return true;
        // Sleep until our connection has something, briefly, so that the palette's own
        // events (on the toolkit's connection) are still handled promptly.
        if (XEventsQueued(c_.display(), QueuedAlready) == 0) {
            pollfd p{c_.fd(), POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long>(left.count(), 2)));
        }
    }
}

} // namespace orvanel::x11
