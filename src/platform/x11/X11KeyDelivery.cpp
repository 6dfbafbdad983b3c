#include "platform/x11/X11KeyDelivery.h"

#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Windows.h"

#include <X11/keysym.h>

namespace orvanel::x11 {
namespace {

Window win(WindowHandle h) { return static_cast<Window>(h); }

} // namespace

X11KeyDelivery::X11KeyDelivery(X11Connection& c, X11Events& events, X11SelectionWatch& watch,
                               X11Clipboard& clipboard, const Waits& waits)
    : c_(c), events_(events), watch_(watch), clipboard_(clipboard), waits_(waits)
{
    // Answers to our pings come back to the root window.
    events_.addHandler([this](const XEvent& e) {
        if (e.type != ClientMessage || e.xclient.window != c_.root() ||
            e.xclient.message_type != c_.atoms().wmProtocols ||
            static_cast<Atom>(e.xclient.data.l[0]) != c_.atoms().netWmPing)
            return false;
        if (static_cast<Time>(e.xclient.data.l[1]) == pingStamp_)
            pongSeen_ = true;
        return true;
    });
}

bool X11KeyDelivery::ownedByProcess(Atom selection, ProcessId pid)
{
    Window owner = XGetSelectionOwner(c_.display(), selection);
    return pid != 0 && owner != None && c_.clientPid(owner) == pid;
}

Fetch X11KeyDelivery::fetchSelection(WindowHandle target, WindowHandle, InsertMethod m)
{
    Window w = win(target);
    if (!w || !windowExists(c_, w))
        return Fetch::TargetLost;
    events_.dispatchPending();
    const ProcessId pid = windowPid(c_, w);
    // Only for editors that answer no pings: GTK ones own PRIMARY exactly while they have a
    // selection (Qt ones may have one without owning PRIMARY, and keep it after it has gone).
    const bool ownsPrimary = pid == 0 || ownedByProcess(c_.atoms().primary, pid);
    const unsigned long since = watch_.lastSeq();

    // A copy, never a cut: the paste replaces the selection anyway, and a fetch that fails
    // then loses nothing.
    if (m == InsertMethod::Messages) {
        sendKeyTo(c_, w, XK_Insert, ControlMask);
    } else {
        releaseHeldModifiers(c_);
        fakeChord(c_, XK_Control_L, XK_Insert);
    }
    std::map<Window, ProcessId> owners;
    auto targetTookClipboard = [&] {
        for (const auto& change : watch_.changesSince(since)) {
            if (change.selection != c_.atoms().clipboard || change.owner == None ||
                change.owner == c_.helperWindow())
                continue;
            if (pid == 0)
                return true;
            auto it = owners.find(change.owner);
            if (it == owners.end())
                it = owners.emplace(change.owner, c_.clientPid(change.owner)).first;
            if (it->second == pid) // a clipboard manager taking it over does not count
                return true;
        }
        return false;
    };
    // Once the target's event loop has gone round twice after the keys, it has handled them,
    // and with them any copy: a new owner that has not shown by then is not coming.
    const bool answersPings = pongless_.count(pid) == 0 && supportsPing(c_, w);
    if (waitTurns(w, pid, 2, targetTookClipboard, waits_.selectionTaken))
        return targetTookClipboard() ? Fetch::Taken : Fetch::NothingSelected;
    if (!windowExists(c_, w))
        return Fetch::TargetLost;
    if (answersPings)
        return Fetch::TimedOut;
    // An editor that does not answer pings: GTK ones own PRIMARY exactly while they have a
    // selection, so without it nothing is selected; otherwise a bounded wait.
    if (!ownsPrimary && pongless_.count(pid) == 0)
        return Fetch::NothingSelected;
    return events_.waitFor(targetTookClipboard, waits_.withoutPing) ? Fetch::Taken : Fetch::TimedOut;
}

Paste X11KeyDelivery::paste(WindowHandle target, WindowHandle, InsertMethod m)
{
    Window w = win(target);
    if (!w || !windowExists(c_, w))
        return Paste::TargetLost;
    events_.dispatchPending();
    const ProcessId pid = windowPid(c_, w);
    const bool hadPrimary = ownedByProcess(c_.atoms().primary, pid);
    const unsigned long since = watch_.lastSeq();
    const unsigned long served = clipboard_.servedTo(pid);

    if (m == InsertMethod::Messages) {
        sendKeyTo(c_, w, XK_Insert, ShiftMask);
    } else {
        releaseHeldModifiers(c_);
        fakeChord(c_, XK_Shift_L, XK_Insert);
    }
    XFlush(c_.display());
    if (pid == 0 || !events_.waitFor([&] { return clipboard_.servedTo(pid) > served; }, waits_.pasteTaken))
        return windowExists(c_, w) ? Paste::TimedOut : Paste::TargetLost;

    if (m != InsertMethod::Emulation)
        return Paste::Taken;
    // Editors that paste after the transfer (GTK 4) take the text in a few turns of their
    // event loop: let it go round before the caret keys. Their reads go in pieces of 8 KB,
    // a turn or two each.
    const int turns = waits_.pasteTurns + static_cast<int>(clipboard_.ownText().size() / 4096);
    waitTurns(w, pid, turns, nullptr, waits_.pasteTaken);
    // With a selection, they release PRIMARY when the pasted text has replaced it: the sign
    // to wait for. Editors that keep PRIMARY are remembered, so that only their first paste
    // waits.
    if (!hadPrimary || keepsPrimary_[pid])
        return Paste::Taken;
    auto primaryReleased = [&] {
        for (const auto& change : watch_.changesSince(since))
            if (change.selection == c_.atoms().primary)
                return true;
        return false;
    };
    if (!events_.waitFor(primaryReleased, waits_.selectionReplaced))
        keepsPrimary_[pid] = true;
    return Paste::Taken;
}

bool X11KeyDelivery::startPing(Window target, ProcessId pid)
{
    pongSeen_ = false;
    if (pongless_.count(pid) != 0 || !supportsPing(c_, target))
        return false;
    pingStamp_ = c_.serverTime();
    sendPing(c_, target, pingStamp_);
    return true;
}

bool X11KeyDelivery::waitTurns(Window target, ProcessId pid, int turns,
                            const std::function<bool()>& enough, std::chrono::milliseconds limit)
{
    if (!startPing(target, pid))
        return false;
    // A toolkit answers a ping as it reads it, before it handles the events read with it;
    // the answer to the next ping, read in a later turn, comes after those were handled.
    int answered = 0;
    const bool done = events_.waitFor(
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

KeysSent X11KeyDelivery::caretLeft(WindowHandle target, WindowHandle, InsertMethod m, int count)
{
    Window w = win(target);
    if (!w || !windowExists(c_, w))
        return KeysSent::TargetLost;
    if (count <= 0)
        return KeysSent::Sent;
    if (m == InsertMethod::Messages) {
        for (int i = 0; i < count; ++i)
            sendKeyTo(c_, w, XK_Left, 0);
    } else {
        releaseHeldModifiers(c_);
        for (int i = 0; i < count; ++i)
            fakeChord(c_, NoSymbol, XK_Left);
    }
    XFlush(c_.display());
    // Handled before the caller goes on (to the activation of another window, say).
    if (!waitTurns(w, windowPid(c_, w), 2, nullptr, waits_.keysProcessed))
        c_.sync();
    return KeysSent::Sent;
}

} // namespace orvanel::x11
