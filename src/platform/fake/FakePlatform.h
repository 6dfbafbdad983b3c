#pragma once
// An in-memory stand-in for the operating system, for tests: top-level windows in a
// stacking order, each with a small text editor, an active window, a clipboard with an
// owner, and a log of activations and key deliveries. It runs on the Qt event loop (a
// QCoreApplication must exist): the editors answer copy and paste after a configurable delay
// on a timer, so fetchSelection() and paste() really wait with the event loop running, as
// the real backend does.
//
// The editors follow what real editors do:
//  - method Messages reaches the editor of the window whose control is named, whether it
//    is active or not (unless it ignores messages, see setIgnoresMessages());
//  - method Emulation reaches the editor only while its window is the active one, as the
//    real backend sends synthesized keys only then;
//  - copy with nothing selected leaves the clipboard alone and keeps the selection; paste
//    replaces the selection and leaves the caret after the pasted text; Left collapses a
//    selection to its start, else moves the caret one character (never one byte) to the left;
//    typed text replaces the selection and leaves the caret after it.
// Text is UTF-8; selections and carets are counted in characters.
//
// Programs started through it get process ids of their own and, as editors do, show a
// window titled after their file that becomes the active one; a program may also be missing,
// not executable, or hand its file over and end without a window (a single-instance editor).
//
// Faults a test can ask for: an activation that the window manager refuses or does not
// answer, an editor that never answers, a clipboard read that fails, another program that
// takes the clipboard, and any action at the start of any step (closing the target, say).

#include "platform/Backend.h"
#include "platform/fake/FakeDockStrip.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanel {

