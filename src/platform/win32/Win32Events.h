#pragma once
// The program's message loop as the backend sees it: a message-only window of ours that
// owns the clipboard and receives the hot key, the turn of the loop that long operations
// take, and the bounded waits, which keep the loop turning until what they wait for holds.

#include "platform/EventLoop.h"

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <map>

namespace orvanel::win32 {

class Win32Events final : public EventLoop {
public:
    // Creates the helper window; throws std::runtime_error when it cannot be created.
    Win32Events();
    ~Win32Events() override;
    Win32Events(const Win32Events&) = delete;
    Win32Events& operator=(const Win32Events&) = delete;

    HWND helperWindow() const { return helper_; }

    // Hands the helper window's message `message` to `handler`.
    using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
    void onMessage(UINT message, Handler handler) { handlers_[message] = std::move(handler); }

    // Dispatches every pending message of this thread.
    void pump() override;
    // Runs the message loop until `done` holds or `limit` has passed; returns `done`.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Runs `f` from the message loop, never inside a wait.
    void post(std::function<void()> f);

private:
    static LRESULT CALLBACK windowProc(HWND w, UINT message, WPARAM wp, LPARAM lp);
    void runPosted();

    HWND helper_ = nullptr;
    std::map<UINT, Handler> handlers_;
    std::deque<std::function<void()>> posted_;
    int waiting_ = 0;
};

} // namespace orvanel::win32
