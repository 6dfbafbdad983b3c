#include "platform/x11/X11Clipboard.h"

#include <algorithm>

#include <unistd.h>

namespace orvanel::x11 {

std::string utf8ToLatin1(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (len == 2 && i + 1 < utf8.size()) {
            unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            out += cp < 0x100 ? static_cast<char>(cp) : '?';
        } else {
            out += '?';
        }
        i += len;
    }
    return out;
}

std::string latin1ToUtf8(const std::string& latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (unsigned char b : latin1) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

X11Clipboard::X11Clipboard(X11Connection& c, X11Events& events, const Waits& waits)
    : c_(c), events_(events), waits_(waits)
{
    events_.addHandler([this](const XEvent& e) { return handle(e); });
    // A property up to a quarter of the largest request goes in one piece; larger texts by INCR.
    long maxRequestBytes = XMaxRequestSize(c_.display()) * 4;
    chunk_ = static_cast<size_t>(std::max(4096L, maxRequestBytes / 4));
}

bool X11Clipboard::own(std::string utf8)
{
    text_ = std::move(utf8);
    ownedSince_ = c_.serverTime();
    XSetSelectionOwner(c_.display(), c_.atoms().clipboard, c_.helperWindow(), ownedSince_);
    owned_ = XGetSelectionOwner(c_.display(), c_.atoms().clipboard) == c_.helperWindow();
    return owned_;
}

bool X11Clipboard::setClipboardText(const std::string& utf8)
{
    events_.dispatchPending();
    return own(utf8);
}

ClipboardText X11Clipboard::readClipboard()
{
    events_.dispatchPending();
    if (owned_)
        return {ClipboardText::Result::Text, text_, static_cast<ProcessId>(getpid())};
    const Window owner = XGetSelectionOwner(c_.display(), c_.atoms().clipboard);
    if (owner == None)
        return {ClipboardText::Result::NoText, {}, 0};
    const ProcessId pid = c_.clientPid(owner);
    beginRead();
    events_.waitFor([&] { return readState_ != ReadState::Waiting; }, waits_.clipboardRead);
    const ReadState state = readState_;
    std::string text = takeReadText();
    if (state == ReadState::Done)
        return {ClipboardText::Result::Text, std::move(text), pid};
    return {ClipboardText::Result::Failed, {}, pid};
}

unsigned long X11Clipboard::servedTo(ProcessId pid) const
{
    auto it = served_.find(pid);
    return it == served_.end() ? 0 : it->second;
}

bool X11Clipboard::handle(const XEvent& e)
{
    const Atoms& a = c_.atoms();
    switch (e.type) {
    case SelectionRequest:
        if (e.xselectionrequest.owner != c_.helperWindow())
            return false;
        serve(e.xselectionrequest);
        return true;
    case SelectionClear:
        if (e.xselectionclear.window != c_.helperWindow())
            return false;
        if (e.xselectionclear.selection == a.clipboard)
            owned_ = false;
        return true;
    case SelectionNotify:
        if (e.xselection.requestor != c_.helperWindow())
            return false;
        readReply(e.xselection);
        return true;
    case PropertyNotify:
        if (e.xproperty.window == c_.helperWindow()) {
            if (e.xproperty.atom == a.transferProperty)
                readIncrChunk(e.xproperty);
            return true;
        }
        if (std::any_of(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
                return t.requestor == e.xproperty.window;
            })) {
            continueTransfer(e.xproperty);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void X11Clipboard::serve(const XSelectionRequestEvent& req)
{
    const Atoms& a = c_.atoms();
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = req.display;
    reply.requestor = req.requestor;
    reply.selection = req.selection;
    reply.target = req.target;
    reply.time = req.time;
    // Obsolete clients leave the property None: the target's name is used instead.
    Atom property = req.property == None ? req.target : req.property;
    reply.property = None;

    bool ours = req.selection == a.clipboard && owned_ &&
                (req.time == CurrentTime || req.time >= ownedSince_);
    if (ours) {
        ProcessId pid = c_.clientPid(req.requestor);
        ErrorTrap trap(c_);
        if (convert(req.requestor, req.target, property, pid))
            reply.property = property;
        if (!trap.ok()) // the requestor went away while we answered
            reply.property = None;
    }
    XSendEvent(c_.display(), req.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(c_.display());
}

bool X11Clipboard::convert(Window requestor, Atom target, Atom property, ProcessId pid)
{
    const Atoms& a = c_.atoms();
    Display* dpy = c_.display();
    if (target == a.targets) {
        Atom list[] = {a.targets, a.timestamp, a.utf8String, a.textPlainUtf8, a.string,
                       a.text,    a.textPlain};
        XChangeProperty(dpy, requestor, property, a.atom, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(list), std::size(list));
        return true;
    }
    if (target == a.timestamp) {
        long t = static_cast<long>(ownedSince_);
        XChangeProperty(dpy, requestor, property, a.cardinal, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&t), 1);
        return true;
    }
    std::string data;
    Atom type = target;
    if (target == a.utf8String || target == a.textPlainUtf8) {
        data = text_;
    } else if (target == a.text) {
        data = text_;
        type = a.utf8String;
    } else if (target == a.string || target == a.textPlain) {
        data = utf8ToLatin1(text_);
    } else {
        return false;
    }

    if (data.size() <= chunk_) {
        XChangeProperty(dpy, requestor, property, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size()));
        countServed(pid);
        return true;
    }
    // INCR: announce the size, then send a chunk each time the requestor deletes the property.
    XSelectInput(dpy, requestor, PropertyChangeMask);
    long size = static_cast<long>(data.size());
    XChangeProperty(dpy, requestor, property, a.incr, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&size), 1);
    transfers_.erase(std::remove_if(transfers_.begin(), transfers_.end(),
                                    [&](const Transfer& t) {
                                        return t.requestor == requestor && t.property == property;
                                    }),
                     transfers_.end());
    transfers_.push_back(Transfer{requestor, property, type, std::move(data), 0, pid});
    return true;
}

void X11Clipboard::continueTransfer(const XPropertyEvent& e)
{
    if (e.state != PropertyDelete)
        return;
    auto it = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
        return t.requestor == e.window && t.property == e.atom;
    });
    if (it == transfers_.end())
        return;
    size_t n = std::min(chunk_, it->data.size() - it->offset);
    ErrorTrap trap(c_);
    XChangeProperty(c_.display(), it->requestor, it->property, it->type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(it->data.data() + it->offset),
                    static_cast<int>(n));
    it->offset += n;
    bool failed = !trap.ok();
    if (n == 0 || failed) { // the zero-length chunk ends the transfer
        if (!failed)
            countServed(it->pid);
        XSelectInput(c_.display(), it->requestor, NoEventMask);
        transfers_.erase(it);
    }
    XFlush(c_.display());
}

