#include "insert/TargetWindow.h"

#include <algorithm>

namespace orvanel {

void LaunchedFiles::add(ProcessId pid, std::string path)
{
    if (entries_.size() == Capacity)
        entries_.pop_front();
    entries_.push_back({pid, std::move(path)});
}

std::string LaunchedFiles::lookup(ProcessId pid) const
{
    const auto it = std::find_if(entries_.rbegin(), entries_.rend(),
                                 [pid](const Entry& e) { return e.pid == pid; });
    return it == entries_.rend() ? std::string() : it->path;
}

namespace {

// A character that can continue a file name in a title ("data.html" must not match
// "a.html", nor "index.htm" match "index.html").
bool continuesName(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '-'
        || c == '.';
}

bool standsInTitle(std::string_view title, std::string_view name)
{
    if (name.empty())
        return false;
    for (std::size_t at = title.find(name); at != std::string_view::npos; at = title.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !continuesName(title[at - 1])) && (end == title.size() || !continuesName(title[end])))
            return true;
    }
    return false;
}

bool namedInTitle(std::string_view title, std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return standsInTitle(title, path.substr(slash == std::string_view::npos ? 0 : slash + 1));
}

} // namespace

std::string LaunchedFiles::lookupByTitle(std::string_view title) const
{
    const auto it = std::find_if(entries_.rbegin(), entries_.rend(),
                                 [title](const Entry& e) { return namedInTitle(title, e.path); });
    return it == entries_.rend() ? std::string() : it->path;
}

std::string LaunchedFiles::pageOf(ProcessId pid, std::string_view title) const
{
    const auto own = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& e) {
        return pid != 0 && e.pid == pid && namedInTitle(title, e.path);
    });
    if (own != entries_.rend())
        return own->path;
    if (std::string named = lookupByTitle(title); !named.empty())
        return named;
    return pid != 0 ? lookup(pid) : std::string(); // an unknown process matches no entry
}

TargetState::TargetState(Desktop& desktop, EventLoop& loop) : desktop_(desktop), loop_(loop) {}

void TargetState::notify()
{
    if (changed_)
        changed_();
}

void TargetState::AppActivate()
{
    CheckTargetLock();
    if (TargetLock().follow) {
        FindTargetWindow();
        loop_.pump();
        if (targetWindow_ != 0)
            LookupTargetFile();
    }
    // The palette does not take the keyboard focus when it is pressed, so that the editor
    // stays active: nothing is brought to the foreground here.
}

void TargetState::FindTargetWindow()
{
    constexpr int MaxWindows = 50;
    targetWindow_ = 0;
    targetControl_ = 0;
    title_.clear();

    WindowHandle found = 0;
    int taken = 0;
    for (const WindowHandle w : desktop_.stackingTopDown()) {
        if (desktop_.isOwnWindow(w))
            continue; // the program's own windows lie above its application window
        found = w;
        if (++taken == MaxWindows || desktop_.isWindowVisible(w))
            break;
        found = 0;
    }
    if (found != 0) {
        targetWindow_ = found;
        targetControl_ = desktop_.focusedControl(found);
        title_ = desktop_.windowTitle(found);
    }
    notify();
}

void TargetState::LookupTargetFile()
{
    targetFile_ = launched_.pageOf(desktop_.windowProcess(targetWindow_), title_);
}

void TargetState::CheckTargetLock()
{
    if (lock_.pid == 0 || targetWindow_ == 0)
        return;
    if (!desktop_.windowExists(targetWindow_) || desktop_.windowProcess(targetWindow_) != lock_.pid) {
        lock_.pid = 0;
        lock_.follow = true;
        notify();
    }
}

bool TargetState::BtnLockTargetWindowClick()
{
    lock_.pid = 0;
    if (lock_.follow) {
        lock_.pid = targetWindow_ != 0 ? desktop_.windowProcess(targetWindow_) : 0;
        if (lock_.pid != 0)
            lock_.follow = false;
    } else {
        lock_.follow = true;
    }
    notify();
    return BtnLockTargetWindowDown();
}

void TargetState::resumeFollow()
{
    if (suspended_ > 0)
        --suspended_;
}

} // namespace orvanel
