#pragma once
// The X11 backend: our own Xlib connection, driven from the Qt event loop.

#include "platform/Platform.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11SelectionWatch.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>

class QSocketNotifier;

namespace orvanel::x11 {

// Every bounded wait of the backend, in one place. Each wait ends on the event it waits
// for; these are only the limits for an editor that never answers.
struct Waits {
    // Until the window manager reports the window active and the focus inside it.
    std::chrono::milliseconds activation{1000};
    // Until the target owns the clipboard after the cut or copy keys.
    std::chrono::milliseconds selectionTaken{3000};
    // An editor that answers no pings and owns PRIMARY (or never answered one): how long its
    // cut may take to show.
    std::chrono::milliseconds withoutPing{700};
    // Until the owner of the clipboard has sent its text.
    std::chrono::milliseconds clipboardRead{1000};
    // Until the target has fetched the pasted text.
    std::chrono::milliseconds pasteTaken{3000};
    // Until an editor that replaces its selection on paste has released PRIMARY.
    std::chrono::milliseconds selectionReplaced{100};
    // Turns of the target's event loop let go by after it has fetched pasted text (key
    // emulation), so that an editor that pastes asynchronously has done so before the caret keys.
    int pasteTurns = 8;
    // Until the target has gone round its event loop twice after the caret steps.
    std::chrono::milliseconds keysProcessed{300};
};

class X11Platform final : public Platform {
public:
    X11Platform();
    ~X11Platform() override;

    LockResult acquireInstanceLock(const std::string& name,
                                   std::unique_ptr<InstanceLock>& held) override;
    void pump() override;

    std::vector<WindowHandle> stackingTopDown() override;
    bool windowExists(WindowHandle w) override;
    bool isWindowVisible(WindowHandle w) override;
    bool isOwnWindow(WindowHandle w) override;
    std::string windowTitle(WindowHandle w) override;
    ProcessId windowProcess(WindowHandle w) override;
    WindowHandle focusedControl(WindowHandle w) override;
    WindowHandle activeWindow() override;
    bool activateWindow(WindowHandle w) override;
    void activateOwnWindow() override;

    bool setClipboardText(const std::string& utf8) override;
    std::string clipboardText() override;

    void fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) override;
    void paste(WindowHandle target, WindowHandle control, InsertMethod m) override;
    void caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) override;

    bool registerHotKey(unsigned modifiers, char letter) override;
    void unregisterHotKey() override;
    void setHotKeyHandler(std::function<void()> handler) override;

    Waits& waits() { return waits_; }

private:
    // Handles every event that has arrived on our connection.
    void dispatchPending();
    void dispatch(const XEvent& e);
    // Runs the event loops until `done` holds or `limit` has passed; returns `done`.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Whether a client of process `pid` owns `selection` now.
    bool ownedByProcess(Atom selection, ProcessId pid);
    // Sends a ping to `target` when it answers them; pongSeen_ tells when it has.
    bool startPing(Window target, ProcessId pid);
    // Waits until `target`'s event loop has gone round `turns` times (each turn a ping
    // answered) or `enough` holds; false when that did not happen within `limit` or the
    // target does not answer pings (it is remembered when it never answered one).
    bool waitTurns(Window target, ProcessId pid, int turns, const std::function<bool()>& enough,
                   std::chrono::milliseconds limit);

    X11Connection conn_;
    X11Clipboard clipboard_;
    X11SelectionWatch watch_;
    X11HotKey hotKey_;
    Waits waits_;
    std::function<void()> hotKeyHandler_;
    std::unique_ptr<QSocketNotifier> notifier_;
    Time pingStamp_ = 0;
    bool pongSeen_ = false;
    // Processes whose windows list _NET_WM_PING but never answered one.
    std::set<ProcessId> pongless_;
    // Processes whose editors keep PRIMARY when a paste replaces their selection.
    std::map<ProcessId, bool> keepsPrimary_;
};

} // namespace orvanel::x11
