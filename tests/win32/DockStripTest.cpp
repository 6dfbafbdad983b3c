// The docking strip of the Windows backend under Wine: a window of this process docks as an
// application bar at the top edge and undocks again. (Wine keeps application bars but does
// not take their strips out of the work area, so the bands of other bars are not seen here.)

#include "platform/Backend.h"
#include "platform/win32/Win32Windows.h"

#include <gtest/gtest.h>

namespace orvanel::win32 {
namespace {

TEST(DockStrip, BarKeepsItsStripWithoutFrameAndUndocksToAnOrdinaryWindow)
{
    auto backend = createBackend();
    DockStrip& strip = backend->dockStrip();
    HWND w = ::CreateWindowExW(0, L"STATIC", L"bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 200, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);

    ASSERT_EQ(strip.dock(handleOf(w), {0, 0, width, 120}), DockOutcome::Docked);
    RECT r{};
    ::GetWindowRect(w, &r);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({0, 0, width, 120}));
    EXPECT_EQ(::GetWindowLongPtrW(w, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    EXPECT_EQ(strip.undock(handleOf(w)), UndockOutcome::Undocked);
    EXPECT_EQ(::GetWindowLongPtrW(w, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX), WS_THICKFRAME | WS_MINIMIZEBOX);
    ::DestroyWindow(w);
    EXPECT_EQ(strip.undock(handleOf(w)), UndockOutcome::WindowGone);
    EXPECT_EQ(strip.dock(handleOf(w), {0, 0, width, 120}), DockOutcome::WindowGone);
}

} // namespace
} // namespace orvanel::win32
