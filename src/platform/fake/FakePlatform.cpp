#include "platform/fake/FakePlatform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>
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
    if (active_ != w)
        return;
    active_ = 0;
    for (const WindowHandle next : stacking_) {
        if (!isOwnWindow(next) && isWindowVisible(next)) {
            active_ = next;
            break;
        }
    }
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

void FakePlatform::setUnresponsive(WindowHandle w, bool unresponsive)
{
    if (Window* win = find(w))
        win->editor.unresponsive = unresponsive;
}

void FakePlatform::setCopiesLate(WindowHandle w, bool late, bool afterKeys)
{
    if (Window* win = find(w)) {
        win->editor.copiesLate = late;
        win->editor.copyShowsAfterKeys = afterKeys;
    }
}

void FakePlatform::takeClipboard(ProcessId pid, const std::string& utf8)
{
    clipboard_ = utf8;
    clipboardOwner_ = pid;
}

void FakePlatform::step(Step s)
{
    if (onStep_) {
        auto hook = onStep_; // the hook may replace itself
        hook(s);
    }
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

bool FakePlatform::apply(WindowHandle w, Op op)
{
    Editor& e = find(w)->editor;
    const auto [from, to] = std::minmax(e.anchor, e.caret);
    switch (op) {
    case Op::Copy:
        if (from == to)
            return false; // nothing selected: the clipboard stays as it is
        clipboard_ = toUtf8(e.text.substr(from, to - from));
        clipboardOwner_ = find(w)->pid;
        return true;
    case Op::Paste: {
        const std::u32string s = toU32(clipboard_);
        e.text.replace(from, to - from, s);
        e.anchor = e.caret = from + s.size();
        return true;
    }
    }
    return false;
}

bool FakePlatform::handleQueuedCopy(WindowHandle w)
{
    if (lateCopy_ != w || !find(w)->editor.copyShowsAfterKeys)
        return false;
    if (!lateCopyMade_)
        lateCopyMade_ = apply(w, Op::Copy);
    return true;
}

WindowHandle FakePlatform::receiver(WindowHandle target, WindowHandle control, InsertMethod m)
{
    if (!find(target))
        return 0;
    if (m == InsertMethod::Emulation)
        return active_ == target ? target : 0; // synthesized keys go out only to the focused target
    if (control != controlOf(target))
        return 0;
    return target;
}

FakePlatform::OpResult FakePlatform::runEditorOp(WindowHandle w, Op op)
{
    QEventLoop loop;
    QObject guard; // the timers die with this wait, whichever ends it
    std::optional<OpResult> result;
    auto end = [&](OpResult r) {
        if (!result)
            result = r;
        loop.quit();
    };
    QTimer::singleShot(delayMs_, &guard, [&] {
        if (!find(w))
            return end(OpResult::WindowGone);
        if (find(w)->editor.unresponsive)
            return;
        deliveries_.push_back(w);
        end(apply(w, op) ? OpResult::Done : OpResult::NothingToDo);
    });
    // The window closing in the meantime ends the wait at once, as a destroy event would.
    QTimer closed;
    closed.setInterval(1);
    QObject::connect(&closed, &QTimer::timeout, &guard, [&] {
        if (!find(w))
            end(OpResult::WindowGone);
    });
    closed.start();
    QTimer::singleShot(waitLimitMs_, &guard, [&] { end(OpResult::NoAnswer); });
    if (!result)
        loop.exec();
    return *result;
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

Activation FakePlatform::activateWindow(WindowHandle w)
{
    step(Step::Activate);
    activations_.push_back(w);
    if (!find(w) || !isWindowVisible(w))
        return Activation::Refused;
    if (activationAnswer_ && !isOwnWindow(w) && *activationAnswer_ != Activation::Confirmed)
        return *activationAnswer_;
    active_ = w;
    return Activation::Confirmed;
}

Activation FakePlatform::activateOwnWindow()
{
    const auto it = std::find_if(stacking_.begin(), stacking_.end(),
                                 [this](WindowHandle w) { return isOwnWindow(w); });
    const WindowHandle own = it == stacking_.end() ? 0 : *it;
    activations_.push_back(own);
    if (own == 0)
        return Activation::Refused;
    active_ = own;
    return Activation::Confirmed;
}

bool FakePlatform::setClipboardText(const std::string& utf8)
{
    if (!ownable_)
        return false;
    clipboard_ = utf8;
    clipboardOwner_ = OwnPid;
    return true;
}

ClipboardText FakePlatform::readClipboard()
{
    step(Step::Read);
    if (readFails_)
        return {ClipboardText::Result::Failed, {}, clipboardOwner_};
    return {ClipboardText::Result::Text, clipboard_, clipboardOwner_};
}

Fetch FakePlatform::fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m)
{
    step(Step::Fetch);
    ++keyCalls_;
    const WindowHandle w = receiver(target, control, m);
    if (w == 0)
        return Fetch::TargetLost;
    if (m == InsertMethod::Messages && find(w)->editor.ignoresMessages)
        return Fetch::NothingSelected; // it goes round its event loop without copying
    // Another program that took the clipboard since we emptied it makes the editor's copy,
    // stamped earlier, a copy the server refuses.
    if (clipboardOwner_ != OwnPid)
        return Fetch::Interfered;
    if (find(w)->editor.copiesLate) {
        lateCopy_ = w;
        lateCopyMade_ = false;
        return Fetch::NothingSelected;
    }
    switch (runEditorOp(w, Op::Copy)) {
    case OpResult::Done: return Fetch::Taken;
    case OpResult::NothingToDo: return Fetch::NothingSelected;
    case OpResult::NoAnswer: return Fetch::TimedOut;
    case OpResult::WindowGone: return Fetch::TargetLost;
    }
    return Fetch::Failed;
}

Paste FakePlatform::paste(WindowHandle target, WindowHandle control, InsertMethod m)
{
    step(Step::Paste);
    ++keyCalls_;
    const WindowHandle w = receiver(target, control, m);
    if (w == 0)
        return Paste::TargetLost;
    if (m == InsertMethod::Messages && find(w)->editor.ignoresMessages)
        return Paste::TimedOut; // it never fetches the text
    const bool late = std::exchange(lateCopy_, 0) == w;
    if (late && (std::exchange(lateCopyMade_, false) || apply(w, Op::Copy)))
        return Paste::LateCopy; // it has a selection after all: nothing is pasted over it
    if (clipboardOwner_ != OwnPid)
        return Paste::Interfered; // it would fetch another program's text
    switch (runEditorOp(w, Op::Paste)) {
    case OpResult::Done:
    case OpResult::NothingToDo: return Paste::Taken;
    case OpResult::NoAnswer: return Paste::TimedOut;
    case OpResult::WindowGone: return Paste::TargetLost;
    }
    return Paste::TimedOut;
}

KeysSent FakePlatform::caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count)
{
    step(Step::Caret);
    ++keyCalls_;
    const WindowHandle w = receiver(target, control, m);
    if (w == 0)
        return KeysSent::TargetLost;
    handleQueuedCopy(w);
    Editor& e = find(w)->editor;
    for (int i = 0; i < count; ++i) {
        ++caretSteps_;
        if (e.ignoresMessages && m == InsertMethod::Messages)
            continue;
        deliveries_.push_back(w);
        if (e.anchor != e.caret)
            e.anchor = e.caret = std::min(e.anchor, e.caret);
        else if (e.caret > 0)
            e.anchor = --e.caret;
    }
    return KeysSent::Sent;
}

