// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include "platform/Diagnostics.h"

#include "platform/x11/X11KeyDelivery.h"

#include "platform/x11/X11Windows.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <optional>

namespace orvanel::x11 {
namespace {

Window win(WindowHandle h) { return static_cast<Window>(h); }

const Stroke CopyKey{XK_Insert, ControlMask};
const Stroke PasteKey{XK_Insert, ShiftMask};
const Stroke LeftKey{XK_Left, 0};

// The strokes that type `ascii` on this keyboard: each character's key at level 0, or at
// level 1 with Shift; nullopt when a character has no such key.
std::optional<std::vector<Stroke>> strokesFor(X11Connection& c, const std::string& ascii)
{
    std::vector<Stroke> strokes;
    for (const char ch : ascii) {
        // The keysyms of printable ASCII are the characters' codes.
        const auto sym = static_cast<KeySym>(static_cast<unsigned char>(ch));
        const KeyCode k = XKeysymToKeycode(c.display(), sym);
        if (k == 0)
            return std::nullopt;
        if (XkbKeycodeToKeysym(c.display(), k, 0, 0) == sym)
            strokes.push_back({sym, 0});
        else if (XkbKeycodeToKeysym(c.display(), k, 0, 1) == sym)
            strokes.push_back({sym, ShiftMask});
        else
            return std::nullopt;
    }
    if (!haveKeyCodes(c, strokes))
        return std::nullopt;
    return strokes;
}

// Whether the keyboard types other characters than the keys' first group gives: another group
// (layout) is in use, or Caps Lock or another modifier is locked or latched.
bool keyboardShifted(X11Connection& c)
{
    XkbStateRec state{};
    if (XkbGetState(c.display(), XkbUseCoreKbd, &state) != Success)
        return true;
    return state.group != 0 || (state.locked_mods & ~Mod2Mask) != 0 || state.latched_mods != 0;
}

} // namespace

X11KeyDelivery::X11KeyDelivery(X11Connection& c, X11Events& events, X11SelectionWatch& watch,
                               X11Clipboard& clipboard, const Waits& waits)
    : c_(c), events_(events), watch_(watch), clipboard_(clipboard), waits_(waits)
{
    events_.addHandler([this](const XEvent& e) {
        if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(const_cast<XMappingEvent*>(&e.xmapping));
            forgetModifierMapping();
            return false;
        }
        if (e.type == DestroyNotify) {
            const Window w = e.xdestroywindow.window;
            if (watched_ != 0 && w == watched_)
                targetGone_ = true;
            // A window id is given out again once its client has gone: what was learnt of the
            // window goes with it.
            if (targets_.erase(w))
                events_.removeEventMask(w, StructureNotifyMask);
            pinged_.erase(w);
        }
        // Answers to our pings come back to the root window.
        if (e.type != ClientMessage || e.xclient.window != c_.root() ||
            e.xclient.message_type != c_.atoms().wmProtocols ||
            static_cast<Atom>(e.xclient.data.l[0]) != c_.atoms().netWmPing)
            return false;
        if (e.xclient.data.l[1] == pingStamp_)
            pongSeen_ = true;
        // Any answer, also a late one, shows the process answers pings.
        if (auto it = pinged_.find(static_cast<Window>(e.xclient.data.l[2])); it != pinged_.end()) {
            answered_.insert(it->second);
            pongless_.erase(it->second);
        }
        return true;
    });
}

X11KeyDelivery::TargetWatch::TargetWatch(X11KeyDelivery& d, Window w) : d_(d), w_(w)
{
    d_.watched_ = w;
    d_.targetGone_ = false;
    d_.events_.addEventMask(w, StructureNotifyMask);
}

X11KeyDelivery::TargetWatch::~TargetWatch()
{
    d_.events_.removeEventMask(w_, StructureNotifyMask);
    d_.watched_ = 0;
}

bool X11KeyDelivery::send(Window w, InsertMethod m, const std::vector<Stroke>& strokes, Time time,
                          const BeforeKeys& before)
{
    if (targetGone_)
        return false;
    return m == InsertMethod::Messages ? sendKeysTo(c_, w, strokes, time, before) : typeInto(c_, w, strokes, before);
}

