// Checks of the X11 backend against a real X server (run by test_x11_backend.py under Xvfb
// and openbox): the clipboard served and read across connections, window questions, the
// activation, key delivery of both methods and the hot key grab.

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <gtest/gtest.h>

#include "insert/TagInserter.h"
#include "insert/TargetWindow.h"
#include "platform/x11/X11Backend.h"
#include "text/UserError.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace orvanel;

namespace {

// Runs the event loop (which serves every backend's connection) until `done` or 10 s. The
// loop sleeps until an event comes; a condition that only a round trip shows is looked at
// again at least every 20 ms.
bool spinUntil(Backend&, const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Waits until the window manager handles requests: it answers a frame-extents request only
// from its event loop, which it enters once its start-up (configuration, theme) is done. A
// request sent before it listens reaches nobody: it is sent again each second without answer.
bool windowManagerReady(Display* dpy)
{
    const Atom request = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    Window probe = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(dpy, probe, PropertyChangeMask);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool answered = false;
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = probe;
        ev.xclient.message_type = request;
        ev.xclient.format = 32;
        XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
        XFlush(dpy);
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        if (XPending(dpy) == 0)
            poll(&p, 1, 1000);
        XEvent e;
        while (XCheckTypedWindowEvent(dpy, probe, PropertyNotify, &e))
            answered = answered || e.xproperty.atom == extents;
    }
    XDestroyWindow(dpy, probe);
    XSync(dpy, False);
    return answered;
}

// A top-level window made by a plain Xlib client of the test, as an editor would make it.
class TestWindow {
public:
    explicit TestWindow(Display* dpy, const std::string& utf8Title = {},
                        const std::string& latin1Title = {}, bool withPid = true)
        : dpy_(dpy)
    {
        w_ = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 10, 10, 200, 100, 0, 0, 0xffffff);
        XSelectInput(dpy, w_, KeyPressMask | KeyReleaseMask | FocusChangeMask);
        if (!utf8Title.empty())
            XChangeProperty(dpy, w_, XInternAtom(dpy, "_NET_WM_NAME", False),
                            XInternAtom(dpy, "UTF8_STRING", False), 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(utf8Title.data()),
                            static_cast<int>(utf8Title.size()));
        if (!latin1Title.empty())
            XChangeProperty(dpy, w_, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(latin1Title.data()),
                            static_cast<int>(latin1Title.size()));
        if (withPid) {
            long pid = getpid();
            XChangeProperty(dpy, w_, XInternAtom(dpy, "_NET_WM_PID", False), XA_CARDINAL, 32,
                            PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
        }
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(dpy, w_, &hints);
        XMapWindow(dpy, w_);
        XSync(dpy, False);
    }
    ~TestWindow()
    {
        if (w_)
            destroy();
    }
    void destroy()
    {
        XDestroyWindow(dpy_, w_);
        XSync(dpy_, False);
        w_ = 0;
    }
    Window id() const { return w_; }

    // The key presses that reached the window so far: keysym and modifier state.
    std::vector<std::pair<KeySym, unsigned>> presses()
    {
        XSync(dpy_, False);
        XEvent e;
        while (XCheckWindowEvent(dpy_, w_, KeyPressMask | KeyReleaseMask, &e))
            if (e.type == KeyPress)
                presses_.emplace_back(XLookupKeysym(&e.xkey, 0), e.xkey.state);
        return presses_;
    }

private:
    Display* dpy_;
    Window w_ = 0;
    std::vector<std::pair<KeySym, unsigned>> presses_;
};

class X11Backend : public ::testing::Test {
protected:
    void SetUp() override
    {
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        backend = createBackend();
    }
    void TearDown() override
    {
        backend.reset();
        XCloseDisplay(dpy);
    }
    bool inStacking(Window w)
    {
        auto list = backend->desktop().stackingTopDown();
        return std::find(list.begin(), list.end(), w) != list.end();
    }
    // Managed and mapped by the window manager, as an editor is when the user works in it.
    bool shown(Window w) { return inStacking(w) && backend->desktop().isWindowVisible(w); }

