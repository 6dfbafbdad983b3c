#pragma once
// The CLIPBOARD selection through Xlib: owning it with a text and serving that text to
// whoever asks (UTF8_STRING, STRING, TEXT, text/plain, with INCR for large texts), and
// reading the text of another owner (UTF8_STRING, else STRING; INCR understood) together
// with the process that served it.

#include "platform/Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11SelectionWatch.h"
#include "platform/x11/X11Waits.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QTimer;

namespace orvanel::x11 {

class X11Clipboard final : public Clipboard {
public:
    // The largest text read from another owner.
    static constexpr std::size_t ReadLimit = 64u << 20;

    X11Clipboard(X11Connection& c, X11Events& events, X11SelectionWatch& watch, const Waits& waits);
    ~X11Clipboard() override;

    bool setClipboardText(const std::string& utf8) override;
    // The text as its owner serves it. Failed when the owner does not answer in time, or when
    // the clipboard changed hands while the text was read (it is then not the owner's).
    ClipboardText readClipboard() override;

    const std::string& ownText() const { return text_; }
    // When we last took the clipboard (the server's time of its last change while we own it).
    Time ownedSince() const { return ownedSince_; }
    // Makes sure the clipboard is ours with our text: owns it again (with a fresh timestamp)
    // when another client has taken it; false when it cannot.
    bool ownAgain();
    // While held, another owner taking the clipboard is answered at once by owning it again,
    // so that a paste under way most likely fetches our text; takenMeanwhile() counts the
    // times it was taken since hold(). A client of process `yieldTo` (the target copying its
    // selection late) is left the clipboard: takenByYielded() tells it happened.
    void hold(ProcessId yieldTo);
    void release() { held_ = false; }
    unsigned takenMeanwhile() const { return takenWhileHeld_; }
    bool takenByYielded() const { return takenByYielded_; }
    // How many requests for the text, made by a client of process `pid`, were served in full.
    unsigned long servedTo(ProcessId pid) const;
    // INCR transfers of our text still under way.
    std::size_t transfersUnderWay() const { return transfers_.size(); }

private:
    enum class ReadState { Idle, Waiting, Done, Refused, Failed };
    struct Transfer { // an INCR transfer to one requestor, chunk by chunk
        Window requestor;
        Atom property;
        Atom type;
        std::string data;
        std::size_t offset;
        ProcessId pid;
        std::chrono::steady_clock::time_point lastProgress;
    };

    // Handles the events that belong to the clipboard; false for any other event.
    bool handle(const XEvent& e);
    // Owns CLIPBOARD with `utf8` on the helper window; false when the server does not
    // report us as the owner afterwards.
    bool own(std::string utf8);
    void serve(const XSelectionRequestEvent& req);
    bool convert(Window requestor, Atom target, Atom property, ProcessId pid);
    void continueTransfer(const XPropertyEvent& e);
    // Ends the transfers to `requestor` (all of them when 0) that are done, failed or stalled.
    void endTransfer(std::vector<Transfer>::iterator it);
    void dropStalledTransfers();
    // Asks `owner`, the clipboard's owner now, for its text.
    void beginRead(Window owner);
    void readReply(const XSelectionEvent& e);
    void readIncrChunk(const XPropertyEvent& e);
    void countServed(ProcessId pid) { ++served_[pid]; }

    X11Connection& c_;
    X11Events& events_;
    X11SelectionWatch& watch_;
    const Waits& waits_;
    std::string text_;
    bool owned_ = false;
    bool held_ = false;
    ProcessId yieldTo_ = 0;
    unsigned takenWhileHeld_ = 0;
    bool takenByYielded_ = false;
    Time ownedSince_ = CurrentTime;
    std::size_t chunk_;
    std::vector<Transfer> transfers_;
    std::unique_ptr<QTimer> stallCheck_;
    std::map<ProcessId, unsigned long> served_;

    ReadState readState_ = ReadState::Idle;
    Time readTime_ = CurrentTime;
    Atom readTarget_ = None;
    Atom readType_ = None;
    bool readIncr_ = false;
    std::string readText_;
};

// UTF-8 to ISO 8859-1 (characters outside it become '?'), and back.
std::string utf8ToLatin1(const std::string& utf8);
std::string latin1ToUtf8(const std::string& latin1);

} // namespace orvanel::x11