KeysSent FakePlatform::typeText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& ascii)
{
    step(Step::Type);
    ++keyCalls_;
    const WindowHandle w = receiver(target, control, m);
    if (w == 0)
        return KeysSent::TargetLost;
    if (lateCopy_ == w && !handleQueuedCopy(w))
        return KeysSent::Failed; // it has a selection after all: the paste finds its copy
    if (!(m == InsertMethod::Messages && find(w)->editor.ignoresMessages))
        type(w, ascii);
    deliveries_.push_back(w);
    return KeysSent::Sent;
}

HotKeyRegistration FakePlatform::registerHotKey(unsigned, int)
{
    hotKeyRegistered_ = true;
    return HotKeyRegistration::Registered;
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

// ---- programs

namespace {
std::string baseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

StartResult FakePlatform::startProcess(const std::vector<std::string>& argv)
{
    started_.push_back(argv);
    const auto known = argv.empty() ? programs_.end() : programs_.find(argv[0]);
    const FakeProgram program = known == programs_.end() ? FakeProgram{} : known->second;
    if (argv.empty() || program.outcome != StartOutcome::Started)
        return {argv.empty() ? StartOutcome::ProgramMissing : program.outcome, 0};
    const ProcessId pid = nextPid_++;
    startedPids_[pid] = program.showsWindow;
    if (program.showsWindow) {
        const std::string title = argv.size() > 1 ? baseName(argv[1]) + " - " + baseName(argv[0]) : baseName(argv[0]);
        setActive(addWindow(pid, title));
    }
    return {StartOutcome::Started, pid};
}

WindowWaitOutcome FakePlatform::waitForWindow(ProcessId pid)
{
    for (const auto& [w, window] : windows_)
        if (window.pid == pid && window.visible)
            return WindowWaitOutcome::WindowShown;
    const auto started = startedPids_.find(pid);
    return started != startedPids_.end() && !started->second ? WindowWaitOutcome::ProcessEnded
                                                              : WindowWaitOutcome::TimedOut;
}

DesktopOpenOutcome FakePlatform::openWithDesktop(const std::string& path)
{
    desktopOpened_.push_back(path);
    return desktopAnswer_;
}

FileIconLookup FakePlatform::iconOf(const std::string& path)
{
    iconLookups_.push_back(path);
    if (!fileIconsAvailable_ || path.empty())
        return {};
    const std::size_t name = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (name == std::string::npos || dot > name);
    return {FileIconLookup::Outcome::Found, "fake-" + (hasExtension ? path.substr(dot + 1) : std::string()),
            "fake-generic", fileIconPicture_};
}

} // namespace orvanel
