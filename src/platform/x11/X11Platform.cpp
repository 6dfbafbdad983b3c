// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/x11/X11Platform.h"

#include <X11/keysym.h>


#include <poll.h>
#include <unistd.h>

#include "platform/x11/InstanceLockFile.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Windows.h"

namespace orvanel {

std::unique_ptr<Platform> createPlatform() { return std::make_unique<x11::X11Platform>(); }

namespace x11 {
namespace {

Window win(WindowHandle h) { return static_cast<Window>(h); }

ProcessId ownPid() { return static_cast<ProcessId>(getpid()); }

} // namespace

X11Platform::X11Platform() : clipboard_(conn_), watch_(conn_), hotKey_(conn_)
{
    notifier_ = std::make_unique<QSocketNotifier>(conn_.fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { dispatchPending(); });
    // A round trip may leave events in Xlib's queue without making the socket readable:
    // handle them before the event loop goes to sleep.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                         notifier_.get(), [this] { dispatchPending(); });
    conn_.sync();
}

// The notifier goes first: its connections end with it.
X11Platform::~X11Platform() { notifier_.reset(); }

Platform::LockResult X11Platform::acquireInstanceLock(const std::string& name,
                                                      std::unique_ptr<InstanceLock>& held)
{
    return acquireInstanceLockFile(name, held);
}

void X11Platform::dispatchPending()
{
    Display* dpy = conn_.display();
    while (XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        dispatch(e);
    }
}

void X11Platform::dispatch(const XEvent& e)
{
    if (watch_.handle(e) || clipboard_.handle(e))
        return;
    if (hotKey_.handle(e)) {
        // The handler runs from the Qt event loop, never inside one of our waits' dispatch.
        if (hotKeyHandler_)
            QTimer::singleShot(0, notifier_.get(), hotKeyHandler_);
        return;
    }
    if (e.type == ClientMessage && e.xclient.window == conn_.root() &&
        e.xclient.message_type == conn_.atoms().wmProtocols &&
        static_cast<Atom>(e.xclient.data.l[0]) == conn_.atoms().netWmPing &&
        static_cast<Time>(e.xclient.data.l[1]) == pingStamp_)
        pongSeen_ = true;
}

void X11Platform::pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    dispatchPending();
}

bool X11Platform::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
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
        if (XEventsQueued(conn_.display(), QueuedAlready) == 0) {
            pollfd p{conn_.fd(), POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long>(left.count(), 2)));
        }
    }
}

// ---- top-level windows

std::vector<WindowHandle> X11Platform::stackingTopDown()
{
    auto list = x11::stackingTopDown(conn_);
    return {list.begin(), list.end()};
}

bool X11Platform::windowExists(WindowHandle w) { return x11::windowExists(conn_, win(w)); }

bool X11Platform::isWindowVisible(WindowHandle w)
{
    return isViewable(conn_, win(w)) && !isHidden(conn_, win(w));
}

bool X11Platform::isOwnWindow(WindowHandle w)
{
    return windowPid(conn_, win(w)) == ownPid() || conn_.clientPid(win(w)) == ownPid();
}

std::string X11Platform::windowTitle(WindowHandle w) { return x11::windowTitle(conn_, win(w)); }

ProcessId X11Platform::windowProcess(WindowHandle w)
{
    return w ? windowPid(conn_, win(w)) : 0;
}

// X11 clients route the keys to their own focused widget: the top-level is the control.
WindowHandle X11Platform::focusedControl(WindowHandle w) { return w; }

WindowHandle X11Platform::activeWindow() { return x11::activeWindow(conn_); }

bool X11Platform::activateWindow(WindowHandle handle)
{
    Window w = win(handle);
    if (!x11::windowExists(conn_, w))
        return false;
    auto active = [&] {
        return x11::activeWindow(conn_) == w && isInside(conn_, inputFocus(conn_), w);
    };
    if (active())
        return true;
    requestActivation(conn_, w, conn_.serverTime());
    return waitFor(active, waits_.activation);
}

void X11Platform::activateOwnWindow()
{
    for (Window w : x11::stackingTopDown(conn_)) {
        if (windowPid(conn_, w) == ownPid() && isViewable(conn_, w)) {
            if (x11::activeWindow(conn_) != w) {
                requestActivation(conn_, w, conn_.serverTime());
                // The palette does not take the keyboard focus: wait for the activation only.
                waitFor([&] { return x11::activeWindow(conn_) == w; }, waits_.activation);
            }
            return;
        }
    }
}

// ---- clipboard

bool X11Platform::setClipboardText(const std::string& utf8)
{
    dispatchPending();
    return clipboard_.own(utf8);
}

std::string X11Platform::clipboardText()
{
    dispatchPending();
    if (clipboard_.owned())
        return clipboard_.ownText();
    if (XGetSelectionOwner(conn_.display(), conn_.atoms().clipboard) == None)
        return {};
    clipboard_.beginRead();
    waitFor([&] { return clipboard_.readState() != X11Clipboard::ReadState::Waiting; },
            waits_.clipboardRead);
    bool ok = clipboard_.readState() == X11Clipboard::ReadState::Done;
    std::string text = clipboard_.takeReadText();
    return ok ? text : std::string();
}

bool X11Platform::ownedByProcess(Atom selection, ProcessId pid)
{
    Window owner = XGetSelectionOwner(conn_.display(), selection);
    return pid != 0 && owner != None && conn_.clientPid(owner) == pid;
}

// ---- putting text into the target

