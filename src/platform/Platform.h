#pragma once
// What the operating system does for Orvanel, behind one small interface.
// The header is plain C++ so that the insertion and target-window logic can be
// driven by the fake backend in tests; the backends themselves run on the Qt
// event loop (QCoreApplication must exist before one is created).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvanel {

using WindowHandle = std::uint64_t; // 0: no window
using ProcessId = std::uint32_t;    // 0: unknown

// How text is put into the target window (the InsertMethod setting).
enum class InsertMethod {
    Messages = 0,  // events delivered to the target without activating it
    Emulation = 1, // the target is activated and keys are synthesized
};

// Modifier bits of the global hot key.
enum HotKeyModifier : unsigned {
    HotKeyShift = 1,
    HotKeyControl = 2,
    HotKeyAlt = 4,
};

// Held while this process is the running instance; released on destruction.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // ---- start-up
    enum class LockResult { Acquired, AlreadyRunning, Failed };
    // Takes the per-user instance lock called `name`; on Acquired, `held` keeps it.
    virtual LockResult acquireInstanceLock(const std::string& name,
                                           std::unique_ptr<InstanceLock>& held) = 0;

    // ---- event loop
    // One turn of the event loop: every pending event is dispatched, then it returns.
    virtual void pump() = 0;

    // ---- top-level windows
    // Managed top-level windows, topmost first.
    virtual std::vector<WindowHandle> stackingTopDown() = 0;
    virtual bool windowExists(WindowHandle w) = 0;
    // Mapped (viewable) and not hidden (minimized).
    virtual bool isWindowVisible(WindowHandle w) = 0;
    // A window of this process (the palette, its dialogs and menus).
    virtual bool isOwnWindow(WindowHandle w) = 0;
    // The window's title, UTF-8.
    virtual std::string windowTitle(WindowHandle w) = 0;
    virtual ProcessId windowProcess(WindowHandle w) = 0;
    // The control inside top-level window `w` that receives its keys.
    virtual WindowHandle focusedControl(WindowHandle w) = 0;
    virtual WindowHandle activeWindow() = 0;
    // Makes `w` the active window and waits (bounded, event loop running) until the
    // window manager reports it active and the input focus is inside it.
    virtual bool activateWindow(WindowHandle w) = 0;
    // Gives the activation back to the palette's own top-level window.
    virtual void activateOwnWindow() = 0;

    // ---- clipboard (the CLIPBOARD selection)
    // Owns the clipboard with `utf8` (the empty text empties it); false when it cannot be owned.
    virtual bool setClipboardText(const std::string& utf8) = 0;
    // The clipboard's text, UTF-8; empty when it holds none.
    virtual std::string clipboardText() = 0;

    // ---- putting text into the target
    // Cuts (Messages) or copies (Emulation) the target's selection to the clipboard and
    // returns once the target has taken the clipboard, or once it is clear (or a bounded
    // wait says) that nothing was selected.
    virtual void fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Pastes the clipboard into the target and returns once the target has taken the text
    // (bounded wait).
    virtual void paste(WindowHandle target, WindowHandle control, InsertMethod m) = 0;
    // Moves the target's caret `count` characters to the left.
    virtual void caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) = 0;

    // ---- global hot key
    // Registers the hot key (modifier bits, letter 'A'..'Z'); false when another client has it.
    virtual bool registerHotKey(unsigned modifiers, char letter) = 0;
    virtual void unregisterHotKey() = 0;
    // Called on the event loop whenever the registered hot key is pressed.
    virtual void setHotKeyHandler(std::function<void()> handler) = 0;
};

// The backend of this build (X11 on Linux).
std::unique_ptr<Platform> createPlatform();

} // namespace orvanel
