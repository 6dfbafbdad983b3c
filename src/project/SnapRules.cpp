#include "project/SnapRules.h"

namespace orvanel::project {

int snapSettingOf(bool leftDown, bool rightDown)
{
    if (leftDown)
        return static_cast<int>(SnapSide::Left);
    if (rightDown)
        return static_cast<int>(SnapSide::Right);
    return static_cast<int>(SnapSide::None);
}

std::optional<FramePosition> snapPosition(int snap, const FrameRect& palette, int windowWidth)
{
    const int top = palette.top + palette.height;
    switch (static_cast<SnapSide>(snap)) {
    case SnapSide::Left:
        return FramePosition{palette.left, top};
    case SnapSide::Right:
        return FramePosition{palette.left + palette.width - windowWidth, top};
    case SnapSide::None:
        break;
    }
    return std::nullopt;
}

SnapButtonSplit splitSnapButtons(int toolBarWidth)
{
    const int width = toolBarWidth > 0 ? toolBarWidth : 0;
    const int half = width / 2;
    return {half, half, width - half};
}

} // namespace orvanel::project