X11KeyDelivery::Target X11KeyDelivery::targetInfo(Window w)
{
    if (auto it = targets_.find(w); it != targets_.end())
        return it->second;
    // Remembered while the window lives: its destruction, which the selection below reports,
    // forgets it. A window already gone when the selection was made is not remembered.
    events_.addEventMask(w, StructureNotifyMask);
    const Target t{windowPid(c_, w), supportsPing(c_, w)};
    if (windowExists(c_, w))
        targets_.emplace(w, t);
    else
        events_.removeEventMask(w, StructureNotifyMask);
    return t;
}

bool X11KeyDelivery::answersPings(Window w)
{
    const Target t = targetInfo(w);
    return t.listsPing && pongless_.count(t.pid) == 0;
}

bool X11KeyDelivery::copiedLate(Window w, ProcessId pid)
{
    if (w != copied_ || pid == 0)
        return false;
    for (const auto& change : watch_.changesSince(copySeq_))
        if (change.selection == c_.atoms().clipboard && change.owner != None &&
            change.owner != c_.helperWindow() && watch_.ownerPid(change.owner) == pid)
            return true;
    return false;
}

bool X11KeyDelivery::ownedByProcess(Atom selection, ProcessId pid)
{
    const Window owner = XGetSelectionOwner(c_.display(), selection);
    return pid != 0 && owner != None && c_.clientPid(owner) == pid;
}

Fetch X11KeyDelivery::fetchSelection(WindowHandle target, WindowHandle, InsertMethod m)
{
    const Window w = win(target);
    if (!haveKeyCodes(c_, {CopyKey}))
        return Fetch::Failed;
    events_.dispatchPending();
    TargetWatch watch(*this, w);
    const ProcessId pid = targetInfo(w).pid;
    const bool pings = answersPings(w);
    // Only for editors that answer no pings: GTK ones own PRIMARY exactly while they have a
    // selection (Qt ones may have one without owning PRIMARY, and keep it after it has gone).
    const bool ownsPrimary = !pings && (pid == 0 || ownedByProcess(c_.atoms().primary, pid));
    const unsigned long since = watch_.lastSeq();
    copied_ = 0;

    // A copy, never a cut: the paste replaces the selection anyway, and a fetch that fails
    // then loses nothing. The keys carry the time we took the clipboard at: an editor that
    // takes it with the time of the key (Qt ones) is then not refused for an older one.
    if (!send(w, m, {CopyKey}, clipboard_.ownedSince()))
        return Fetch::TargetLost;
    XFlush(c_.display());

    // The copy shows as the target's process taking the clipboard. Another program taking it
    // meanwhile (a clipboard manager after the target, or one that takes it on its own) does
    // not count; when it came first, the target's copy may have been refused for its older
    // time, so that no change of the target's is no sign of nothing selected.
    bool otherTook = false;
    auto targetTookClipboard = [&]() -> X11Events::Ending {
        if (targetGone_)
            return "the target was destroyed";
        for (const auto& change : watch_.changesSince(since)) {
            if (change.selection != c_.atoms().clipboard || change.owner == None ||
                change.owner == c_.helperWindow())
                continue;
            const ProcessId owner = watch_.ownerPid(change.owner);
            if (owner == pid)
                return "the target took the clipboard";
            if (owner != 0 && !otherTook) { // a process we can tell apart from the target
                qCDebug(lcX11) << "the clipboard was taken by process" << owner << "during the copy";
                otherTook = true;
            }
        }
        return nullptr;
    };
    // Nothing selected, as far as the target has shown: a copy that comes later still is
    // watched for until the paste (see copiedLate).
    auto nothingSelected = [&] {
        copied_ = w;
        copySeq_ = since;
        return Fetch::NothingSelected;
    };
    auto outcome = [&](X11Events::Ending ending) {
        if (targetGone_)
            return Fetch::TargetLost;
        if (ending && targetTookClipboard())
            return Fetch::Taken;
        if (otherTook)
            return Fetch::Interfered;
        return ending ? nothingSelected() : Fetch::TimedOut;
    };
    // Once the target's event loop has gone round twice after the keys, it has handled them,
    // and with them any copy: a new owner that has not shown by then is not coming.
    if (pings)
        return outcome(waitTurns("the copy of the selection (two turns of the target's event loop)", w, pid, 2,
                                 targetTookClipboard, waits_.selectionTaken));
    // An editor that does not answer pings: GTK ones own PRIMARY exactly while they have a
    // selection, so without it nothing is selected; with it, a bounded wait.
    if (!ownsPrimary)
        return nothingSelected();
    const X11Events::Ending ending =
        events_.waitFor("the copy of the selection (an editor that answers no pings)", targetTookClipboard,
                        waits_.withoutPing);
    return targetGone_ ? Fetch::TargetLost : ending ? Fetch::Taken : otherTook ? Fetch::Interfered : Fetch::TimedOut;
}

