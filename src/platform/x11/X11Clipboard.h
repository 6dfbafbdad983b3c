#pragma once
// The CLIPBOARD selection through Xlib: owning it with a text and serving that text to
// whoever asks (UTF8_STRING, STRING, TEXT, text/plain, with INCR for large texts), and
// reading the text of another owner (UTF8_STRING, else STRING; INCR understood).

#include "platform/Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Waits.h"

#include <map>
#include <string>
#include <vector>

namespace orvanel::x11 {

class X11Clipboard final : public Clipboard {
public:
    X11Clipboard(X11Connection& c, X11Events& events, const Waits& waits);

    bool setClipboardText(const std::string& utf8) override;
    ClipboardText readClipboard() override;

    // Owns CLIPBOARD with `utf8` on the helper window; false when the server does not
    // report us as the owner afterwards.
    bool own(std::string utf8);
    bool owned() const { return owned_; }
    const std::string& ownText() const { return text_; }

    // Reading another owner's text: begin() asks for it, the events do the rest.
    enum class ReadState { Idle, Waiting, Done, Failed };
    void beginRead();
    ReadState readState() const { return readState_; }
    std::string takeReadText();

    // How many requests for the text, made by a client of process `pid`, were served in full.
    unsigned long servedTo(ProcessId pid) const;

private:
    // Handles the events that belong to the clipboard; false for any other event.
    bool handle(const XEvent& e);

    struct Transfer { // an INCR transfer to one requestor, chunk by chunk
        Window requestor;
        Atom property;
        Atom type;
        std::string data;
        size_t offset;
        ProcessId pid;
    };

    void serve(const XSelectionRequestEvent& req);
    bool convert(Window requestor, Atom target, Atom property, ProcessId pid);
    void continueTransfer(const XPropertyEvent& e);
    void readReply(const XSelectionEvent& e);
    void readIncrChunk(const XPropertyEvent& e);
    void countServed(ProcessId pid) { ++served_[pid]; }

    X11Connection& c_;
    X11Events& events_;
    const Waits& waits_;
    std::string text_;
    bool owned_ = false;
    Time ownedSince_ = CurrentTime;
    size_t chunk_;
    std::vector<Transfer> transfers_;
    std::map<ProcessId, unsigned long> served_;

    ReadState readState_ = ReadState::Idle;
    Atom readTarget_ = None;
    Atom readType_ = None;
    bool readIncr_ = false;
    std::string readText_;
};

// UTF-8 to ISO 8859-1 (characters outside it become '?'), and back.
std::string utf8ToLatin1(const std::string& utf8);
std::string latin1ToUtf8(const std::string& latin1);

} // namespace orvanel::x11
