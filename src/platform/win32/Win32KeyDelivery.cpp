#include "platform/win32/Win32KeyDelivery.h"

#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"

#include <algorithm>

namespace orvanel::win32 {
namespace {

const char* nameOf(Answer a)
{
    switch (a) {
    case Answer::Handled: return "handled";
    case Answer::TimedOut: return "timed out";
    case Answer::Refused: return "refused";
    case Answer::Gone: return "gone";
    }
    return "?";
}

bool exists(HWND w) { return w && ::IsWindow(w); }

} // namespace

Win32KeyDelivery::Focus Win32KeyDelivery::focusOf(HWND target) const
{
    HWND control = threadFocusInside(target);
    return {control, selectionOf(control, waits_.messageAnswer)};
}

Win32KeyDelivery::Typed Win32KeyDelivery::typeInto(HWND target, Keys keys) const
{
    // Typed keys reach whatever window has the focus.
    if (::GetForegroundWindow() != target)
        return Typed::TargetLost;
    Keys all;
    addHeldModifiersUp(all);
    all.insert(all.end(), keys.begin(), keys.end());
    return typeKeys(std::move(all)) ? Typed::Done : Typed::Blocked;
}

bool Win32KeyDelivery::waitForSelection(HWND control, const std::function<bool(const Selection&)>& holds,
                                        std::chrono::milliseconds limit)
{
    return events_.waitFor(
        [&] {
            const std::optional<Selection> now = selectionOf(control, waits_.messageAnswer);
            return now && holds(*now);
        },
        limit);
}

Fetch Win32KeyDelivery::fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m)
{
    HWND t = hwndOf(target);
    if (!exists(t))
        return Fetch::TargetLost;
    events_.pump();
    return m == InsertMethod::Messages ? copyByMessage(t, hwndOf(control)) : copyByKeys(t);
}

Fetch Win32KeyDelivery::copyByMessage(HWND target, HWND control)
{
    // A copy, never a cut: the paste replaces the selection anyway, and a fetch that fails
    // then loses nothing.
    if (!exists(control))
        return Fetch::Failed;
    const DWORD before = Win32Clipboard::changeCount();
    const Stopwatch watch;
    const Answer a = sendBounded(control, WM_COPY, 0, 0, waits_.messageAnswer);
    const bool changed = Win32Clipboard::changeCount() != before;
    trace("WM_COPY: %s after %lld ms, clipboard %s", nameOf(a), watch.ms(), changed ? "changed" : "unchanged");
    switch (a) {
    case Answer::Handled:
        // The control has copied by the time it answers: an unchanged clipboard means that
        // nothing was selected.
        return changed ? Fetch::Taken : Fetch::NothingSelected;
    case Answer::TimedOut: return Fetch::TimedOut;
    case Answer::Refused: return Fetch::Failed;
    case Answer::Gone: return exists(target) ? Fetch::Failed : Fetch::TargetLost;
    }
    return Fetch::Failed;
}

Fetch Win32KeyDelivery::copyByKeys(HWND target)
{
    const Focus focus = focusOf(target);
    if (focus.before && focus.before->first == focus.before->second) {
        trace("copy keys: the edit control has no selection");
        return Fetch::NothingSelected;
    }
    const DWORD before = Win32Clipboard::changeCount();
    Keys keys;
    addChord(keys, VK_CONTROL, VK_INSERT);
    switch (typeInto(target, std::move(keys))) {
    case Typed::Done: break;
    case Typed::TargetLost: return Fetch::TargetLost;
    case Typed::Blocked: return Fetch::Failed;
    }
    auto changed = [before] { return Win32Clipboard::changeCount() != before; };
    const Stopwatch watch;
    bool taken = false;
    if (focus.before) {
        taken = events_.waitFor(changed, waits_.selectionTaken);
    } else if (loopTurns(target, 3, waits_.messageAnswer)) {
        // A control that cannot be asked for its selection: once the target's loop has gone
        // round after the keys, a copy that has not shown within a short wait is not coming.
        taken = events_.waitFor(changed, waits_.withoutProbe);
        trace("copy keys: clipboard %s after %lld ms (loop turned)", taken ? "changed" : "unchanged", watch.ms());
        return taken ? Fetch::Taken : Fetch::NothingSelected;
    } else {
        taken = changed();
    }
    trace("copy keys: clipboard %s after %lld ms", taken ? "changed" : "unchanged", watch.ms());
    if (taken)
        return Fetch::Taken;
    return exists(target) ? Fetch::TimedOut : Fetch::TargetLost;
}

