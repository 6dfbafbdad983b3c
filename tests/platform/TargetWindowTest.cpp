// The target window rules over the fake platform: finding the window below the
// program's own, the lock, and the files the program opened.

#include "insert/TargetWindow.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvanel;

namespace {
class TargetWindowTest : public ::testing::Test {
protected:
    FakePlatform fake;
    TargetState target{fake, fake};
};
} // namespace

TEST_F(TargetWindowTest, TakesTheFirstVisibleWindowBelowTheProgramsOwn)
{
    const WindowHandle bottom = fake.addWindow(300, "bottom.txt - Mousepad");
    const WindowHandle editor = fake.addWindow(100, "index.html - FeatherPad");
    const WindowHandle minimized = fake.addWindow(200, "minimized", false);
    fake.addOwnWindow("タグダイアログ");
    fake.addOwnWindow("ORVANEL");
    int changes = 0;
    target.setChangedHandler([&] { ++changes; });

    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), editor);
    EXPECT_EQ(target.TargetControl(), fake.controlOf(editor));
    EXPECT_EQ(target.EditTargetWindow(), "index.html - FeatherPad");
    EXPECT_GE(changes, 1);

    // Every activation follows the window that is now below the palette.
    // (the program's own windows are skipped wherever they are in the order).
    fake.raiseWindow(bottom);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), bottom);
    EXPECT_EQ(target.EditTargetWindow(), "bottom.txt - Mousepad");

    // Nothing visible below: no target, the title is cleared.
    fake.closeWindow(bottom);
    fake.closeWindow(editor);
    fake.setVisible(minimized, false);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), 0u);
    EXPECT_EQ(target.TargetControl(), 0u);
    EXPECT_EQ(target.EditTargetWindow(), "");
}

TEST_F(TargetWindowTest, WalkStopsAfterFiftyWindows)
{
    fake.addWindow(1, "far below");
    WindowHandle fiftieth = 0;
    for (int i = 60; i >= 1; --i) {
        const WindowHandle w = fake.addWindow(1000 + i, "hidden " + std::to_string(i), false);
        if (i == 50)
            fiftieth = w;
    }
    fake.addOwnWindow();
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), fiftieth);
    EXPECT_EQ(target.EditTargetWindow(), "hidden 50");

    // With 49 invisible windows above it, the visible one is still reached.
    FakePlatform near;
    TargetState nearTarget(near, near);
    const WindowHandle visible = near.addWindow(1, "visible");
    for (int i = 0; i < 49; ++i)
        near.addWindow(2000 + i, "hidden", false);
    near.addOwnWindow();
    nearTarget.AppActivate();
    EXPECT_EQ(nearTarget.TargetWindow(), visible);
}

TEST_F(TargetWindowTest, LockKeepsTheTargetUntilReleased)
{
    const WindowHandle first = fake.addWindow(100, "first");
    fake.addOwnWindow();
    target.AppActivate();
    ASSERT_EQ(target.TargetWindow(), first);

    EXPECT_TRUE(target.BtnLockTargetWindowClick());
    EXPECT_TRUE(target.BtnLockTargetWindowDown());
    EXPECT_EQ(target.TargetLock().pid, 100u);
    EXPECT_FALSE(target.TargetLock().follow);

    // The user works in another program, then comes back to the palette.
    const WindowHandle other = fake.addWindow(200, "other");
    fake.raiseWindow(fake.stackingTopDown()[1]);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), first);
    EXPECT_EQ(target.EditTargetWindow(), "first");
    EXPECT_TRUE(target.BtnLockTargetWindowDown());

    // Released by the button: the next activation follows again.
    EXPECT_FALSE(target.BtnLockTargetWindowClick());
    EXPECT_EQ(target.TargetLock().pid, 0u);
    EXPECT_TRUE(target.TargetLock().follow);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), other);
}

TEST_F(TargetWindowTest, ClosingTheLockedWindowReleasesTheLock)
{
    const WindowHandle below = fake.addWindow(300, "below");
    const WindowHandle locked = fake.addWindow(100, "locked");
    fake.addOwnWindow();
    target.AppActivate();
    ASSERT_TRUE(target.BtnLockTargetWindowClick());
    bool shownPressed = true;
    target.setChangedHandler([&] { shownPressed = target.BtnLockTargetWindowDown(); });

    fake.closeWindow(locked);
    target.AppActivate();
    EXPECT_FALSE(target.BtnLockTargetWindowDown());
    EXPECT_FALSE(shownPressed);
    EXPECT_TRUE(target.TargetLock().follow);
    EXPECT_EQ(target.TargetLock().pid, 0u);
    EXPECT_EQ(target.TargetWindow(), below);
    EXPECT_EQ(target.EditTargetWindow(), "below");
}

TEST_F(TargetWindowTest, LockWithoutTargetStaysReleased)
{
    fake.addWindow(100, "hidden", false);
    fake.addOwnWindow();
    target.AppActivate();
    ASSERT_EQ(target.TargetWindow(), 0u);
    EXPECT_FALSE(target.BtnLockTargetWindowClick());
    EXPECT_FALSE(target.BtnLockTargetWindowDown());
    EXPECT_TRUE(target.TargetLock().follow);
    EXPECT_EQ(target.TargetLock().pid, 0u);

    // And the next activation still looks for a target.
    const WindowHandle editor = fake.addWindow(100, "editor");
    fake.raiseWindow(fake.stackingTopDown()[1]);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), editor);
}

