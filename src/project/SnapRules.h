#pragma once
// Where the project manager goes under the palette, how small it may become and how its two
// snap buttons share the tool bar.

#include <optional>

namespace orvanel::project {

// The Snap setting: which edges of the palette the window keeps to.
enum class SnapSide { None = 0, Left = 1, Right = 2 };

// A window's frame on the screen.
struct FrameRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct FramePosition {
    int left = 0;
    int top = 0;
    bool operator==(const FramePosition&) const = default;
};

// The smallest the window may be sized to.
inline constexpr int kPrjMngrMinWidth = 220;
inline constexpr int kPrjMngrMinHeight = 195;

// The Snap setting from the snap buttons: 1 when the left one is down, else 2 when the right
// one is, else 0.
int snapSettingOf(bool leftDown, bool rightDown);

// Where a window `windowWidth` wide goes under `palette` for the Snap setting `snap`: directly
// below it, left edges aligned (1) or right edges aligned (2); nullopt (the window stays
// where it is) for 0 or any other value. The result is not kept on the screen.
std::optional<FramePosition> snapPosition(int snap, const FrameRect& palette, int windowWidth);

// The two snap buttons side by side on a tool bar `toolBarWidth` wide: the left one gets the
// integer half, the right one the rest.
struct SnapButtonSplit {
    int leftWidth = 0;
    int rightLeft = 0;
    int rightWidth = 0;
};
SnapButtonSplit splitSnapButtons(int toolBarWidth);

} // namespace orvanel::project
