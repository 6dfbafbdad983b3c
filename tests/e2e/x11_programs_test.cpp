// The wait for a started program's window against a real X server and window manager: it
// ends when the window is mapped, when the process ends without one, or at its bound.

#include <gtest/gtest.h>

#include "platform/x11/X11Backend.h"

#include <csignal>

using namespace orvanel;

TEST(X11Programs, TheWaitEndsOnTheProgramsWindowOnItsEndOrAtTheBound)
{
    x11::X11Backend backend;
    ProgramStarter& programs = backend.programStarter();

    // xmessage sets no _NET_WM_PID: its window is known by its client's process.
    const StartResult shown = programs.startProcess({"xmessage", "-name", "orvanel-test", "a window"});
    ASSERT_EQ(shown.outcome, StartOutcome::Started);
    EXPECT_EQ(programs.waitForWindow(shown.pid), WindowWaitOutcome::WindowShown);
    bool owned = false;
    for (const WindowHandle w : backend.desktop().stackingTopDown())
        owned = owned || (backend.desktop().windowProcess(w) == shown.pid && backend.desktop().isWindowVisible(w));
    EXPECT_TRUE(owned);
    ::kill(static_cast<pid_t>(shown.pid), SIGTERM);

    // A program that hands its file over ends without a window.
    const StartResult handed = programs.startProcess({"true"});
    EXPECT_EQ(programs.waitForWindow(handed.pid), WindowWaitOutcome::ProcessEnded);

    backend.waits().programWindow = std::chrono::milliseconds(200);
    const StartResult silent = programs.startProcess({"sleep", "60"});
    EXPECT_EQ(programs.waitForWindow(silent.pid), WindowWaitOutcome::TimedOut);
    ::kill(static_cast<pid_t>(silent.pid), SIGTERM);
}
