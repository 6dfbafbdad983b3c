// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/Diagnostics.h"
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

X11Events::Ending X11Events::waitFor(const char* what, const std::function<Ending()>& ended,
                                     std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto deadline = start + limit;
    Ending ending = nullptr;
    for (;;) {
        dispatchPending();
        if ((ending = ended()))
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        dispatchPending();
        if ((ending = ended()))
            break;
        // Sleep until our connection has something, briefly, so that the palette's own
        // events (on the toolkit's connection) are still handled promptly.
        if (XEventsQueued(c_.display(), QueuedAlready) == 0) {
            pollfd p{c_.fd(), POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long>(left.count(), 2)));
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    qCDebug(lcX11).noquote() << QStringLiteral("wait for %1: %2 after %3 ms")
                                    .arg(QString::fromUtf8(what),
                                         ending ? QString::fromUtf8(ending)
                                                : QStringLiteral("limit of %1 ms reached").arg(limit.count()),
                                         QString::number(ms, 'f', 1));
    return ending;
}

long X11Events::Selection::mask() const
{
    long m = 0;
    for (std::size_t bit = 0; bit < uses.size(); ++bit)
        if (uses[bit] > 0)
            m |= 1L << bit;
    return m;
}

void X11Events::addEventMask(Window w, long mask)
{
    auto it = selections_.find(w);
    if (it == selections_.end())
        it = selections_.emplace(w, Selection{}).first;
    for (std::size_t bit = 0; bit < it->second.uses.size(); ++bit)
        if (mask & (1L << bit))
            ++it->second.uses[bit];
    // A window that is gone answers with an error, which is recorded and ignored.
    XSelectInput(c_.display(), w, it->second.mask());
}

void X11Events::removeEventMask(Window w, long mask)
{
    auto it = selections_.find(w);
    if (it == selections_.end())
        return;
    for (std::size_t bit = 0; bit < it->second.uses.size(); ++bit)
        if ((mask & (1L << bit)) && it->second.uses[bit] > 0)
            --it->second.uses[bit];
    // The window may be gone already: the error is recorded and ignored.
    XSelectInput(c_.display(), w, it->second.mask());
    if (it->second.mask() == 0)
        selections_.erase(it);
}

} // namespace orvanel::x11
