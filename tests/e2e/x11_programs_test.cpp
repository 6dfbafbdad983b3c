// The wait for a started program's window against a real X server and window manager: it
// ends when the window is mapped, or when the process ends without one.

#include <gtest/gtest.h>

#include "platform/x11/X11Backend.h"

#include <csignal>

using namespace orvanel;

TEST(X11Programs, TheWaitEndsOnTheProgramsWindowOrOnItsEnd)
{
    x11::X11Backend backend;
    ProgramStarter& programs = backend.programStarter();

    // xmessage sets no _NET_WM_PID: its window is known by its client's process.
    const StartResult shown = programs.startProcess({"xmessage", "-name", "orvanel-test", "a window"});
    ASSERT_EQ(shown.outcome, StartOutcome::Started);
    EXPECT_EQ(programs.waitForWindow(shown.pid), WindowWaitOutcome::WindowShown);
    ::kill(static_cast<pid_t>(shown.pid), SIGTERM);

    // A program that hands its file over ends without a window.
    const StartResult handed = programs.startProcess({"true"});
    EXPECT_EQ(programs.waitForWindow(handed.pid), WindowWaitOutcome::ProcessEnded);
}
