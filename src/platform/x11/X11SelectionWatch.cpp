#include "platform/x11/X11SelectionWatch.h"

#include <X11/extensions/Xfixes.h>

#include <stdexcept>

namespace orvanel::x11 {

X11SelectionWatch::X11SelectionWatch(X11Connection& c, X11Events& events) : c_(c)
{
    events.addHandler([this](const XEvent& e) { return handle(e); });
    int errorBase = 0;
    if (!XFixesQueryExtension(c_.display(), &eventBase_, &errorBase))
        throw std::runtime_error("the X server has no XFixes extension");
    // Selection notifies came with version 1.
    int major = 0, minor = 0;
    if (!XFixesQueryVersion(c_.display(), &major, &minor) || major < 1)
        throw std::runtime_error("the X server's XFixes extension is older than version 1");
    const unsigned long mask = XFixesSetSelectionOwnerNotifyMask |
                               XFixesSelectionWindowDestroyNotifyMask |
                               XFixesSelectionClientCloseNotifyMask;
    XFixesSelectSelectionInput(c_.display(), c_.root(), c_.atoms().clipboard, mask);
    XFixesSelectSelectionInput(c_.display(), c_.root(), c_.atoms().primary, mask);
}

std::deque<X11SelectionWatch::Change> X11SelectionWatch::changesSince(unsigned long seq) const
{
    std::deque<Change> out;
    for (const Change& ch : recent_)
        if (ch.seq > seq)
            out.push_back(ch);
    return out;
}

bool X11SelectionWatch::handle(const XEvent& e)
{
    if (e.type != eventBase_ + XFixesSelectionNotify)
        return false;
    const auto& n = reinterpret_cast<const XFixesSelectionNotifyEvent&>(e);
    Window owner = n.subtype == XFixesSetSelectionOwnerNotify ? n.owner : None;
    recent_.push_back(Change{++seq_, n.selection, owner});
    if (recent_.size() > 64)
        recent_.pop_front();
    return true;
}

} // namespace orvanel::x11
