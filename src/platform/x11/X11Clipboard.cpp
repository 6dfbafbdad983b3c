// Qt's headers come before Xlib's, whose macros (Status, Bool) clash with them.
#include <QTimer>

#include "platform/Diagnostics.h"

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Owned.h"

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

X11Clipboard::X11Clipboard(X11Connection& c, X11Events& events, X11SelectionWatch& watch, const Waits& waits)
    : c_(c), events_(events), watch_(watch), waits_(waits), stallCheck_(std::make_unique<QTimer>())
{
    events_.addHandler([this](const XEvent& e) { return handle(e); });
    // A property up to a quarter of the largest request goes in one piece; larger texts by INCR.
    const long maxRequestBytes = XMaxRequestSize(c_.display()) * 4;
    chunk_ = static_cast<std::size_t>(std::max(4096L, maxRequestBytes / 4));
    stallCheck_->setInterval(250);
    QObject::connect(stallCheck_.get(), &QTimer::timeout, stallCheck_.get(), [this] { dropStalledTransfers(); });
}

X11Clipboard::~X11Clipboard()
{
    stallCheck_.reset();
    while (!transfers_.empty())
        endTransfer(transfers_.begin());
}

bool X11Clipboard::own(std::string utf8)
{
    text_ = std::move(utf8);
    ownedSince_ = c_.serverTime();
    XSetSelectionOwner(c_.display(), c_.atoms().clipboard, c_.helperWindow(), ownedSince_);
    owned_ = XGetSelectionOwner(c_.display(), c_.atoms().clipboard) == c_.helperWindow();
    return owned_;
}

bool X11Clipboard::ownAgain()
{
    if (XGetSelectionOwner(c_.display(), c_.atoms().clipboard) == c_.helperWindow())
        return owned_ = true;
    return own(text_);
}

void X11Clipboard::hold(ProcessId yieldTo)
{
    held_ = true;
    yieldTo_ = yieldTo;
    takenWhileHeld_ = 0;
    takenByYielded_ = false;
}

bool X11Clipboard::setClipboardText(const std::string& utf8)
{
    events_.dispatchPending();
    // Still ours: only the text changes, and the clipboard keeps the time we took it at. A
    // new time would make the server refuse a copy that an editor stamps with the time of
    // keys sent before it (one that was stopped or busy handles them late), and that editor
    // would then paste our text over the selection it meant to copy.
    if (owned_ && XGetSelectionOwner(c_.display(), c_.atoms().clipboard) == c_.helperWindow()) {
        text_ = utf8;
        return true;
    }
    return own(utf8);
}

