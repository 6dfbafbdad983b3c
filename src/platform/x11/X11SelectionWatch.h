#pragma once
// Follows the owners of CLIPBOARD and PRIMARY through XFixes selection notifies, so
// that a wait can end on the owner change it expects.

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"

#include <deque>

namespace orvanel::x11 {

class X11SelectionWatch {
public:
    X11SelectionWatch(X11Connection& c, X11Events& events);

    struct Change {
        unsigned long seq;
        Atom selection;
        Window owner; // None: the owner went away
    };

    // Sequence number of the latest change seen; changes after a snapshot are newer.
    unsigned long lastSeq() const { return seq_; }
    // The changes after `seq`, oldest first (the last few dozen are kept).
    std::deque<Change> changesSince(unsigned long seq) const;

private:
    bool handle(const XEvent& e);

    X11Connection& c_;
    int eventBase_ = -1;
    unsigned long seq_ = 0;
    std::deque<Change> recent_;
};

} // namespace orvanel::x11