class FakePlatform : public Backend,
                     public EventLoop,
                     public Desktop,
                     public Clipboard,
                     public KeyDelivery,
                     public HotKey,
                     public Keyboard,
                     public ProgramStarter,
                     public FileIcons {
public:
    // The process id of the program itself (owner of the clipboard after setClipboardText).
    static constexpr ProcessId OwnPid = 4242;

    FakePlatform();
    ~FakePlatform() override;

    // ---- setting up the scene
    // Adds a top-level window on top of the stacking order and returns its handle.
    // Own windows (the palette, its dialogs) have the process id OwnPid.
    WindowHandle addWindow(ProcessId pid, std::string title, bool visible = true);
    WindowHandle addOwnWindow(std::string title = "ORVANEL");
    // The window goes; when it was active, the topmost visible window of another program
    // becomes active, as a window manager gives the focus on.
    void closeWindow(WindowHandle w);
    void raiseWindow(WindowHandle w);
    void setVisible(WindowHandle w, bool visible);
    void setTitle(WindowHandle w, std::string title);
    // Makes `w` active without logging it (as the user clicking into it would).
    void setActive(WindowHandle w);
    // The control that receives the window's keys (distinct from the window handle).
    WindowHandle controlOf(WindowHandle w) const;
    // An editor that ignores messages (as GTK 4 editors ignore sent events).
    void setIgnoresMessages(WindowHandle w, bool ignores);
    // An editor that never answers (hung): copy and paste time out.
    void setUnresponsive(WindowHandle w, bool unresponsive);
    // An editor so slow that its copy shows only after the fetch has taken it for nothing
    // selected: it copies as the paste comes, and the paste finds its copy.
    // `afterKeys`: the copy shows only after the keys that follow it have gone out (an editor
    // stopped with the copy keys queued): it copies as it handles them, before they act on
    // the selection still there.
    void setCopiesLate(WindowHandle w, bool late, bool afterKeys = false);

    // ---- the editors
    // Replaces the editor's text; the caret goes to the end, nothing selected.
    void setText(WindowHandle w, const std::string& utf8);
    std::string text(WindowHandle w) const;
    // Selects `length` characters from character `start`; the caret goes to the end of
    // the selection. length 0: only places the caret.
    void select(WindowHandle w, std::size_t start, std::size_t length);
    std::string selectedText(WindowHandle w) const;
    // The caret, in characters from the start of the text.
    std::size_t caret(WindowHandle w) const;
    // Types text at the caret over the selection, as the user would.
    void type(WindowHandle w, const std::string& utf8);

    // ---- behaviour
    // The editors answer copy and paste after this many milliseconds (0: at the next
    // event-loop turn).
    void setResponseDelay(int ms) { delayMs_ = ms; }
    // How long a copy or paste waits for an editor that does not answer.
    void setWaitLimit(int ms) { waitLimitMs_ = ms; }
    // When false, setClipboardText() fails: another program holds the clipboard.
    void setClipboardOwnable(bool ownable) { ownable_ = ownable; }
    // Another program (process `pid`) takes the clipboard with `utf8`.
    void takeClipboard(ProcessId pid, const std::string& utf8);
    // Reading the clipboard fails (its owner does not answer).
    void setReadFails(bool fails) { readFails_ = fails; }
    // The answer of the window manager to every activation of another program's window;
    // nullopt (the default): it activates the window.
    void setActivationAnswer(std::optional<Activation> answer) { activationAnswer_ = answer; }

    // The steps of an insertion, as the interfaces see them.
    enum class Step { Activate, Fetch, Read, Paste, Caret, Type };
    // Called at the start of every step (also in the middle of an insertion); lets a test
    // act there, for instance close the target.
    void setOnStep(std::function<void(Step)> hook) { onStep_ = std::move(hook); }

    // ---- what happened
    ProcessId clipboardOwner() const { return clipboardOwner_; }
    const std::string& clipboardText() const { return clipboard_; }
    // Every activation requested through activateWindow / activateOwnWindow, in order.
    const std::vector<WindowHandle>& activations() const { return activations_; }
    void clearActivations() { activations_.clear(); }
    // Every key operation (copy, paste, caret step) that reached an editor: the window.
    const std::vector<WindowHandle>& deliveries() const { return deliveries_; }
    // How many times fetchSelection, paste and caretLeft were called.
    int keyCalls() const { return keyCalls_; }
    int pumpCount() const { return pumps_; }
    int caretStepsSent() const { return caretSteps_; }
    // Set by registerHotKey.
    bool hotKeyRegistered() const { return hotKeyRegistered_; }
    // Calls the hot key handler as if the hot key had been pressed.
    void pressHotKey();
    // The keys the keyboard reports down from now on; nullopt: it cannot be read.
    void setKeysDown(std::optional<KeyboardState> keys) { keysDown_ = std::move(keys); }

    // ---- programs
    struct FakeProgram {
        StartOutcome outcome = StartOutcome::Started;
        bool showsWindow = true; // false: hands its file over and ends without a window
    };
    // How the program at `path` behaves when started; any other program starts and shows a
    // window "<file name> - <program name>".
    void setProgram(const std::string& path, FakeProgram program) { programs_[path] = program; }
    // Every argument vector handed to startProcess, in order, also those that did not start.
    const std::vector<std::vector<std::string>>& started() const { return started_; }
    // Every path handed to the desktop's open.
    const std::vector<std::string>& desktopOpened() const { return desktopOpened_; }
    void setDesktopAnswer(DesktopOpenOutcome answer) { desktopAnswer_ = answer; }
    // File icons: every file has the icon "fake-" + its extension (without the dot), unless
    // the test says there are none, with the test's picture when it gives one; every path
    // asked about is kept, in order.
    void setFileIconsAvailable(bool available) { fileIconsAvailable_ = available; }
    void setFileIconPicture(std::optional<FileIconPicture> picture) { fileIconPicture_ = std::move(picture); }
    const std::vector<std::string>& iconLookups() const { return iconLookups_; }

    // ---- Backend
    EventLoop& eventLoop() override { return *this; }
    Desktop& desktop() override { return *this; }
    Clipboard& clipboard() override { return *this; }
    KeyDelivery& keyDelivery() override { return *this; }
    HotKey& hotKey() override { return *this; }
    Keyboard& keyboard() override { return *this; }
    DockStrip& dockStrip() override { return dock_; }
    FakeDockStrip& fakeDockStrip() { return dock_; }
    ProgramStarter& programStarter() override { return *this; }
    FileIcons& fileIcons() override { return *this; }

    // ---- the interfaces
    void pump() override;
    std::vector<WindowHandle> stackingTopDown() override;
    bool windowExists(WindowHandle w) override;
    bool isWindowVisible(WindowHandle w) override;
    bool isOwnWindow(WindowHandle w) override;
    std::string windowTitle(WindowHandle w) override;
    ProcessId windowProcess(WindowHandle w) override;
    WindowHandle focusedControl(WindowHandle w) override;
    WindowHandle activeWindow() override;
    Activation activateWindow(WindowHandle w) override;
    Activation activateOwnWindow() override;
    bool setClipboardText(const std::string& utf8) override;
    ClipboardText readClipboard() override;
    Fetch fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) override;
    Paste paste(WindowHandle target, WindowHandle control, InsertMethod m) override;
    KeysSent caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) override;
    KeysSent typeText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& ascii) override;
    HotKeyRegistration registerHotKey(unsigned modifiers, int virtualKey) override;
    void unregisterHotKey() override;
    void setHotKeyHandler(std::function<void()> handler) override;
    std::optional<KeyboardState> keysDownNow() override { return keysDown_; }
    StartResult startProcess(const std::vector<std::string>& argv) override;
    WindowWaitOutcome waitForWindow(ProcessId pid) override;
    DesktopOpenOutcome openWithDesktop(const std::string& path) override;
    FileIconLookup iconOf(const std::string& path) override;