ClipboardText X11Clipboard::readClipboard()
{
    events_.dispatchPending();
    if (owned_)
        return {ClipboardText::Result::Text, text_, static_cast<ProcessId>(getpid())};
    const unsigned long since = watch_.lastSeq();
    const Window owner = XGetSelectionOwner(c_.display(), c_.atoms().clipboard);
    if (owner == None)
        return {ClipboardText::Result::NoText, {}, 0};
    const ProcessId pid = watch_.ownerPid(owner);
    auto changedHands = [&] {
        for (const auto& change : watch_.changesSince(since))
            if (change.selection == c_.atoms().clipboard)
                return true;
        return false;
    };
    beginRead(owner);
    events_.waitFor(
        "the clipboard's owner to send its text",
        [&]() -> X11Events::Ending {
            switch (readState_) {
            case ReadState::Done: return "the text arrived";
            case ReadState::Refused: return "the owner offers no text";
            case ReadState::Failed: return "the transfer failed";
            default:
                // An owner that has gone (or given way) sends nothing more.
                return changedHands() ? "the clipboard changed hands" : nullptr;
            }
        },
        waits_.clipboardRead);
    const ReadState state = readState_;
    std::string text = std::move(readText_);
    readText_.clear();
    readState_ = ReadState::Idle;
    // The text is the owner's only when no other client took the clipboard meanwhile.
    events_.dispatchPending();
    if (changedHands())
        return {ClipboardText::Result::Failed, {}, pid};
    switch (state) {
    case ReadState::Done: return {ClipboardText::Result::Text, std::move(text), pid};
    case ReadState::Refused: return {ClipboardText::Result::NoText, {}, pid};
    default: return {ClipboardText::Result::Failed, {}, pid};
    }
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
        if (e.xselectionclear.selection == a.clipboard) {
            owned_ = false;
            if (held_) {
                ++takenWhileHeld_;
                const Window owner = XGetSelectionOwner(c_.display(), a.clipboard);
                if (yieldTo_ != 0 && owner != None && c_.clientPid(owner) == yieldTo_) {
                    takenByYielded_ = true;
                } else {
                    // The time of the clear is the new owner's, which a request of the same
                    // time does not predate.
                    ownedSince_ = e.xselectionclear.time;
                    XSetSelectionOwner(c_.display(), a.clipboard, c_.helperWindow(), ownedSince_);
                    XFlush(c_.display());
                    owned_ = true;
                }
            }
        }
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
        if (std::any_of(transfers_.begin(), transfers_.end(),
                        [&](const Transfer& t) { return t.requestor == e.xproperty.window; })) {
            continueTransfer(e.xproperty);
            return true;
        }
        return false;
    case DestroyNotify:
        // A requestor that went away takes its transfers with it. Others may watch the
        // window too: the event goes on.
        for (auto it = transfers_.begin(); it != transfers_.end();)
            if (it->requestor == e.xdestroywindow.window) {
                endTransfer(it);
                it = transfers_.begin();
            } else {
                ++it;
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
    const Atom property = req.property == None ? req.target : req.property;
    reply.property = None;

    const bool ours = req.selection == a.clipboard && owned_ && (req.time == CurrentTime || req.time >= ownedSince_);
    const ProcessId pid = c_.clientPid(req.requestor);
    if (ours) {
        ErrorTrap trap(c_);
        if (convert(req.requestor, req.target, property, pid))
            reply.property = property;
        if (!trap.ok()) // the requestor went away while we answered
            reply.property = None;
    }
    if (lcX11().isDebugEnabled()) {
        const XOwned<char> name(XGetAtomName(c_.display(), req.target));
        qCDebug(lcX11).noquote() << QStringLiteral("request of process %1 for %2 at time %3: %4")
                                        .arg(pid)
                                        .arg(QString::fromLatin1(name ? name.get() : "?"))
                                        .arg(req.time)
                                        .arg(reply.property != None ? QStringLiteral("served")
                                             : ours ? QStringLiteral("refused, a type we do not offer")
                                                    : QStringLiteral("refused, not ours at that time"));
    }
    XSendEvent(c_.display(), req.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(c_.display());
}

bool X11Clipboard::convert(Window requestor, Atom target, Atom property, ProcessId pid)
{
    const Atoms& a = c_.atoms();
    Display* dpy = c_.display();
    if (target == a.targets) {
        Atom list[] = {a.targets, a.timestamp, a.utf8String, a.textPlainUtf8, a.string, a.text, a.textPlain};
        XChangeProperty(dpy, requestor, property, a.atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(list),
                        std::size(list));
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
                        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
        countServed(pid);
        return true;
    }
    // INCR: announce the size, then send a chunk each time the requestor deletes the
    // property. The deletions and the requestor's end are told by events selected on its
    // window, added to whatever we select there already.
    for (auto it = transfers_.begin(); it != transfers_.end(); ++it)
        if (it->requestor == requestor && it->property == property) {
            endTransfer(it);
            break;
        }
    events_.addEventMask(requestor, PropertyChangeMask | StructureNotifyMask);
    long size = static_cast<long>(data.size());
    XChangeProperty(dpy, requestor, property, a.incr, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&size),
                    1);
    transfers_.push_back(
        Transfer{requestor, property, type, std::move(data), 0, pid, std::chrono::steady_clock::now()});
    stallCheck_->start();
    return true;
}

void X11Clipboard::continueTransfer(const XPropertyEvent& e)
{
    if (e.state != PropertyDelete)
        return;
    auto it = std::find_if(transfers_.begin(), transfers_.end(),
                           [&](const Transfer& t) { return t.requestor == e.window && t.property == e.atom; });
    if (it == transfers_.end())
        return;
    const std::size_t n = std::min(chunk_, it->data.size() - it->offset);
    ErrorTrap trap(c_);
    XChangeProperty(c_.display(), it->requestor, it->property, it->type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(it->data.data() + it->offset), static_cast<int>(n));
    it->offset += n;
    it->lastProgress = std::chrono::steady_clock::now();
    const bool failed = !trap.ok();
    if (n == 0 || failed) { // the zero-length chunk ends the transfer
        if (!failed)
            countServed(it->pid);
        endTransfer(it);
    }
    XFlush(c_.display());
}

void X11Clipboard::endTransfer(std::vector<Transfer>::iterator it)
{
    const Window requestor = it->requestor;
    transfers_.erase(it);
    events_.removeEventMask(requestor, PropertyChangeMask | StructureNotifyMask);
    if (transfers_.empty() && stallCheck_)
        stallCheck_->stop();
}

void X11Clipboard::dropStalledTransfers()
{
    const auto now = std::chrono::steady_clock::now();
    for (auto it = transfers_.begin(); it != transfers_.end();)
        if (now - it->lastProgress > waits_.transferStalled) {
            endTransfer(it);
            it = transfers_.begin();
        } else {
            ++it;
        }
    XFlush(c_.display());
}

void X11Clipboard::beginRead(Window owner)
{
    readText_.clear();
    readIncr_ = false;
    readTarget_ = c_.atoms().utf8String;
    readState_ = ReadState::Waiting;
    // The time the owner took the clipboard is one its answer does not predate; a round trip
    // for a fresh one only when no change was seen.
    const X11SelectionWatch::Change* latest = watch_.latest(c_.atoms().clipboard);
    readTime_ = latest && latest->owner != None && latest->owner == owner ? latest->time : c_.serverTime();
    XDeleteProperty(c_.display(), c_.helperWindow(), c_.atoms().transferProperty);
    XConvertSelection(c_.display(), c_.atoms().clipboard, readTarget_, c_.atoms().transferProperty,
                      c_.helperWindow(), readTime_);
    XFlush(c_.display());
}

void X11Clipboard::readReply(const XSelectionEvent& e)
{
    const Atoms& a = c_.atoms();
    // Only the answer to the request under way: a late answer to an earlier one is not it.
    if (readState_ != ReadState::Waiting || e.selection != a.clipboard || e.target != readTarget_ ||
        e.time != readTime_)
        return;
    if (e.property == None) {
        // No UTF-8 form: try the Latin-1 one once.
        if (readTarget_ == a.utf8String) {
            readTarget_ = a.string;
            XConvertSelection(c_.display(), a.clipboard, a.string, a.transferProperty, c_.helperWindow(), readTime_);
            XFlush(c_.display());
            return;
        }
        readState_ = ReadState::Refused;
        return;
    }
    auto data = c_.readProperty(c_.helperWindow(), e.property, ReadLimit, true);
    XFlush(c_.display());
    if (!data) {
        readState_ = ReadState::Failed;
        return;
    }
    if (data->type == a.incr) { // the chunks follow as new values of the property
        readIncr_ = true;
        readType_ = None;
        return;
    }
    readType_ = data->type;
    readText_ = std::move(data->data);
    if (readType_ == a.string)
        readText_ = latin1ToUtf8(readText_);
    readState_ = ReadState::Done;
}

void X11Clipboard::readIncrChunk(const XPropertyEvent& e)
{
    if (readState_ != ReadState::Waiting || !readIncr_ || e.state != PropertyNewValue)
        return;
    auto data = c_.readProperty(c_.helperWindow(), e.atom, ReadLimit, true);
    XFlush(c_.display());
    if (!data || readText_.size() + data->data.size() > ReadLimit) {
        readState_ = ReadState::Failed;
        return;
    }
    if (readType_ == None)
        readType_ = data->type;
    if (data->data.empty()) {
        if (readType_ == c_.atoms().string)
            readText_ = latin1ToUtf8(readText_);
        readState_ = ReadState::Done;
        return;
    }
    readText_ += data->data;
}

} // namespace orvanel::x11
