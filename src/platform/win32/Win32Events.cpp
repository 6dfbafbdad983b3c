#include "platform/win32/Win32Events.h"

#include <algorithm>
#include <stdexcept>

namespace orvanel::win32 {
namespace {

constexpr wchar_t HelperClass[] = L"OrvanelHelper";
constexpr UINT RunPosted = WM_APP + 1;

// Waits shorter than the system's timer tick while the object lives (1 ms instead of up to
// 15.6 ms between two looks at what a wait waits for).
class FineTimer {
public:
    FineTimer() : on_(::timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~FineTimer()
    {
        if (on_)
            ::timeEndPeriod(1);
    }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;

private:
    bool on_;
};

bool registerHelperClass(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = HelperClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

Win32Events::Win32Events()
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!registerHelperClass(instance, &Win32Events::windowProc))
        throw std::runtime_error("RegisterClassExW failed");
    helper_ = ::CreateWindowExW(0, HelperClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    if (!helper_)
        throw std::runtime_error("CreateWindowExW failed");
    onMessage(RunPosted, [this](WPARAM, LPARAM) {
        runPosted();
        return LRESULT{0};
    });
}

Win32Events::~Win32Events() { ::DestroyWindow(helper_); }

LRESULT CALLBACK Win32Events::windowProc(HWND w, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        ::SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Events*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self) {
        auto it = self->handlers_.find(message);
        if (it != self->handlers_.end())
            return it->second(wp, lp);
    }
    return ::DefWindowProcW(w, message, wp, lp);
}

void Win32Events::pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the loop that runs the program.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool Win32Events::waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + limit;
    FineTimer timer;
    ++waiting_;
    bool ok = false;
    for (;;) {
        pump();
        if ((ok = done()))
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        // Wakes at once for a message of ours; else looks again after a millisecond, for
        // what other programs do shows in no message to us.
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<long long>(left.count(), 1)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    --waiting_;
    if (waiting_ == 0 && !posted_.empty())
        ::PostMessageW(helper_, RunPosted, 0, 0);
    return ok;
}

void Win32Events::post(std::function<void()> f)
{
    posted_.push_back(std::move(f));
    ::PostMessageW(helper_, RunPosted, 0, 0);
}

void Win32Events::runPosted()
{
    // Inside a wait: left for the end of the outermost one.
    while (waiting_ == 0 && !posted_.empty()) {
        auto f = std::move(posted_.front());
        posted_.pop_front();
        f();
    }
}

} // namespace orvanel::win32
