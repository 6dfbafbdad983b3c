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

const X11SelectionWatch::Change* X11SelectionWatch::latest(Atom selection) const
{
    for (auto it = recent_.rbegin(); it != recent_.rend(); ++it)
        if (it->selection == selection)
            return &*it;
    return nullptr;
}

ProcessId X11SelectionWatch::ownerPid(Window owner)
{
    // The pid is cached per change, not per window: a window id is given out again after its
    // client went, and a later change with the same id may be another process's.
    for (auto it = recent_.rbegin(); it != recent_.rend(); ++it) {
        if (it->owner != owner)
            continue;
        auto cached = pids_.find(it->seq);
        if (cached == pids_.end())
            cached = pids_.emplace(it->seq, c_.clientPid(owner)).first;
        return cached->second;
    }
    return c_.clientPid(owner);
}

bool X11SelectionWatch::handle(const XEvent& e)
{
    if (e.type != eventBase_ + XFixesSelectionNotify)
        return false;
    const auto& n = reinterpret_cast<const XFixesSelectionNotifyEvent&>(e);
    Window owner = n.subtype == XFixesSetSelectionOwnerNotify ? n.owner : None;
    recent_.push_back(Change{++seq_, n.selection, owner, n.selection_timestamp});
    if (recent_.size() > 64) {
        pids_.erase(recent_.front().seq);
        recent_.pop_front();
    }
    return true;
}

} // namespace orvanel::x11