void X11Platform::fetchSelection(WindowHandle target, WindowHandle, InsertMethod m)
{
    Window w = win(target);
    if (!w || (m != InsertMethod::Messages && m != InsertMethod::Emulation))
        return;
    dispatchPending();
    const ProcessId pid = windowPid(conn_, w);
    // Only for editors that answer no pings: GTK ones own PRIMARY exactly while they have a
    // selection (Qt ones may have one without owning PRIMARY, and keep it after it has gone).
    const bool ownsPrimary = pid == 0 || ownedByProcess(conn_.atoms().primary, pid);
    const unsigned long since = watch_.lastSeq();

    if (m == InsertMethod::Messages) {
        sendKeyTo(conn_, w, XK_Delete, ShiftMask);
    } else {
        releaseHeldModifiers(conn_);
        fakeChord(conn_, XK_Control_L, XK_Insert);
    }
    std::map<Window, ProcessId> owners;
    auto targetTookClipboard = [&] {
        for (const auto& change : watch_.changesSince(since)) {
            if (change.selection != conn_.atoms().clipboard || change.owner == None ||
                change.owner == conn_.helperWindow())
                continue;
            if (pid == 0)
                return true;
            auto it = owners.find(change.owner);
            if (it == owners.end())
                it = owners.emplace(change.owner, conn_.clientPid(change.owner)).first;
            if (it->second == pid) // a clipboard manager taking it over does not count
                return true;
        }
        return false;
    };
    // Once the target's event loop has gone round twice after the keys, it has handled them,
    // and with them any cut or copy: a new owner that has not shown by then is not coming.
    if (waitTurns(w, pid, 2, targetTookClipboard, waits_.selectionTaken))
        return;
    // An editor that does not answer pings: GTK ones own PRIMARY exactly while they have a
    // selection; otherwise a bounded wait.
    if (ownsPrimary || pongless_.count(pid) != 0)
        waitFor(targetTookClipboard, waits_.withoutPing);
}

void X11Platform::paste(WindowHandle target, WindowHandle, InsertMethod m)
{
    Window w = win(target);
    if (!w || (m != InsertMethod::Messages && m != InsertMethod::Emulation))
        return;
    dispatchPending();
    const ProcessId pid = windowPid(conn_, w);
    const bool hadPrimary = ownedByProcess(conn_.atoms().primary, pid);
    const unsigned long since = watch_.lastSeq();
    const unsigned long served = clipboard_.servedTo(pid);

    if (m == InsertMethod::Messages) {
        sendKeyTo(conn_, w, XK_Insert, ShiftMask);
    } else {
        releaseHeldModifiers(conn_);
        fakeChord(conn_, XK_Shift_L, XK_Insert);
    }
    XFlush(conn_.display());
    if (pid == 0 || !waitFor([&] { return clipboard_.servedTo(pid) > served; }, waits_.pasteTaken))
        return;

    if (m != InsertMethod::Emulation)
        return;
    // Editors that paste after the transfer (GTK 4) take the text in a few turns of their
    // event loop: let it go round before the caret keys. Their reads go in pieces of 8 KB,
    // a turn or two each.
    const int turns = waits_.pasteTurns + static_cast<int>(clipboard_.ownText().size() / 4096);
    waitTurns(w, pid, turns, nullptr, waits_.pasteTaken);
    // With a selection, they release PRIMARY when the pasted text has replaced it: the sign
    // to wait for. Editors that keep PRIMARY are remembered, so that only their first paste
    // waits.
    if (!hadPrimary || keepsPrimary_[pid])
        return;
    auto primaryReleased = [&] {
        for (const auto& change : watch_.changesSince(since))
            if (change.selection == conn_.atoms().primary)
                return true;
        return false;
    };
    if (!waitFor(primaryReleased, waits_.selectionReplaced))
        keepsPrimary_[pid] = true;
}

bool X11Platform::startPing(Window target, ProcessId pid)
{
    pongSeen_ = false;
    if (pongless_.count(pid) != 0 || !supportsPing(conn_, target))
        return false;
    pingStamp_ = conn_.serverTime();
    sendPing(conn_, target, pingStamp_);
    return true;
}

bool X11Platform::waitTurns(Window target, ProcessId pid, int turns,
                            const std::function<bool()>& enough, std::chrono::milliseconds limit)
{
    if (!startPing(target, pid))
        return false;
    // A toolkit answers a ping as it reads it, before it handles the events read with it;
    // the answer to the next ping, read in a later turn, comes after those were handled.
    int answered = 0;
    const bool done = waitFor(
        [&] {
            if (enough && enough())
                return true;
            if (!pongSeen_)
                return false;
            if (++answered >= turns)
                return true;
            startPing(target, pid);
            return false;
        },
        limit);
    if (!done && answered == 0)
        pongless_.insert(pid);
    return done;
}

void X11Platform::caretLeft(WindowHandle target, WindowHandle, InsertMethod m, int count)
{
    Window w = win(target);
    if (!w || count <= 0 || (m != InsertMethod::Messages && m != InsertMethod::Emulation))
        return;
    if (m == InsertMethod::Messages) {
        for (int i = 0; i < count; ++i)
            sendKeyTo(conn_, w, XK_Left, 0);
    } else {
        releaseHeldModifiers(conn_);
        for (int i = 0; i < count; ++i)
            fakeChord(conn_, NoSymbol, XK_Left);
    }
    XFlush(conn_.display());
    // Handled before the caller goes on (to the activation of another window, say).
    if (!waitTurns(w, windowPid(conn_, w), 2, nullptr, waits_.keysProcessed))
        conn_.sync();
}

// ---- hot key

bool X11Platform::registerHotKey(unsigned modifiers, char letter)
{
    return hotKey_.grab(modifiers, letter);
}

void X11Platform::unregisterHotKey() { hotKey_.ungrab(); }

void X11Platform::setHotKeyHandler(std::function<void()> handler)
{
    hotKeyHandler_ = std::move(handler);
}

} // namespace x11
} // namespace orvanel
