#pragma once
// The keys of an insertion: the copy of the target's selection, the paste and the caret
// steps, each followed by a wait that ends on what the target does with them (it takes the
// clipboard, fetches our text, goes round its event loop) or on the target's window being
// destroyed.

#include "platform/KeyDelivery.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11SelectionWatch.h"
#include "platform/x11/X11Waits.h"

#include <functional>
#include <map>
#include <set>

namespace orvanel::x11 {

class X11KeyDelivery final : public KeyDelivery {
public:
    X11KeyDelivery(X11Connection& c, X11Events& events, X11SelectionWatch& watch, X11Clipboard& clipboard,
                   const Waits& waits);

    Fetch fetchSelection(WindowHandle target, WindowHandle control, InsertMethod m) override;
    Paste paste(WindowHandle target, WindowHandle control, InsertMethod m) override;
    KeysSent caretLeft(WindowHandle target, WindowHandle control, InsertMethod m, int count) override;
    KeysSent typeText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& ascii) override;

private:
    // Watches the target's window for its destruction while an operation waits on it.
    class TargetWatch {
    public:
        TargetWatch(X11KeyDelivery& d, Window w);
        ~TargetWatch();
        TargetWatch(const TargetWatch&) = delete;
        TargetWatch& operator=(const TargetWatch&) = delete;

    private:
        X11KeyDelivery& d_;
        Window w_;
    };

    // Sends the strokes by method `m`; false when the target is gone or (synthesized keys)
    // does not have the focus: nothing was sent then.
    // `time` is the timestamp window messages carry.
    bool send(Window w, InsertMethod m, const std::vector<Stroke>& strokes, Time time = CurrentTime,
              const BeforeKeys& before = {});
    // What is asked of a target window once: its process and whether it lists _NET_WM_PING.
    struct Target {
        ProcessId pid = 0;
        bool listsPing = false;
    };
    Target targetInfo(Window w);
    // Whether `w` answers pings: it lists them and its process has not shown it never does.
    bool answersPings(Window w);
    // Whether a client of process `pid` owns `selection` now.
    bool ownedByProcess(Atom selection, ProcessId pid);
    // Sends a ping to `target` when it answers them; pongSeen_ tells when it has.
    bool startPing(Window target, ProcessId pid);
    // Waits until `target`'s event loop has gone round `turns` times (each turn a ping
    // answered), `enough` names an event, or the target is destroyed. Returns the ending,
    // nullptr when the limit passed or the target does not answer pings (a process that
    // never answered one is remembered; one that has answered before, or answers late, is not).
    X11Events::Ending waitTurns(const char* what, Window target, ProcessId pid, int turns,
                                const std::function<X11Events::Ending()>& enough, std::chrono::milliseconds limit);

    X11Connection& c_;
    X11Events& events_;
    X11SelectionWatch& watch_;
    X11Clipboard& clipboard_;
    const Waits& waits_;
    // The target of the last copy that found nothing selected, and where the owner changes
    // stood when its keys went out: a change of the target's after that is a copy that came late.
    Window copied_ = 0;
    unsigned long copySeq_ = 0;
    // Whether the target has taken the clipboard since the copy keys went out.
    bool copiedLate(Window w, ProcessId pid);
    Window watched_ = 0;
    bool targetGone_ = false;
    std::map<Window, Target> targets_;
    // A ping's stamp only has to come back unchanged: a counter does, without a round trip.
    long pingStamp_ = 0;
    bool pongSeen_ = false;
    // The process of each window we pinged, to credit a late answer.
    std::map<Window, ProcessId> pinged_;
    // Processes that answered a ping at least once, and those whose windows list
    // _NET_WM_PING but never answered one.
    std::set<ProcessId> answered_;
    std::set<ProcessId> pongless_;
    // Processes whose editors keep PRIMARY when a paste replaces their selection.
    std::map<ProcessId, bool> keepsPrimary_;
};

} // namespace orvanel::x11