Paste X11KeyDelivery::paste(WindowHandle target, WindowHandle, InsertMethod m)
{
    const Window w = win(target);
    if (!haveKeyCodes(c_, {PasteKey}))
        return Paste::Failed;
    events_.dispatchPending();
    TargetWatch watch(*this, w);
    const ProcessId pid = targetInfo(w).pid;
    const bool hadPrimary = !keepsPrimary_[pid] && ownedByProcess(c_.atoms().primary, pid);
    const unsigned long since = watch_.lastSeq();
    const unsigned long served = clipboard_.servedTo(pid);

    // A target that copied its selection after the copy was taken for nothing selected (it was
    // slow to handle the keys) has a selection after all: pasting over it would lose it.
    if (copiedLate(w, pid))
        return Paste::LateCopy;
    // Our text is the clipboard's when the keys go out, and stays it while the target fetches
    // it: another program taking the clipboard meanwhile is answered by taking it back. The
    // target itself copying late is left the clipboard, so that it pastes its own selection.
    struct Hold {
        X11Clipboard& c;
        Hold(X11Clipboard& c, ProcessId target) : c(c) { c.hold(target); }
        ~Hold() { c.release(); }
    } hold(clipboard_, pid);
    bool owned = true;
    bool late = false;
    const bool sent = send(w, m, {PasteKey}, CurrentTime, [&] {
        events_.dispatchPending();
        late = copiedLate(w, pid);
        return !late && (owned = clipboard_.ownAgain());
    });
    if (late)
        return Paste::LateCopy;
    if (!sent)
        return owned ? Paste::TargetLost : Paste::Interfered;
    XFlush(c_.display());
    auto servedOrGone = [&]() -> X11Events::Ending {
        if (targetGone_)
            return "the target was destroyed";
        return pid != 0 && clipboard_.servedTo(pid) > served ? "the text was served to the target" : nullptr;
    };
    X11Events::Ending fetched = events_.waitFor(
        "the target to fetch the pasted text",
        [&]() -> X11Events::Ending {
            if (const X11Events::Ending e = servedOrGone())
                return e;
            if (clipboard_.takenByYielded())
                return "the target copied its selection late";
            return clipboard_.takenMeanwhile() ? "another program took the clipboard" : nullptr;
        },
        waits_.pasteTaken);
    if (clipboard_.takenByYielded() && !targetGone_ && !(pid != 0 && clipboard_.servedTo(pid) > served))
        return Paste::LateCopy;
    if (fetched && !servedOrGone()) {
        // The target asks for the text in the turns of its event loop after the keys (the
        // types first, then the text): once they have gone by without its asking us, it asked
        // the other program or not at all.
        fetched = answersPings(w)
            ? waitTurns("the target to fetch the pasted text after another program took the clipboard", w, pid,
                        waits_.pasteTurns, servedOrGone, waits_.pasteTaken)
            : events_.waitFor("the target to fetch the pasted text after another program took the clipboard",
                              servedOrGone, waits_.pasteTaken);
        if (!targetGone_ && !(pid != 0 && clipboard_.servedTo(pid) > served))
            return Paste::Interfered;
    }
    if (targetGone_)
        return Paste::TargetLost;
    if (!fetched)
        return Paste::TimedOut;
    if (m != InsertMethod::Emulation)
        return Paste::Taken;

    // Editors that paste after the transfer (GTK 4) take the text in a few turns of their
    // event loop: let it go round before the caret keys. Their reads go in pieces of 8 KB,
    // a turn or two each. The turns do not bound a GTK 4 paste, though: it ends outside the
    // loop that answers the pings, and on a loaded machine the caret keys can still come
    // first (the text is pasted whole, the caret lands a few characters off).
    const int turns = waits_.pasteTurns + static_cast<int>(clipboard_.ownText().size() / 4096);
    waitTurns("the target to paste the fetched text", w, pid, turns, nullptr, waits_.pasteTaken);
    if (targetGone_)
        return Paste::TargetLost;
    // With a selection, they release PRIMARY when the pasted text has replaced it: the sign
    // to wait for. Editors that keep PRIMARY are remembered, so that only their first paste
    // waits.
    if (!hadPrimary || keepsPrimary_[pid])
        return Paste::Taken;
    auto primaryReleased = [&]() -> X11Events::Ending {
        for (const auto& change : watch_.changesSince(since))
            if (change.selection == c_.atoms().primary)
                return "PRIMARY changed hands";
        return targetGone_ ? "the target was destroyed" : nullptr;
    };
    if (!events_.waitFor("the pasted text to replace the selection", primaryReleased, waits_.selectionReplaced))
        keepsPrimary_[pid] = true;
    return targetGone_ ? Paste::TargetLost : Paste::Taken;
}

