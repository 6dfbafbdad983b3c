#pragma once
// The target window: the editor window that receives the tags, found again each time the
// program becomes the active application, unless the user has locked it.

#include "platform/Desktop.h"
#include "platform/EventLoop.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace orvanel {

// The files that the program opened, with the process id of the program that shows each,
// in the order they were added. Holds at most `Capacity` entries: adding one more drops
// the oldest.
class LaunchedFiles {
public:
    static constexpr std::size_t Capacity = 50;

    struct Entry {
        ProcessId pid = 0;
        std::string path;
    };

    void add(ProcessId pid, std::string path);
    // The path of the last entry added for `pid`; empty when there is none.
    std::string lookup(ProcessId pid) const;
    // The path of the last entry whose file name stands in `title` as a whole name (not
    // as part of a longer one); empty when there is none. Single-instance editors hand
    // the file to their running instance, so the process that was started never owns
    // the window that shows it; the window's title still names the file.
    std::string lookupByTitle(std::string_view title) const;
    // The page shown in a window of process `pid` titled `title`: of the files opened for
    // that process, the latest whose name the title shows; else the latest file of any
    // process whose name the title shows (a single-instance editor shows the files handed
    // to it in the window of its first process); else the latest file of that process (an
    // editor whose title names no file). Empty when none fits.
    std::string pageOf(ProcessId pid, std::string_view title) const;
    std::size_t size() const { return entries_.size(); }
    const std::deque<Entry>& entries() const { return entries_; }

private:
    std::deque<Entry> entries_;
};

// The lock: the locked process id (0: not locked) and the follow flag (true: the target
// follows the last active window).
struct TargetLockState {
    ProcessId pid = 0;
    bool follow = true;
};

// The process-wide target state and its operations. Plain C++ over the desktop's
// interface; the palette shows EditTargetWindow() and BtnLockTargetWindowDown() and is
// told of every change through the handler set with setChangedHandler().
class TargetState {
public:
    TargetState(Desktop& desktop, EventLoop& loop);

    WindowHandle TargetWindow() const { return targetWindow_; }
    WindowHandle TargetControl() const { return targetControl_; }
    const std::string& TargetFile() const { return targetFile_; }
    // The lock as the rules see it: while a modal dialog is open the follow flag is false
    // whatever the lock says.
    TargetLockState TargetLock() const { return {lock_.pid, lock_.follow && suspended_ == 0}; }
    class LaunchedFiles& LaunchedFiles() { return launched_; }
    const class LaunchedFiles& LaunchedFiles() const { return launched_; }

    // The text of the palette's EditTargetWindow: the target's title.
    const std::string& EditTargetWindow() const { return title_; }
    // Whether BtnLockTargetWindow is shown pressed (the target is locked).
    bool BtnLockTargetWindowDown() const { return !lock_.follow && lock_.pid != 0; }
    // Called after the title or the lock button state may have changed.
    void setChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // The program became the active application (a press on the palette, activation of
    // one of its windows, the hot key): unless locked, take the window below the
    // program's windows as the new target.
    void AppActivate();
    // Walks the stacking order from the top, skipping the program's own windows, to the
    // first visible window (at most 50 windows are taken; after 50 invisible ones the
    // fiftieth is taken) and makes it the target.
    void FindTargetWindow();
    // TargetFile := the page the target shows, of the files the program opened (see
    // LaunchedFiles::pageOf); else empty.
    void LookupTargetFile();
    // Ends the lock when the locked target window is gone or belongs to another process.
    void CheckTargetLock();
    // The lock button was clicked: locks the current target (nothing happens without
    // one) or releases the lock. Returns whether the button is now pressed.
    bool BtnLockTargetWindowClick();

    // While a modal dialog of the program is open, its activations must not replace the
    // target: between suspendFollow() and the matching resumeFollow() the target does not
    // follow. The suspension is kept apart from the lock, so that whatever happens to the
    // lock meanwhile (the locked window closes and ends it) holds when the dialog has
    // closed; suspensions may nest.
    void suspendFollow() { ++suspended_; }
    void resumeFollow();

private:
    void notify();

    Desktop& desktop_;
    EventLoop& loop_;
    WindowHandle targetWindow_ = 0;
    WindowHandle targetControl_ = 0;
    std::string targetFile_;
    std::string title_;
    TargetLockState lock_;  // the user's lock alone
    int suspended_ = 0;     // open suspensions
    class LaunchedFiles launched_;
    std::function<void()> changed_;
};

// Suspends following for the life of a modal dialog.
class FollowSuspension {
public:
    explicit FollowSuspension(TargetState& state) : state_(state) { state_.suspendFollow(); }
    ~FollowSuspension() { state_.resumeFollow(); }
    FollowSuspension(const FollowSuspension&) = delete;
    FollowSuspension& operator=(const FollowSuspension&) = delete;

private:
    TargetState& state_;
};

} // namespace orvanel