TEST_F(TargetWindowTest, SuspendedFollowKeepsTheTargetWhileADialogIsOpen)
{
    const WindowHandle editor = fake.addWindow(100, "editor");
    fake.addOwnWindow();
    target.AppActivate();
    {
        FollowSuspension dialogOpen(target);
        EXPECT_FALSE(target.TargetLock().follow);
        EXPECT_FALSE(target.BtnLockTargetWindowDown()); // not shown as a lock
        fake.addWindow(200, "another");
        fake.raiseWindow(fake.stackingTopDown()[1]);
        target.AppActivate();
        EXPECT_EQ(target.TargetWindow(), editor);
    }
    EXPECT_TRUE(target.TargetLock().follow);
    target.AppActivate();
    EXPECT_NE(target.TargetWindow(), editor);

    // A lock survives the dialog.
    target.BtnLockTargetWindowClick();
    { FollowSuspension dialogOpen(target); }
    EXPECT_TRUE(target.BtnLockTargetWindowDown());
    EXPECT_FALSE(target.TargetLock().follow);

    // A lock that ends while the dialog is open (its window closed) follows after it.
    const WindowHandle locked = target.TargetWindow();
    {
        FollowSuspension dialogOpen(target);
        fake.closeWindow(locked);
        target.AppActivate();
        EXPECT_EQ(target.TargetWindow(), locked);
    }
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), editor);
}

TEST(LaunchedFilesTest, HoldsFiftyAndTheLastMatchWins)
{
    LaunchedFiles files;
    files.add(7, "/site/a.html");
    files.add(8, "/site/b.html");
    files.add(7, "/site/c.html"); // the process id was reused
    EXPECT_EQ(files.lookup(7), "/site/c.html");
    EXPECT_EQ(files.lookup(8), "/site/b.html");
    EXPECT_EQ(files.lookup(9), "");

    for (int i = 0; i < 60; ++i)
        files.add(1000 + i, "/site/page" + std::to_string(i) + ".html");
    EXPECT_EQ(files.size(), LaunchedFiles::Capacity);
    // The oldest entries went first.
    EXPECT_EQ(files.lookup(7), "");
    EXPECT_EQ(files.lookup(1009), "");
    EXPECT_EQ(files.lookup(1010), "/site/page10.html");
    EXPECT_EQ(files.entries().front().pid, 1010u);
    EXPECT_EQ(files.entries().back().path, "/site/page59.html");

    // An older entry of a reused id is dropped before the newer one.
    files.add(5, "/old.html");
    for (int i = 0; i < 30; ++i)
        files.add(2000 + i, "x");
    files.add(5, "/new.html");
    for (int i = 0; i < 19; ++i)
        files.add(3000 + i, "y");
    EXPECT_EQ(files.lookup(5), "/new.html");
}

TEST_F(TargetWindowTest, TargetFileIsTheFileOpenedForTheTargetsProcess)
{
    const WindowHandle b = fake.addWindow(21, "b.html");
    const WindowHandle a = fake.addWindow(20, "a.html");
    fake.addOwnWindow();
    target.LaunchedFiles().add(20, "/site/a.html");
    target.LaunchedFiles().add(21, "/site/b.html");
    target.LaunchedFiles().add(99, "/site/handed-over.html"); // its process ended at once

    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), a);
    EXPECT_EQ(target.TargetFile(), "/site/a.html");

    fake.closeWindow(a);
    target.AppActivate();
    EXPECT_EQ(target.TargetWindow(), b);
    EXPECT_EQ(target.TargetFile(), "/site/b.html");

    fake.addWindow(22, "not opened by the palette");
    fake.raiseWindow(fake.stackingTopDown()[1]);
    target.AppActivate();
    EXPECT_EQ(target.TargetFile(), "");

    // A window whose process is unknown matches no entry, not even one recorded with id 0.
    target.LaunchedFiles().add(0, "/site/unknown.html");
    fake.addWindow(0, "no pid");
    fake.raiseWindow(fake.stackingTopDown()[1]);
    target.AppActivate();
    EXPECT_EQ(target.EditTargetWindow(), "no pid");
    EXPECT_EQ(target.TargetFile(), "");

    // A single-instance editor shows the file it was handed in a window of another
    // process: the file is found by its name in the title.
    // That window's own process opened a file too, which its title no longer shows.
    target.LaunchedFiles().add(30, "/site/first.html");
    fake.addWindow(30, "handed-over.html - Mousepad");
    fake.raiseWindow(fake.stackingTopDown()[1]);
    target.AppActivate();
    EXPECT_EQ(target.TargetFile(), "/site/handed-over.html");
    fake.setTitle(fake.stackingTopDown()[1], "first.html - Mousepad");
    target.AppActivate();
    EXPECT_EQ(target.TargetFile(), "/site/first.html");
}