bool X11KeyDelivery::startPing(Window target, ProcessId pid)
{
    pongSeen_ = false;
    if (!answersPings(target))
        return false;
    pinged_[target] = pid;
    sendPing(c_, target, ++pingStamp_);
    return true;
}

X11Events::Ending X11KeyDelivery::waitTurns(const char* what, Window target, ProcessId pid, int turns,
                                            const std::function<X11Events::Ending()>& enough,
                                            std::chrono::milliseconds limit)
{
    if (!startPing(target, pid))
        return nullptr;
    // A toolkit answers a ping as it reads it, before it handles the events read with it;
    // the answer to the next ping, read in a later turn, comes after those were handled.
    int answered = 0;
    const X11Events::Ending ending = events_.waitFor(
        what,
        [&]() -> X11Events::Ending {
            if (targetGone_)
                return "the target was destroyed";
            if (enough)
                if (const X11Events::Ending e = enough())
                    return e;
            if (!pongSeen_)
                return nullptr;
            if (++answered >= turns)
                return "the target answered its pings";
            startPing(target, pid);
            return nullptr;
        },
        limit);
    if (!ending && answered == 0 && answered_.count(pid) == 0)
        pongless_.insert(pid);
    return ending;
}

KeysSent X11KeyDelivery::caretLeft(WindowHandle target, WindowHandle, InsertMethod m, int count)
{
    const Window w = win(target);
    if (count <= 0)
        return KeysSent::Sent;
    if (!haveKeyCodes(c_, {LeftKey}))
        return KeysSent::Failed;
    TargetWatch watch(*this, w);
    if (!send(w, m, std::vector<Stroke>(static_cast<std::size_t>(count), LeftKey)))
        return KeysSent::TargetLost;
    XFlush(c_.display());
    // Handled before the caller goes on (to the activation of another window, say).
    if (!waitTurns("the target to handle the caret keys", w, targetInfo(w).pid, 2, nullptr, waits_.keysProcessed))
        c_.sync();
    return targetGone_ ? KeysSent::TargetLost : KeysSent::Sent;
}

KeysSent X11KeyDelivery::typeText(WindowHandle target, WindowHandle, InsertMethod m, const std::string& ascii)
{
    const Window w = win(target);
    if (ascii.empty())
        return KeysSent::Sent;
    const auto strokes = strokesFor(c_, ascii);
    if (!strokes)
        return KeysSent::Failed;
    events_.dispatchPending();
    TargetWatch watch(*this, w);
    const ProcessId pid = targetInfo(w).pid;
    // A target that copied its selection late has one after all: the keys would replace it.
    // So may one whose process owns PRIMARY: an editor that was stopped or busy when the copy
    // keys came reads them together with the pings sent after them, and Qt ones answer those
    // pings before they handle the keys, so that their copy shows only after the fetch took
    // it for nothing selected. A paste is safe there (the editor, having copied first, pastes
    // its own selection), typed keys are not. GTK editors own PRIMARY exactly while they have
    // a selection, so they still get the keys when nothing is selected.
    // Typed keys are read with the keyboard's locked modifiers and group: with Caps Lock or
    // another layout they would type other characters. (Num Lock, Mod2, leaves them alone.)
    bool refused = false;
    const bool sent = send(w, m, *strokes, CurrentTime, [&] {
        events_.dispatchPending();
        refused = copiedLate(w, pid) || ownedByProcess(c_.atoms().primary, pid) ||
                  (m == InsertMethod::Emulation && keyboardShifted(c_));
        return !refused;
    });
    if (refused)
        return KeysSent::Failed;
    if (!sent)
        return KeysSent::TargetLost;
    XFlush(c_.display());
    if (!waitTurns("the target to handle the typed keys", w, pid, 2, nullptr, waits_.keysProcessed))
        c_.sync();
    return targetGone_ ? KeysSent::TargetLost : KeysSent::Sent;
}

} // namespace orvanel::x11