    Display* dpy = nullptr;
    std::unique_ptr<Backend> backend;
};

TEST_F(X11Backend, ClipboardIsServedToOtherClientsAndReadBack)
{
    auto other = createBackend();

    const std::string japanese = "日本語のテキスト <B>%SEL%</B>\nline two";
    ASSERT_TRUE(backend->clipboard().setClipboardText(japanese));
    EXPECT_EQ(backend->clipboard().readClipboard().text, japanese); // our own text, without a round trip
    const ClipboardText read = other->clipboard().readClipboard();
    EXPECT_EQ(read.result, ClipboardText::Result::Text);
    EXPECT_EQ(read.text, japanese);
    EXPECT_EQ(read.owner, static_cast<ProcessId>(getpid())); // who served it

    // Larger than one property may be: handed over by INCR, chunk by chunk, in both roles.
    std::string large;
    for (int i = 0; large.size() < 1'500'000; ++i)
        large += "行" + std::to_string(i) + " abcdefghij\n";
    ASSERT_TRUE(backend->clipboard().setClipboardText(large));
    EXPECT_EQ(other->clipboard().readClipboard().text, large);
    ASSERT_TRUE(other->clipboard().setClipboardText(large + "!"));
    EXPECT_EQ(backend->clipboard().readClipboard().text, large + "!");

    // Emptying means owning the empty text: the clipboard keeps an owner.
    ASSERT_TRUE(backend->clipboard().setClipboardText(""));
    EXPECT_NE(XGetSelectionOwner(dpy, XInternAtom(dpy, "CLIPBOARD", False)), None);
    EXPECT_EQ(other->clipboard().readClipboard().text, "");

    // Another owner takes it over: we read its text, not our stale one.
    ASSERT_TRUE(other->clipboard().setClipboardText("taken over"));
    EXPECT_EQ(backend->clipboard().readClipboard().text, "taken over");
}

TEST_F(X11Backend, ClipboardAnswersTheTextTargetsOfOlderClients)
{
    ASSERT_TRUE(backend->clipboard().setClipboardText("café 日本"));
    Window requestor = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(dpy, "CLIPBOARD", False);
    const Atom prop = XInternAtom(dpy, "TEST_PROP", False);
    auto ask = [&](Atom target, Atom* type) -> std::string {
        XDeleteProperty(dpy, requestor, prop);
        XConvertSelection(dpy, clipboard, target, prop, requestor, CurrentTime);
        XFlush(dpy);
        XEvent e{};
        bool got = spinUntil(*backend, [&] {
            return XCheckTypedWindowEvent(dpy, requestor, SelectionNotify, &e) == True;
        });
        if (!got || e.xselection.property == None)
            return "<refused>";
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, requestor, prop, 0, 1 << 20, True, AnyPropertyType, type, &format,
                           &n, &after, &data);
        std::string out(reinterpret_cast<char*>(data), format == 32 ? n * sizeof(long) : n);
        XFree(data);
        return out;
    };
    Atom type = None;
    EXPECT_EQ(ask(XInternAtom(dpy, "UTF8_STRING", False), &type), "café 日本");
    EXPECT_EQ(ask(XInternAtom(dpy, "text/plain;charset=utf-8", False), &type), "café 日本");
    EXPECT_EQ(ask(XA_STRING, &type), "caf\xe9 ??"); // Latin-1, unknown characters as '?'
    EXPECT_EQ(type, XA_STRING);
    std::string targets = ask(XInternAtom(dpy, "TARGETS", False), &type);
    EXPECT_EQ(type, XA_ATOM);
    EXPECT_GE(targets.size() / sizeof(long), 5u);
    EXPECT_EQ(ask(XInternAtom(dpy, "image/png", False), &type), "<refused>");
    XDestroyWindow(dpy, requestor);
}

