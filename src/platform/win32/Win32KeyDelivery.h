#pragma once
// The keys of an insertion on Windows. Method 0 sends WM_COPY, WM_PASTE and WM_KEYDOWN
// VK_LEFT to the target's control and waits, bounded, until the control has handled each.
// Method 1 types Ctrl+Insert, Shift+Insert and Left with SendInput, only while the target is
// the foreground window, and waits until the target shows that it has handled them: the
// clipboard changes after the copy, an edit control's selection moves after the paste and
// the Left keys, and otherwise the target's message loop goes round.

#include "platform/KeyDelivery.h"
#include "platform/win32/Win32Events.h"
#include "platform/win32/Win32Keys.h"
#include "platform/win32/Win32Waits.h"

namespace orvanel::win32 {

class Win32KeyDelivery final : public KeyDelivery {
public:
    Win32KeyDelivery(Win32Events& events, const Waits& waits) : events_(events), waits_(waits) {}

    Fetch fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) override;
    Paste paste(WindowHandle target, WindowHandle control, InsertMethod m) override;
    KeysSent caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) override;
    // Not typed on Windows: Failed, so that the whole text is pasted.
    KeysSent typeText(WindowHandle, WindowHandle, InsertMethod, const std::string&) override
    {
        return KeysSent::Failed;
    }

private:
    // The control of the target that takes typed keys, and its selection before them.
    struct Focus {
        HWND control;
        std::optional<Selection> before;
    };
    Focus focusOf(HWND target) const;
    // Key-ups for the modifiers still held, then `keys`, typed only while the target is the
    // foreground window.
    enum class Typed { Done, TargetLost, Blocked };
    Typed typeInto(HWND target, Keys keys) const;
    // Waits until the selection of `control` satisfies `holds`.
    bool waitForSelection(HWND control, const std::function<bool(const Selection&)>& holds,
                          std::chrono::milliseconds limit);

    Fetch copyByMessage(HWND target, HWND control);
    Fetch copyByKeys(HWND target);
    Paste pasteByKeys(HWND target);
    KeysSent caretByMessages(HWND target, HWND control, int count);
    KeysSent caretByKeys(HWND target, int count);

    Win32Events& events_;
    const Waits& waits_;
};

} // namespace orvanel::win32
