#pragma once
// Follows the owners of CLIPBOARD and PRIMARY through XFixes selection notifies, so
// that a wait can end on the owner change it expects.

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"

#include <deque>
#include <map>

namespace orvanel::x11 {

class X11SelectionWatch {
public:
    X11SelectionWatch(X11Connection& c, X11Events& events);

    struct Change {
        unsigned long seq;
        Atom selection;
        Window owner; // None: the owner went away
        Time time;    // when the owner took the selection
    };

    // Sequence number of the latest change seen; changes after a snapshot are newer.
    unsigned long lastSeq() const { return seq_; }
    // The changes after `seq`, oldest first (the last few dozen are kept).
    std::deque<Change> changesSince(unsigned long seq) const;
    // The latest change of `selection`, if one was seen.
    const Change* latest(Atom selection) const;

    // The process of the client that owns (or owned) `owner`, asked of the server (X-Resource)
    // once for the latest change that made it the owner; 0 when unknown.
    ProcessId ownerPid(Window owner);

private:
    bool handle(const XEvent& e);

    X11Connection& c_;
    int eventBase_ = -1;
    unsigned long seq_ = 0;
    std::deque<Change> recent_;
    std::map<unsigned long, ProcessId> pids_; // by the seq of a change in recent_
};

} // namespace orvanel::x11