TEST_F(X11Backend, WindowsAreFoundWithTitleProcessAndVisibility)
{
    TestWindow named(dpy, "エディタ — page.html", "ignored");
    TestWindow oldStyle(dpy, "", "caf\xe9", /*withPid=*/false);
    ASSERT_TRUE(spinUntil(*backend, [&] { return shown(named.id()) && shown(oldStyle.id()); }));
    // Topmost first: the window mapped last comes to lie above the other.
    auto above = [&](Window upper, Window lower) {
        const auto list = backend->desktop().stackingTopDown();
        return std::find(list.begin(), list.end(), upper) < std::find(list.begin(), list.end(), lower);
    };
    EXPECT_TRUE(spinUntil(*backend, [&] { return above(oldStyle.id(), named.id()); }));
    XRaiseWindow(dpy, named.id());
    XSync(dpy, False);
    EXPECT_TRUE(spinUntil(*backend, [&] { return above(named.id(), oldStyle.id()); }));

    EXPECT_EQ(backend->desktop().windowTitle(named.id()), "エディタ — page.html");
    EXPECT_EQ(backend->desktop().windowTitle(oldStyle.id()), "café");
    EXPECT_EQ(backend->desktop().windowProcess(named.id()), static_cast<ProcessId>(getpid()));
    // Without _NET_WM_PID the process of the creating client is asked of the server.
    EXPECT_EQ(backend->desktop().windowProcess(oldStyle.id()), static_cast<ProcessId>(getpid()));
    EXPECT_TRUE(backend->desktop().isOwnWindow(named.id()));
    EXPECT_TRUE(backend->desktop().isWindowVisible(named.id()));

    XIconifyWindow(dpy, named.id(), DefaultScreen(dpy));
    XSync(dpy, False);
    EXPECT_TRUE(spinUntil(*backend, [&] { return !backend->desktop().isWindowVisible(named.id()); }));

    const Window gone = oldStyle.id();
    oldStyle.destroy();
    EXPECT_FALSE(backend->desktop().windowExists(gone));
    EXPECT_EQ(backend->desktop().windowTitle(gone), "");
    EXPECT_EQ(backend->desktop().windowProcess(gone), 0u);
    EXPECT_FALSE(backend->desktop().isWindowVisible(gone));
    EXPECT_EQ(backend->desktop().activateWindow(gone), Activation::Refused);
}

TEST_F(X11Backend, ActivationWaitsUntilTheWindowHasTheFocus)
{
    // Right after the windows appear the window manager still has focus changes of its own to
    // make (it gives new windows the focus): a confirmed activation holds against them.
    TestWindow first(dpy, "first");
    TestWindow second(dpy, "second");
    ASSERT_TRUE(spinUntil(*backend, [&] { return inStacking(first.id()) && inStacking(second.id()); }));
    for (int round = 0; round < 3; ++round) {
        for (const TestWindow* w : {&first, &second}) {
            ASSERT_EQ(backend->desktop().activateWindow(w->id()), Activation::Confirmed);
            EXPECT_EQ(backend->desktop().activeWindow(), w->id());
            Window focus = None;
            int revert = 0;
            XGetInputFocus(dpy, &focus, &revert);
            EXPECT_EQ(focus, w->id());
        }
    }
    // An already active window is confirmed as it is.
    EXPECT_EQ(backend->desktop().activateWindow(second.id()), Activation::Confirmed);
    EXPECT_EQ(backend->desktop().activeWindow(), second.id());

    // A withdrawn window is not activated.
    XWithdrawWindow(dpy, first.id(), DefaultScreen(dpy));
    XSync(dpy, False);
    ASSERT_TRUE(spinUntil(*backend, [&] { return !inStacking(first.id()); }));
    EXPECT_EQ(backend->desktop().activateWindow(first.id()), Activation::Refused);
}

TEST_F(X11Backend, WindowMessagesCarryTheirOwnModifiersToTheTarget)
{
    TestWindow target(dpy, "target");
    ASSERT_TRUE(spinUntil(*backend, [&] { return shown(target.id()); }));
    // The test window never fetches the pasted text: do not wait long for it.
    dynamic_cast<x11::X11Backend&>(*backend).waits().pasteTaken = std::chrono::milliseconds(100);
    // Key events sent straight to the window, which need not be active.
    backend->keyDelivery().caretLeft(target.id(), target.id(), InsertMethod::Messages, 3);
    backend->keyDelivery().paste(target.id(), target.id(), InsertMethod::Messages);
    auto presses = target.presses();
    ASSERT_EQ(presses.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(presses[i].first, static_cast<KeySym>(XK_Left));
        EXPECT_EQ(presses[i].second & (ShiftMask | ControlMask), 0u);
    }
    EXPECT_EQ(presses[3].first, static_cast<KeySym>(XK_Insert));
    EXPECT_EQ(presses[3].second & (ShiftMask | ControlMask), static_cast<unsigned>(ShiftMask));
    // Nothing is sent for a count of zero.
    backend->keyDelivery().caretLeft(target.id(), target.id(), InsertMethod::Messages, 0);
    EXPECT_EQ(target.presses().size(), 4u);
}

