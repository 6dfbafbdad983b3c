#include "platform/fake/FakePlatform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace orvanel {

namespace {
std::u32string toU32(const std::string& utf8)
{
    return QString::fromStdString(utf8).toStdU32String();
}
std::string toUtf8(const std::u32string& s)
{
    return QString::fromStdU32String(s).toStdString();
}
// Controls get handles of their own, derived from their window's.
constexpr WindowHandle ControlBit = WindowHandle(1) << 40;
} // namespace

FakePlatform::FakePlatform() = default;
FakePlatform::~FakePlatform() = default;

// ---- scene

WindowHandle FakePlatform::addWindow(ProcessId pid, std::string title, bool visible)
{
    const WindowHandle w = nextHandle_++;
    Window win;
    win.pid = pid;
    win.title = std::move(title);
    win.visible = visible;
    windows_.emplace(w, std::move(win));
    stacking_.insert(stacking_.begin(), w);
    return w;
}

WindowHandle FakePlatform::addOwnWindow(std::string title)
{
    return addWindow(OwnPid, std::move(title));
}

void FakePlatform::closeWindow(WindowHandle w)
{
    windows_.erase(w);
    std::erase(stacking_, w);
    if (active_ == w)
        active_ = 0;
}

void FakePlatform::raiseWindow(WindowHandle w)
{
    if (!find(w))
        return;
    std::erase(stacking_, w);
    stacking_.insert(stacking_.begin(), w);
}

void FakePlatform::setVisible(WindowHandle w, bool visible)
{
    if (Window* win = find(w))
        win->visible = visible;
}

void FakePlatform::setTitle(WindowHandle w, std::string title)
{
    if (Window* win = find(w))
        win->title = std::move(title);
}

void FakePlatform::setActive(WindowHandle w)
{
    active_ = w;
}

WindowHandle FakePlatform::controlOf(WindowHandle w) const
{
    return w | ControlBit;
}

void FakePlatform::setIgnoresMessages(WindowHandle w, bool ignores)
{
    if (Window* win = find(w))
        win->editor.ignoresMessages = ignores;
}

FakePlatform::Window* FakePlatform::find(WindowHandle w)
{
    const auto it = windows_.find(w);
    return it == windows_.end() ? nullptr : &it->second;
}

const FakePlatform::Window& FakePlatform::get(WindowHandle w) const
{
    const auto it = windows_.find(w);
    if (it == windows_.end())
        throw std::out_of_range("no such fake window");
    return it->second;
}

// ---- editors

void FakePlatform::setText(WindowHandle w, const std::string& utf8)
{
    Editor& e = const_cast<Window&>(get(w)).editor;
    e.text = toU32(utf8);
    e.anchor = e.caret = e.text.size();
}

std::string FakePlatform::text(WindowHandle w) const
{
    return toUtf8(get(w).editor.text);
}

void FakePlatform::select(WindowHandle w, std::size_t start, std::size_t length)
{
    Editor& e = const_cast<Window&>(get(w)).editor;
    e.anchor = std::min(start, e.text.size());
    e.caret = std::min(start + length, e.text.size());
}

std::string FakePlatform::selectedText(WindowHandle w) const
{
    const Editor& e = get(w).editor;
    const auto [from, to] = std::minmax(e.anchor, e.caret);
    return toUtf8(e.text.substr(from, to - from));
}

std::size_t FakePlatform::caret(WindowHandle w) const
{
    return get(w).editor.caret;
}

void FakePlatform::type(WindowHandle w, const std::string& utf8)
{
    Editor& e = const_cast<Window&>(get(w)).editor;
    const auto [from, to] = std::minmax(e.anchor, e.caret);
    const std::u32string s = toU32(utf8);
    e.text.replace(from, to - from, s);
    e.anchor = e.caret = from + s.size();
}

void FakePlatform::apply(WindowHandle w, Op op)
{
    Window* win = find(w);
    if (!win)
        return; // closed in the meantime
    Editor& e = win->editor;
    const auto [from, to] = std::minmax(e.anchor, e.caret);
    switch (op) {
    case Op::Cut:
    case Op::Copy:
        if (from == to)
            return; // nothing selected: the clipboard stays as it is
        clipboard_ = toUtf8(e.text.substr(from, to - from));
        clipboardOwner_ = win->pid;
        if (op == Op::Cut) {
            e.text.erase(from, to - from);
            e.anchor = e.caret = from;
        }
        return;
    case Op::Paste: {
        const std::u32string s = toU32(clipboard_);
        e.text.replace(from, to - from, s);
        e.anchor = e.caret = from + s.size();
        return;
    }
    }
}

