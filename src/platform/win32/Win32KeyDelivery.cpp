#include "platform/win32/Win32KeyDelivery.h"

#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Keys.h"
#include "platform/win32/Win32Log.h"
#include "platform/win32/Win32Windows.h"

#include <algorithm>

namespace orvanel::win32 {
namespace {

// Keys go in only while the target is the foreground window: typed keys reach whatever
// window has the focus.
bool targetHasFocus(HWND target) { return ::GetForegroundWindow() == target; }

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

} // namespace

Fetch Win32KeyDelivery::fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m)
{
    HWND t = hwndOf(target);
    if (!target || !::IsWindow(t))
        return Fetch::TargetLost;
    events_.pump();
    return m == InsertMethod::Messages ? copyByMessage(t, hwndOf(control)) : copyByKeys(t);
}

Fetch Win32KeyDelivery::copyByMessage(HWND target, HWND control)
{
    // A copy, never a cut: the paste replaces the selection anyway, and a fetch that fails
    // then loses nothing.
    if (!control || !::IsWindow(control))
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
    case Answer::Gone: return ::IsWindow(target) ? Fetch::Failed : Fetch::TargetLost;
    }
    return Fetch::Failed;
}

Fetch Win32KeyDelivery::copyByKeys(HWND target)
{
    // The keys go to the control that has the focus now.
    const std::optional<std::pair<DWORD, DWORD>> selection = selectionOf(threadFocusInside(target), waits_.messageAnswer);
    if (selection && selection->first == selection->second) {
        trace("copy keys: the edit control has no selection");
        return Fetch::NothingSelected;
    }
    if (!targetHasFocus(target))
        return Fetch::TargetLost;
    const DWORD before = Win32Clipboard::changeCount();
    Keys keys;
    addHeldModifiersUp(keys);
    addChord(keys, VK_CONTROL, VK_INSERT);
    if (!typeKeys(std::move(keys)))
        return Fetch::Failed;
    auto changed = [before] { return Win32Clipboard::changeCount() != before; };
    const Stopwatch watch;
    bool taken = false;
    if (selection) {
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
    return ::IsWindow(target) ? Fetch::TimedOut : Fetch::TargetLost;
}

Paste Win32KeyDelivery::paste(WindowHandle target, WindowHandle control, InsertMethod m)
{
    HWND t = hwndOf(target);
    if (!target || !::IsWindow(t))
        return Paste::TargetLost;
    events_.pump();
    if (m == InsertMethod::Emulation)
        return pasteByKeys(t);
    HWND c = hwndOf(control);
    if (!control || !::IsWindow(c))
        return Paste::TargetLost;
    const Stopwatch watch;
    const Answer a = sendBounded(c, WM_PASTE, 0, 0, waits_.messageAnswer);
    trace("WM_PASTE: %s after %lld ms", nameOf(a), watch.ms());
    switch (a) {
    case Answer::Handled: return Paste::Taken;
    case Answer::Gone: return ::IsWindow(t) ? Paste::TimedOut : Paste::TargetLost;
    case Answer::TimedOut:
    case Answer::Refused: return Paste::TimedOut;
    }
    return Paste::TimedOut;
}

Paste Win32KeyDelivery::pasteByKeys(HWND target)
{
    HWND focus = threadFocusInside(target);
    const std::optional<std::pair<DWORD, DWORD>> before = selectionOf(focus, waits_.messageAnswer);
    if (!targetHasFocus(target))
        return Paste::TargetLost;
    Keys keys;
    addHeldModifiersUp(keys);
    addChord(keys, VK_SHIFT, VK_INSERT);
    if (!typeKeys(std::move(keys)))
        return Paste::TargetLost;
    const Stopwatch watch;
    // An edit control shows the paste in its selection: the caret moves behind the text.
    auto moved = [&] {
        const auto now = selectionOf(focus, waits_.messageAnswer);
        return now && now != before;
    };
    const bool taken = before ? events_.waitFor(moved, waits_.pasteTaken) : loopTurns(target, 3, waits_.messageAnswer);
    trace("paste keys: %s after %lld ms", taken ? "taken" : "timed out", watch.ms());
    if (taken)
        return Paste::Taken;
    return ::IsWindow(target) ? Paste::TimedOut : Paste::TargetLost;
}

KeysSent Win32KeyDelivery::caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count)
{
    HWND t = hwndOf(target);
    if (!target || !::IsWindow(t))
        return KeysSent::TargetLost;
    if (count <= 0)
        return KeysSent::Sent;
    const Stopwatch watch;
    if (m == InsertMethod::Messages) {
        HWND c = hwndOf(control);
        // Key-down messages only, as the control handles its caret keys on key down.
        for (int i = 0; i < count; ++i) {
            const Answer a = sendBounded(c, WM_KEYDOWN, VK_LEFT, keyDownParam(VK_LEFT), waits_.messageAnswer);
            if (a == Answer::Gone && !::IsWindow(t))
                return KeysSent::TargetLost;
            if (a != Answer::Handled) {
                trace("WM_KEYDOWN VK_LEFT %d of %d: %s", i + 1, count, nameOf(a));
                break;
            }
        }
        trace("WM_KEYDOWN VK_LEFT x%d: %lld ms", count, watch.ms());
        return KeysSent::Sent;
    }
    HWND focus = threadFocusInside(t);
    const std::optional<std::pair<DWORD, DWORD>> before = selectionOf(focus, waits_.messageAnswer);
    if (!targetHasFocus(t))
        return KeysSent::TargetLost;
    Keys keys;
    addHeldModifiersUp(keys);
    for (int i = 0; i < count; ++i)
        addChord(keys, 0, VK_LEFT);
    if (!typeKeys(std::move(keys)))
        return KeysSent::TargetLost;
    // Handled before the caller goes on (to the activation of another window, say). An edit
    // control shows it in its caret: the first Left collapses a selection to its start, each
    // other one moves the caret back at least one place.
    bool handled = false;
    if (before) {
        const DWORD steps = static_cast<DWORD>(before->first == before->second ? count : count - 1);
        const DWORD goal = before->first > steps ? before->first - steps : 0;
        handled = events_.waitFor(
            [&] {
                const auto now = selectionOf(focus, waits_.messageAnswer);
                return now && now->first == now->second && now->second <= goal;
            },
            waits_.caretPlaced);
    } else {
        // Otherwise its message loop must go round once for each key down and up.
        handled = loopTurns(t, std::min(2 * count + 1, 64), waits_.messageAnswer);
    }
    trace("Left keys x%d: %s after %lld ms", count, handled ? "handled" : "not seen handled", watch.ms());
    return KeysSent::Sent;
}

} // namespace orvanel::win32