TEST_F(X11Backend, KeyEmulationReleasesModifiersTheUserStillHolds)
{
    TestWindow target(dpy, "target");
    ASSERT_TRUE(spinUntil(*backend, [&] { return shown(target.id()); }));
    ASSERT_EQ(backend->desktop().activateWindow(target.id()), Activation::Confirmed);

    // Ctrl and Shift are down, as just after the hot key, and Alt and Super too.
    const KeySym held[] = {XK_Control_L, XK_Shift_L, XK_Alt_L, XK_Super_L};
    for (KeySym k : held) {
        ASSERT_NE(XKeysymToKeycode(dpy, k), 0) << k;
        XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, k), True, CurrentTime);
    }
    XSync(dpy, False);
    EXPECT_EQ(backend->keyDelivery().caretLeft(target.id(), target.id(), InsertMethod::Emulation, 2), KeysSent::Sent);
    std::vector<std::pair<KeySym, unsigned>> lefts;
    for (auto& p : target.presses())
        if (p.first == XK_Left)
            lefts.push_back(p);
    ASSERT_EQ(lefts.size(), 2u);
    for (auto& p : lefts)
        EXPECT_EQ(p.second & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask), 0u) << "Left went with a modifier";

    char keys[32];
    XQueryKeymap(dpy, keys);
    for (KeySym k : held) {
        const KeyCode code = XKeysymToKeycode(dpy, k);
        EXPECT_FALSE(keys[code / 8] & (1 << (code % 8))) << "still down: " << k;
    }
}

// A synthesized key goes only to the target while it has the focus: when another window has
// it, nothing is typed.
TEST_F(X11Backend, KeyEmulationTypesNothingIntoAnotherWindow)
{
    TestWindow target(dpy, "target");
    TestWindow other(dpy, "other");
    ASSERT_TRUE(spinUntil(*backend, [&] { return shown(target.id()) && shown(other.id()); }));
    ASSERT_EQ(backend->desktop().activateWindow(other.id()), Activation::Confirmed);
    EXPECT_EQ(backend->keyDelivery().caretLeft(target.id(), target.id(), InsertMethod::Emulation, 3),
              KeysSent::TargetLost);
    EXPECT_EQ(backend->keyDelivery().fetchSelection(target.id(), target.id(), InsertMethod::Emulation),
              Fetch::TargetLost);
    EXPECT_EQ(backend->keyDelivery().paste(target.id(), target.id(), InsertMethod::Emulation), Paste::TargetLost);
    EXPECT_TRUE(other.presses().empty());
    EXPECT_TRUE(target.presses().empty());
}

// The target of a tag click whose activation the window manager refuses (the window was
// withdrawn just before the click): no key reaches the window that has the focus.
TEST_F(X11Backend, RefusedActivationTypesNothing)
{
    TestWindow recorder(dpy, "recorder");
    ASSERT_TRUE(spinUntil(*backend, [&] { return shown(recorder.id()); }));
    ASSERT_EQ(backend->desktop().activateWindow(recorder.id()), Activation::Confirmed);

    // The editor is another program's window (the test's own count as the palette's).
    pid_t child = 0;
    char* argv[] = {const_cast<char*>("xmessage"), const_cast<char*>("-name"), const_cast<char*>("orvanel-target"),
                    const_cast<char*>("target"), nullptr};
    ASSERT_EQ(posix_spawnp(&child, "xmessage", nullptr, nullptr, argv, environ), 0);
    Window editor = 0;
    ASSERT_TRUE(spinUntil(*backend, [&] {
        for (WindowHandle w : backend->desktop().stackingTopDown())
            if (backend->desktop().windowProcess(w) == static_cast<ProcessId>(child) &&
                backend->desktop().isWindowVisible(w))
                editor = static_cast<Window>(w);
        return editor != 0;
    }));
    Settings settings;
    settings.InsertMethod = 1;
    TargetState target(backend->desktop(), backend->eventLoop());
    TagInserter inserter(backend->eventLoop(), backend->desktop(), backend->clipboard(), backend->keyDelivery(),
                         settings, target, "\n");
    target.AppActivate();
    ASSERT_EQ(target.TargetWindow(), editor);

    XWithdrawWindow(dpy, editor, DefaultScreen(dpy));
    XSync(dpy, False);
    ASSERT_EQ(backend->desktop().activateWindow(recorder.id()), Activation::Confirmed);
    try {
        inserter.InsertTemplate("<B>%SEL%</B>");
        ADD_FAILURE() << "no message";
    } catch (const UserError& e) {
        EXPECT_STREQ(e.what(), "ターゲットウィンドウをアクティブにできませんでした。");
    }
    EXPECT_TRUE(recorder.presses().empty());
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
}