Paste Win32KeyDelivery::paste(WindowHandle target, WindowHandle control, InsertMethod m)
{
    HWND t = hwndOf(target);
    if (!exists(t))
        return Paste::TargetLost;
    events_.pump();
    if (m == InsertMethod::Emulation)
        return pasteByKeys(t);
    HWND c = hwndOf(control);
    if (!exists(c))
        return Paste::TargetLost;
    const Stopwatch watch;
    const Answer a = sendBounded(c, WM_PASTE, 0, 0, waits_.messageAnswer);
    trace("WM_PASTE: %s after %lld ms", nameOf(a), watch.ms());
    if (a == Answer::Handled)
        return Paste::Taken;
    return exists(t) ? Paste::TimedOut : Paste::TargetLost;
}

Paste Win32KeyDelivery::pasteByKeys(HWND target)
{
    const Focus focus = focusOf(target);
    Keys keys;
    addChord(keys, VK_SHIFT, VK_INSERT);
    switch (typeInto(target, std::move(keys))) {
    case Typed::Done: break;
    case Typed::TargetLost: return Paste::TargetLost;
    case Typed::Blocked: return Paste::Failed;
    }
    const Stopwatch watch;
    // An edit control shows the paste in its selection: the caret moves behind the text.
    const bool taken = focus.before
        ? waitForSelection(focus.control, [&](const Selection& now) { return now != *focus.before; }, waits_.pasteTaken)
        : loopTurns(target, 3, waits_.messageAnswer);
    trace("paste keys: %s after %lld ms", taken ? "taken" : "timed out", watch.ms());
    if (taken)
        return Paste::Taken;
    return exists(target) ? Paste::TimedOut : Paste::TargetLost;
}

KeysSent Win32KeyDelivery::caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count)
{
    HWND t = hwndOf(target);
    if (!exists(t))
        return KeysSent::TargetLost;
    if (count <= 0)
        return KeysSent::Sent;
    return m == InsertMethod::Messages ? caretByMessages(t, hwndOf(control), count) : caretByKeys(t, count);
}

KeysSent Win32KeyDelivery::caretByMessages(HWND target, HWND control, int count)
{
    const Stopwatch watch;
    // Key-down messages only: the control moves its caret on key down.
    for (int i = 0; i < count; ++i) {
        const Answer a = sendBounded(control, WM_KEYDOWN, VK_LEFT, keyDownParam(VK_LEFT), waits_.messageAnswer);
        if (a == Answer::Gone && !exists(target))
            return KeysSent::TargetLost;
        if (a != Answer::Handled) {
            trace("WM_KEYDOWN VK_LEFT %d of %d: %s", i + 1, count, nameOf(a));
            return KeysSent::Sent;
        }
    }
    trace("WM_KEYDOWN VK_LEFT x%d: %lld ms", count, watch.ms());
    return KeysSent::Sent;
}

KeysSent Win32KeyDelivery::caretByKeys(HWND target, int count)
{
    const Focus focus = focusOf(target);
    Keys keys;
    for (int i = 0; i < count; ++i)
        addChord(keys, 0, VK_LEFT);
    switch (typeInto(target, std::move(keys))) {
    case Typed::Done: break;
    case Typed::TargetLost: return KeysSent::TargetLost;
    case Typed::Blocked: return KeysSent::Failed;
    }
    // Handled before the caller goes on (to the activation of another window, say). An edit
    // control shows it in its caret: the first Left collapses a selection to its start, each
    // other one moves the caret back at least one place. Otherwise the target's message loop
    // must go round once for each key down and up.
    const Stopwatch watch;
    bool handled = false;
    if (focus.before) {
        const auto [start, end] = *focus.before;
        const DWORD steps = static_cast<DWORD>(start == end ? count : count - 1);
        const DWORD goal = start > steps ? start - steps : 0;
        handled = waitForSelection(
            focus.control, [goal](const Selection& now) { return now.first == now.second && now.second <= goal; },
            waits_.caretPlaced);
    } else {
        handled = loopTurns(target, std::min(2 * count + 1, 64), waits_.messageAnswer);
    }
    trace("Left keys x%d: %s after %lld ms", count, handled ? "handled" : "not seen handled", watch.ms());
    return KeysSent::Sent;
}

} // namespace orvanel::win32
