// Checks of the X11 backend against a real X server (run by test_x11_backend.py under Xvfb
// and openbox): the clipboard served and read across connections, window questions, the
// activation, key delivery of both methods and the hot key grab.

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "platform/x11/X11Backend.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <unistd.h>
#include <vector>

using namespace orvanel;

namespace {

// Runs the event loop (which serves every backend's connection) until `done` or 5 s.
bool spinUntil(Backend& p, const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        p.eventLoop().pump();
        usleep(1000);
    }
    return true;
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
    ASSERT_TRUE(spinUntil(*backend, [&] {
        return inStacking(named.id()) && inStacking(oldStyle.id());
    }));
    // Topmost first: the window mapped last lies above the other.
    auto list = backend->desktop().stackingTopDown();
    auto pos = [&](Window w) { return std::find(list.begin(), list.end(), w) - list.begin(); };
    EXPECT_LT(pos(oldStyle.id()), pos(named.id()));

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
    TestWindow first(dpy, "first");
    TestWindow second(dpy, "second");
    ASSERT_TRUE(spinUntil(*backend, [&] { return inStacking(second.id()); }));

    ASSERT_EQ(backend->desktop().activateWindow(first.id()), Activation::Confirmed);
    EXPECT_EQ(backend->desktop().activeWindow(), first.id());
    Window focus = None;
    int revert = 0;
    XGetInputFocus(dpy, &focus, &revert);
    EXPECT_EQ(focus, first.id());

    ASSERT_EQ(backend->desktop().activateWindow(second.id()), Activation::Confirmed);
    EXPECT_EQ(backend->desktop().activeWindow(), second.id());
}

TEST_F(X11Backend, WindowMessagesCarryTheirOwnModifiersToTheTarget)
{
    TestWindow target(dpy, "target");
    ASSERT_TRUE(spinUntil(*backend, [&] { return inStacking(target.id()); }));
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
    ASSERT_TRUE(spinUntil(*backend, [&] { return inStacking(target.id()); }));
    ASSERT_EQ(backend->desktop().activateWindow(target.id()), Activation::Confirmed);

    // Ctrl and Shift are down, as just after the hot key.
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XK_Control_L), True, CurrentTime);
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XK_Shift_L), True, CurrentTime);
    XSync(dpy, False);
    backend->keyDelivery().caretLeft(target.id(), target.id(), InsertMethod::Emulation, 2);
    auto presses = target.presses();
    std::vector<std::pair<KeySym, unsigned>> lefts;
    for (auto& p : presses)
        if (p.first == XK_Left)
            lefts.push_back(p);
    ASSERT_EQ(lefts.size(), 2u);
    for (auto& p : lefts)
        EXPECT_EQ(p.second & (ShiftMask | ControlMask), 0u) << "Left went with a modifier";

    char keys[32];
    XQueryKeymap(dpy, keys);
    KeyCode ctrl = XKeysymToKeycode(dpy, XK_Control_L);
    EXPECT_FALSE(keys[ctrl / 8] & (1 << (ctrl % 8)));
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
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