// The lines of the diagnostics that a wait writes, while they are turned on.
std::vector<std::string> waitLines;
void keepWaitLines(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (std::string(context.category ? context.category : "") == "orvanel.x11" && text.startsWith("wait for"))
        waitLines.push_back(text.toStdString());
}

// Reading another owner's text: an owner that never answers is a failed read, not an empty
// text. Each wait writes one line to the diagnostics when they are turned on, none otherwise.
TEST_F(X11Backend, ReadingTellsTheOwnerAndItsSilence)
{
    auto& x11 = dynamic_cast<x11::X11Backend&>(*backend);
    x11.waits().clipboardRead = std::chrono::milliseconds(200);
    Window silent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(dpy, XInternAtom(dpy, "CLIPBOARD", False), silent, CurrentTime);
    XSync(dpy, False);
    const QtMessageHandler previous = qInstallMessageHandler(keepWaitLines);
    waitLines.clear();
    EXPECT_EQ(backend->clipboard().readClipboard().result, ClipboardText::Result::Failed);
    EXPECT_TRUE(waitLines.empty()); // off by default
    QLoggingCategory::setFilterRules(QStringLiteral("orvanel.*=true"));
    const ClipboardText read = backend->clipboard().readClipboard();
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(read.result, ClipboardText::Result::Failed);
    EXPECT_EQ(read.owner, static_cast<ProcessId>(getpid()));
    ASSERT_EQ(waitLines.size(), 1u);
    EXPECT_EQ(waitLines[0].rfind("wait for the clipboard's owner to send its text: limit of 200 ms reached after ", 0),
              0u)
        << waitLines[0];
    XDestroyWindow(dpy, silent);
    XSync(dpy, False);
    EXPECT_EQ(backend->clipboard().readClipboard().result, ClipboardText::Result::NoText); // no owner
}

