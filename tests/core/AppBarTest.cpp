// The docking record: the strip placed below other bars, the place kept before docking, and
// what docking does to a requested move or resize.

#include "app/AppBar.h"

#include <gtest/gtest.h>

using namespace orvanel;

namespace {

struct StubStrip : DockStrip {
    std::vector<TopReservation> reserved;
    DockOutcome answer = DockOutcome::Docked;
    StripRect asked;
    int undocks = 0;
    std::vector<TopReservation> reservedAtTop(WindowHandle) override { return reserved; }
    DockOutcome dock(WindowHandle, const StripRect& strip) override { asked = strip; return answer; }
    UndockOutcome undock(WindowHandle) override { ++undocks; return UndockOutcome::Undocked; }
};

TEST(AppBarTest, DockingPlacesHoldsAndGivesThePlaceBack)
{
    StubStrip strip;
    AppBar bar(strip);
    bar.InitAppBar(0, 0, 1024, 131);
    const WindowGeometry place{180, 180, 110, 535};
    EXPECT_EQ(bar.constrain(place), place); // undocked: any move goes
    bar.UndockAppBar(7);
    EXPECT_EQ(strip.undocks, 0);

    // Bars of other programs: one at the top over part of the width, one beside the screen.
    strip.reserved = {{30, 200, 400}, {80, 1024, 1279}};
    EXPECT_EQ(bar.DockAppBar(7, place), DockOutcome::Docked);
    EXPECT_EQ(strip.asked, (StripRect{0, 30, 1024, 161}));
    EXPECT_TRUE(bar.docked());
    EXPECT_EQ(bar.savedGeometry(), place);
    EXPECT_EQ(bar.constrain({500, 400, 20, 600}), (WindowGeometry{0, 30, 131, 1024}));

    EXPECT_EQ(bar.UndockAppBar(7), UndockOutcome::Undocked);
    EXPECT_FALSE(bar.docked());
    EXPECT_EQ(bar.constrain({500, 400, 20, 600}), (WindowGeometry{500, 400, 20, 600}));

    // The other bar has gone: the next docking is at the top again. A refusal docks nothing.
    strip.reserved.clear();
    bar.DockAppBar(7, place);
    EXPECT_EQ(bar.rect(), (StripRect{0, 0, 1024, 131}));
    bar.UndockAppBar(7);
    strip.answer = DockOutcome::Refused;
    EXPECT_EQ(bar.DockAppBar(7, {1, 2, 3, 4}), DockOutcome::Refused);
    EXPECT_FALSE(bar.docked());
    EXPECT_EQ(bar.constrain(place), place);
}

} // namespace
