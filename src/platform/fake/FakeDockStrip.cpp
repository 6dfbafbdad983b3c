#include "platform/fake/FakeDockStrip.h"

namespace orvanel {

DockOutcome FakeDockStrip::dock(WindowHandle w, const StripRect& strip)
{
    ++dockCalls_;
    if (answer_ == DockOutcome::Docked)
        docked_ = {w, strip};
    return answer_;
}

UndockOutcome FakeDockStrip::undock(WindowHandle w)
{
    ++undockCalls_;
    if (docked_ && docked_->first == w)
        docked_.reset();
    return UndockOutcome::Undocked;
}

} // namespace orvanel