// A large text goes in pieces (INCR): the events it needs are added to what the backend
// selects on the requestor's window and taken back after; a requestor that goes away or stops
// reading leaves no transfer behind.
TEST_F(X11Backend, LargeTransfersKeepTheEventMaskAndEndCleanly)
{
    auto& x11 = dynamic_cast<x11::X11Backend&>(*backend);
    x11.waits().transferStalled = std::chrono::milliseconds(300);
    std::string large(600'000, 'x');
    ASSERT_TRUE(backend->clipboard().setClipboardText(large));
    const Atom clipboard = XInternAtom(dpy, "CLIPBOARD", False);
    const Atom prop = XInternAtom(dpy, "TEST_PROP", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Display* own = x11.connection().display();
    auto backendMask = [&](Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(own, w, &a) ? a.your_event_mask : -1L;
    };
    auto startTransfer = [&](Window requestor) {
        XSelectInput(dpy, requestor, PropertyChangeMask);
        XConvertSelection(dpy, clipboard, utf8, prop, requestor, CurrentTime);
        XSync(dpy, False);
        XEvent e;
        return spinUntil(*backend, [&] { return XCheckTypedWindowEvent(dpy, requestor, SelectionNotify, &e) == True; });
    };

    // Read whole, while the backend also watches the window for its destruction.
    Window requestor = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSync(dpy, False);
    x11.events().addEventMask(requestor, StructureNotifyMask);
    ASSERT_TRUE(startTransfer(requestor));
    EXPECT_EQ(backendMask(requestor), StructureNotifyMask | PropertyChangeMask);
    std::string got;
    bool done = false;
    XEvent announced;
    while (XCheckTypedWindowEvent(dpy, requestor, PropertyNotify, &announced)) {
    }
    XDeleteProperty(dpy, requestor, prop); // the INCR announcement read: the pieces start
    XSync(dpy, False);
    while (!done) {
        XEvent e;
        ASSERT_TRUE(spinUntil(*backend, [&] {
            return XCheckTypedWindowEvent(dpy, requestor, PropertyNotify, &e) == True &&
                   e.xproperty.state == PropertyNewValue;
        }));
        Atom type = None;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, requestor, prop, 0, 1 << 24, True, AnyPropertyType, &type, &format, &n, &after, &data);
        got.append(reinterpret_cast<char*>(data), n);
        done = n == 0;
        XFree(data);
        XSync(dpy, False);
    }
    EXPECT_EQ(got.size(), large.size());
    EXPECT_TRUE(got == large);
    EXPECT_TRUE(spinUntil(*backend, [&] { return x11.x11Clipboard().transfersUnderWay() == 0; }));
    EXPECT_EQ(backendMask(requestor), StructureNotifyMask);
    x11.events().removeEventMask(requestor, StructureNotifyMask);

    // The requestor goes away in the middle.
    ASSERT_TRUE(startTransfer(requestor));
    EXPECT_EQ(x11.x11Clipboard().transfersUnderWay(), 1u);
    XDestroyWindow(dpy, requestor);
    XSync(dpy, False);
    EXPECT_TRUE(spinUntil(*backend, [&] { return x11.x11Clipboard().transfersUnderWay() == 0; }));

    // The requestor stops reading.
    requestor = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    ASSERT_TRUE(startTransfer(requestor));
    EXPECT_EQ(x11.x11Clipboard().transfersUnderWay(), 1u);
    EXPECT_TRUE(spinUntil(*backend, [&] { return x11.x11Clipboard().transfersUnderWay() == 0; }));
    EXPECT_EQ(backendMask(requestor), 0L);
    XDestroyWindow(dpy, requestor);
}

TEST_F(X11Backend, HotKeyIsGrabbedOnceAndCallsItsHandler)
{
    int calls = 0;
    backend->hotKey().setHotKeyHandler([&] { ++calls; });
    ASSERT_EQ(backend->hotKey().registerHotKey(HotKeyControl | HotKeyShift, 'H'), HotKeyRegistration::Registered);

    auto other = createBackend();
    EXPECT_EQ(other->hotKey().registerHotKey(HotKeyControl | HotKeyShift, 'H'), HotKeyRegistration::Taken);
    EXPECT_EQ(other->hotKey().registerHotKey(HotKeyAlt, 'H'), HotKeyRegistration::Registered); // a different one
    other->hotKey().unregisterHotKey();

    auto press = [&](std::vector<KeySym> chord) {
        for (KeySym k : chord)
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, k), True, CurrentTime);
        for (auto it = chord.rbegin(); it != chord.rend(); ++it)
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, *it), False, CurrentTime);
        XSync(dpy, False);
    };
    press({XK_Control_L, XK_Shift_L, XK_h});
    EXPECT_TRUE(spinUntil(*backend, [&] { return calls == 1; }));
    // With Caps Lock on it still works.
    press({XK_Caps_Lock});
    press({XK_Control_L, XK_Shift_L, XK_h});
    EXPECT_TRUE(spinUntil(*backend, [&] { return calls == 2; }));
    press({XK_Caps_Lock});

    backend->hotKey().unregisterHotKey();
    EXPECT_EQ(other->hotKey().registerHotKey(HotKeyControl | HotKeyShift, 'H'), HotKeyRegistration::Registered);

    // Any key with a key code: a digit too.
    ASSERT_EQ(backend->hotKey().registerHotKey(HotKeyControl, '1'), HotKeyRegistration::Registered);
    press({XK_Control_L, XK_1});
    EXPECT_TRUE(spinUntil(*backend, [&] { return calls == 3; }));
    EXPECT_EQ(backend->hotKey().registerHotKey(HotKeyControl, 0xFF), HotKeyRegistration::NoSuchKey);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy || !windowManagerReady(dpy)) {
        fprintf(stderr, "no display, or its window manager does not answer\n");
        return 1;
    }
    XCloseDisplay(dpy);
    return RUN_ALL_TESTS();
}