WindowHandle FakePlatform::receiver(WindowHandle control, InsertMethod m)
{
    if (m == InsertMethod::Emulation)
        return find(active_) ? active_ : 0; // synthesized keys reach the active window
    const WindowHandle w = control & ~ControlBit;
    const Window* win = find(w);
    if (!win || control != controlOf(w) || win->editor.ignoresMessages)
        return 0;
    return w;
}

void FakePlatform::runEditorOp(WindowHandle w, Op op)
{
    if (onWait_) {
        auto hook = std::move(onWait_);
        onWait_ = nullptr;
        hook();
    }
    if (w == 0)
        return; // no editor to answer: nothing to wait for
    QEventLoop loop;
    QObject guard; // the timers die with this wait, whichever ends it
    bool done = false;
    QTimer::singleShot(delayMs_, &guard, [&] {
        apply(w, op);
        done = true;
        loop.quit();
    });
    // Bounded, as the real waits are: a lost answer must not hang the test.
    QTimer::singleShot(delayMs_ + 5000, &guard, [&] { loop.quit(); });
    if (!done)
        loop.exec();
}

// ---- the interfaces

void FakePlatform::pump()
{
    ++pumps_;
    QCoreApplication::processEvents();
}

std::vector<WindowHandle> FakePlatform::stackingTopDown()
{
    return stacking_;
}

bool FakePlatform::windowExists(WindowHandle w)
{
    return find(w) != nullptr;
}

bool FakePlatform::isWindowVisible(WindowHandle w)
{
    const Window* win = find(w);
    return win && win->visible;
}

bool FakePlatform::isOwnWindow(WindowHandle w)
{
    const Window* win = find(w);
    return win && win->pid == OwnPid;
}

std::string FakePlatform::windowTitle(WindowHandle w)
{
    const Window* win = find(w);
    return win ? win->title : std::string();
}

ProcessId FakePlatform::windowProcess(WindowHandle w)
{
    const Window* win = find(w);
    return win ? win->pid : 0;
}

WindowHandle FakePlatform::focusedControl(WindowHandle w)
{
    return find(w) ? controlOf(w) : 0;
}

WindowHandle FakePlatform::activeWindow()
{
    return active_;
}

bool FakePlatform::activateWindow(WindowHandle w)
{
    activations_.push_back(w);
    if (!find(w))
        return false;
    active_ = w;
    return true;
}

void FakePlatform::activateOwnWindow()
{
    const auto it = std::find_if(stacking_.begin(), stacking_.end(),
                                 [this](WindowHandle w) { return isOwnWindow(w); });
    const WindowHandle own = it == stacking_.end() ? 0 : *it;
    activations_.push_back(own);
    if (own != 0)
        active_ = own;
}

bool FakePlatform::setClipboardText(const std::string& utf8)
{
    if (!ownable_)
        return false;
    clipboard_ = utf8;
    clipboardOwner_ = OwnPid;
    return true;
}

std::string FakePlatform::clipboardText()
{
    return clipboard_;
}

void FakePlatform::fetchSelection(WindowHandle, WindowHandle control, InsertMethod m)
{
    runEditorOp(receiver(control, m), m == InsertMethod::Messages ? Op::Cut : Op::Copy);
}

void FakePlatform::paste(WindowHandle, WindowHandle control, InsertMethod m)
{
    runEditorOp(receiver(control, m), Op::Paste);
}

void FakePlatform::caretLeft(WindowHandle, WindowHandle control, InsertMethod m, int count)
{
    const WindowHandle w = receiver(control, m);
    for (int i = 0; i < count; ++i) {
        ++caretSteps_;
        if (Window* win = find(w)) {
            Editor& e = win->editor;
            if (e.anchor != e.caret)
                e.anchor = e.caret = std::min(e.anchor, e.caret);
            else if (e.caret > 0)
                e.anchor = --e.caret;
        }
    }
}

bool FakePlatform::registerHotKey(unsigned, char)
{
    hotKeyRegistered_ = true;
    return true;
}

void FakePlatform::unregisterHotKey()
{
    hotKeyRegistered_ = false;
}

void FakePlatform::setHotKeyHandler(std::function<void()> handler)
{
    hotKeyHandler_ = std::move(handler);
}

void FakePlatform::pressHotKey()
{
    if (hotKeyHandler_)
        hotKeyHandler_();
}

} // namespace orvanel