private:
    struct Editor {
        std::u32string text;
        std::size_t anchor = 0; // selection: between anchor and caret
        std::size_t caret = 0;
        bool ignoresMessages = false;
        bool unresponsive = false;
        bool copiesLate = false;
        bool copyShowsAfterKeys = false;
    };
    struct Window {
        ProcessId pid = 0;
        std::string title;
        bool visible = true;
        Editor editor;
    };
    enum class Op { Copy, Paste };
    enum class OpResult { Done, NothingToDo, NoAnswer, WindowGone };

    Window* find(WindowHandle w);
    const Window& get(WindowHandle w) const;
    void step(Step s);
    // The window whose editor receives an operation of method `m` for `target`, or 0 when
    // the keys would go nowhere (the target is gone, or is not active for Emulation).
    WindowHandle receiver(WindowHandle target, WindowHandle control, InsertMethod m);
    // Lets the receiver's editor do `op` after the delay, running the event loop until it
    // has been done, the window has gone, or the wait limit has passed.
    OpResult runEditorOp(WindowHandle receiver, Op op);
    // False when there was nothing to do (a copy with nothing selected).
    bool apply(WindowHandle w, Op op);
    // An editor whose late copy shows only after the keys that follow it makes that copy as
    // it handles them; true when `w` is one.
    bool handleQueuedCopy(WindowHandle w);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> stacking_; // topmost first
    WindowHandle nextHandle_ = 0x100;
    WindowHandle active_ = 0;
    std::string clipboard_;
    ProcessId clipboardOwner_ = 0;
    bool ownable_ = true;
    bool readFails_ = false;
    int delayMs_ = 0;
    int waitLimitMs_ = 5000;
    std::optional<Activation> activationAnswer_;
    std::function<void(Step)> onStep_;
    std::vector<WindowHandle> activations_;
    std::vector<WindowHandle> deliveries_;
    int keyCalls_ = 0;
    WindowHandle lateCopy_ = 0; // an editor whose copy is still to come
    bool lateCopyMade_ = false; // ... made, but not yet shown
    int pumps_ = 0;
    int caretSteps_ = 0;
    bool hotKeyRegistered_ = false;
    std::function<void()> hotKeyHandler_;
    std::optional<KeyboardState> keysDown_ = KeyboardState{};
    FakeDockStrip dock_;
    std::map<std::string, FakeProgram> programs_;
    std::map<ProcessId, bool> startedPids_; // process -> whether it shows a window
    ProcessId nextPid_ = 6000;
    std::vector<std::vector<std::string>> started_;
    std::vector<std::string> desktopOpened_;
    DesktopOpenOutcome desktopAnswer_ = DesktopOpenOutcome::Opened;
    bool fileIconsAvailable_ = true;
    std::optional<FileIconPicture> fileIconPicture_;
    std::vector<std::string> iconLookups_;
};

} // namespace orvanel