void X11Clipboard::beginRead()
{
    readText_.clear();
    readIncr_ = false;
    readTarget_ = c_.atoms().utf8String;
    readState_ = ReadState::Waiting;
    XDeleteProperty(c_.display(), c_.helperWindow(), c_.atoms().transferProperty);
    XConvertSelection(c_.display(), c_.atoms().clipboard, readTarget_, c_.atoms().transferProperty,
                      c_.helperWindow(), c_.serverTime());
    XFlush(c_.display());
}

std::string X11Clipboard::takeReadText()
{
    readState_ = ReadState::Idle;
    std::string out = std::move(readText_);
    readText_.clear();
    return out;
}

void X11Clipboard::readReply(const XSelectionEvent& e)
{
    const Atoms& a = c_.atoms();
    if (readState_ != ReadState::Waiting || e.selection != a.clipboard)
        return;
    if (e.property == None) {
        // No UTF-8 form: try the Latin-1 one once.
        if (readTarget_ == a.utf8String) {
            readTarget_ = a.string;
            XConvertSelection(c_.display(), a.clipboard, a.string, a.transferProperty,
                              c_.helperWindow(), c_.serverTime());
            XFlush(c_.display());
            return;
        }
        readState_ = ReadState::Failed;
        return;
    }
    Atom type = None;
    int format = 0;
    auto data = c_.rawProperty(c_.helperWindow(), e.property, &type, &format, true);
    XFlush(c_.display());
    if (!data) {
        readState_ = ReadState::Failed;
        return;
    }
    if (type == a.incr) { // the chunks follow as new values of the property
        readIncr_ = true;
        readType_ = None;
        return;
    }
    readType_ = type;
    readText_ = *data;
    if (readType_ == a.string)
        readText_ = latin1ToUtf8(readText_);
    readState_ = ReadState::Done;
}

void X11Clipboard::readIncrChunk(const XPropertyEvent& e)
{
    if (readState_ != ReadState::Waiting || !readIncr_ || e.state != PropertyNewValue)
        return;
    Atom type = None;
    int format = 0;
    auto data = c_.rawProperty(c_.helperWindow(), e.atom, &type, &format, true);
    XFlush(c_.display());
    if (!data) {
        readState_ = ReadState::Failed;
        return;
    }
    if (readType_ == None)
        readType_ = type;
    if (data->empty()) {
        if (readType_ == c_.atoms().string)
            readText_ = latin1ToUtf8(readText_);
        readState_ = ReadState::Done;
        return;
    }
    readText_ += *data;
}

} // namespace orvanel::x11
