#include "insert/TagInserter.h"

#include "insert/TargetWindow.h"
#include "text/Encoding.h"
#include "text/UserError.h"

#include <chrono>
#include <cstdio>

namespace orvanel {

namespace {

constexpr const char* ClipboardError = "クリップボードを開くことができません";
constexpr const char* NotActivated = "ターゲットウィンドウをアクティブにできませんでした。";
constexpr const char* NoAnswer = "ターゲットウィンドウが応答しないため、選択範囲を取得できませんでした。";
// The editor handled the copy only after the keys typed on the strength of nothing selected:
// they replaced its selection.
constexpr const char* ReplacedByTypedKeys =
    "ターゲットウィンドウの応答が遅れたため、選択範囲がタグの一部に置き換わった可能性があります。";
constexpr const char* NotFetched = "ターゲットウィンドウから選択範囲を取得できませんでした。";
constexpr const char* TakenByOther = "ほかのプログラムがクリップボードを使ったため、選択範囲を取得できませんでした。";
constexpr const char* NotPasted = "ターゲットウィンドウが貼り付けに応答しませんでした。";
constexpr const char* CannotPaste = "ターゲットウィンドウに貼り付けできませんでした。";
constexpr const char* PasteTakenByOther =
    "ほかのプログラムがクリップボードを使ったため、正しく貼り付けられなかった可能性があります。";

const char* nameOf(Activation a)
{
    switch (a) {
    case Activation::Confirmed: return "confirmed";
    case Activation::Refused: return "refused";
    case Activation::TimedOut: return "timed out";
    }
    return "?";
}

const char* nameOf(Fetch f)
{
    switch (f) {
    case Fetch::Taken: return "taken";
    case Fetch::NothingSelected: return "nothing selected";
    case Fetch::TimedOut: return "timed out";
    case Fetch::Failed: return "failed";
    case Fetch::Interfered: return "another program took the clipboard";
    case Fetch::TargetLost: return "target lost";
    }
    return "?";
}

const char* nameOf(Paste p)
{
    switch (p) {
    case Paste::Taken: return "taken";
    case Paste::TimedOut: return "timed out";
    case Paste::Failed: return "failed";
    case Paste::Interfered: return "another program took the clipboard";
    case Paste::LateCopy: return "the target copied its selection late";
    case Paste::TargetLost: return "target lost";
    }
    return "?";
}

const char* nameOf(KeysSent k)
{
    switch (k) {
    case KeysSent::Sent: return "sent";
    case KeysSent::Failed: return "refused (not typeable on this keyboard, or the target may have a selection); pasted instead";
    case KeysSent::TargetLost: return "target lost";
    }
    return "?";
}

// Where the last `chars` characters of UTF-8 `text` start.
std::size_t byteOffsetFromEnd(const std::string& text, std::size_t chars)
{
    std::size_t i = text.size();
    while (chars > 0 && i > 0) {
        --i;
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            --chars;
    }
    return i;
}

const char* nameOf(ClipboardText::Result r)
{
    switch (r) {
    case ClipboardText::Result::Text: return "text";
    case ClipboardText::Result::NoText: return "none";
    case ClipboardText::Result::Failed: return "failed";
    }
    return "?";
}

std::string validUtf8(std::string_view s)
{
    return text::isValidUtf8(s) ? std::string(s) : text::sanitizeUtf8(s);
}

} // namespace

TagInserter::TagInserter(EventLoop& loop, Desktop& desktop, Clipboard& clipboard, KeyDelivery& keys,
                         const Settings& settings, const TargetState& target, std::string lineBreak)
    : loop_(loop),
      desktop_(desktop),
      clipboard_(clipboard),
      keys_(keys),
      settings_(settings),
      target_(target),
      lineBreak_(std::move(lineBreak))
{
}

std::string TagInserter::ApplyTagFace(std::string_view text) const
{
    return orvanel::ApplyTagFace(text, settings_.TagFace);
}

void TagInserter::log(const std::string& line) const
{
    if (!log_)
        return;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started_).count();
    char at[32];
    std::snprintf(at, sizeof at, " (at %.1f ms)", ms);
    log_(line + at);
}

void TagInserter::InsertTemplate(std::string_view tmpl)
{
    if (busy_) {
        // Called from a handler that the event loop ran in the middle of an insertion:
        // done right after the one under way, never interleaved with it.
        queued_.emplace_back(tmpl);
        return;
    }
    busy_ = true;
    try {
        bool goOn = insertOne(std::string(tmpl));
        while (goOn && !queued_.empty()) {
            const std::string next = std::move(queued_.front());
            queued_.pop_front();
            goOn = insertOne(next);
        }
    } catch (...) {
        // An insertion that failed stops the ones waiting behind it as well.
        queued_.clear();
        busy_ = false;
        throw;
    }
    if (!queued_.empty())
        log("insert: " + std::to_string(queued_.size()) + " queued insertion(s) dropped");
    queued_.clear();
    busy_ = false;
}

void TagInserter::setClipboard(const std::string& text)
{
    if (!clipboard_.setClipboardText(text)) {
        log("insert: the clipboard cannot be owned");
        throw UserError(ClipboardError);
    }
}

bool TagInserter::stop(WindowHandle target, const char* message)
{
    if (!desktop_.windowExists(target)) {
        log("insert: the target window closed; insertion ended");
        return false;
    }
    throw UserError(message);
}

bool TagInserter::pasteText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& text,
                            bool afterTypedKeys)
{
    setClipboard(text);
    loop_.pump();
    const Paste paste = keys_.paste(target, control, m);
    log(std::string("insert: paste ") + nameOf(paste));
    switch (paste) {
    case Paste::Taken: return true;
    case Paste::TargetLost: return stop(target, NotActivated);
    case Paste::TimedOut: return stop(target, NotPasted);
    case Paste::Failed: return stop(target, CannotPaste);
    case Paste::Interfered: return stop(target, PasteTakenByOther);
    case Paste::LateCopy: return stop(target, afterTypedKeys ? ReplacedByTypedKeys : NoAnswer);
    }
    return stop(target, CannotPaste);
}

bool TagInserter::stepCaretBack(WindowHandle target, WindowHandle control, InsertMethod m, int count)
{
    if (keys_.caretLeft(target, control, m, count) != KeysSent::Sent) {
        log("insert: the caret keys were not sent (the target was lost, or they have no key code)");
        return false;
    }
    if (count > 0)
        log("insert: caret " + std::to_string(count) + " left");
    loop_.pump();
    return true;
}

bool TagInserter::insertOne(const std::string& given)
{
    started_ = std::chrono::steady_clock::now();
    if (given.empty()) {
        log("insert: empty template, nothing to do");
        return true;
    }
    // The caret count must match the characters the editor receives.
    const std::string tmpl = validUtf8(given);
    loop_.pump();

    // Read once: handlers run by the event loop below may change the settings or the target.
    const int method = settings_.InsertMethod;
    const bool autoActive = settings_.AutoActive;
    const WindowHandle target = target_.TargetWindow();
    const WindowHandle control = target_.TargetControl();

    if (method != 0 && method != 1) {
        // No transfer: the expanded text is left on the clipboard only.
        setClipboard(ExpandTemplate(tmpl, {}, lineBreak_));
        return true;
    }
    if (target == 0 || !desktop_.windowExists(target)) {
        log("insert: no target window");
        return false;
    }
    const InsertMethod m = method == 0 ? InsertMethod::Messages : InsertMethod::Emulation;
    const ProcessId targetPid = desktop_.windowProcess(target);
    const WindowHandle activeBefore = desktop_.activeWindow();

    // The clipboard is emptied first, so that the target's copy shows as a new owner.
    setClipboard(std::string());

    if (m == InsertMethod::Emulation) {
        const Activation a = desktop_.activateWindow(target);
        log(std::string("insert: activation ") + nameOf(a));
        if (a != Activation::Confirmed)
            return stop(target, NotActivated);
    }

    const Fetch fetch = keys_.fetchSelection(target, control, m);
    log(std::string("insert: fetch ") + nameOf(fetch));
    std::string selection;
    switch (fetch) {
    case Fetch::Taken: {
        // The text counts only when the target's process served it: another program taking
        // the clipboard in between must not put its text in place of the selection.
        const ClipboardText read = clipboard_.readClipboard();
        log(std::string("insert: read ") + nameOf(read.result) + ", owner " + std::to_string(read.owner) +
            (read.owner == targetPid ? " (the target)" : " (not the target)"));
        if (read.result == ClipboardText::Result::Text && read.owner == targetPid) {
            selection = validUtf8(read.text);
            break;
        }
        return stop(target, read.result == ClipboardText::Result::Text ? TakenByOther : NotFetched);
    }
    case Fetch::NothingSelected:
        break;
    case Fetch::TimedOut:
        return stop(target, NoAnswer);
    case Fetch::Failed:
        return stop(target, NotFetched);
    case Fetch::Interfered:
        return stop(target, TakenByOther);
    case Fetch::TargetLost:
        return stop(target, NotActivated);
    }
    loop_.pump();

    const std::string text = ExpandTemplate(tmpl, selection, lineBreak_);
    const int caretBack = static_cast<int>(CaretBackCount(tmpl, selection));
    if (text.empty()) {
        // Pasting nothing would only delete the selection.
        log("insert: the template expands to nothing; the editor is left as it was");
        return true;
    }
    // With synthesized keys and nothing selected, the part after the caret is typed first and
    // the rest pasted last: some editors finish a paste later than anything over X shows, and
    // caret keys after the paste could be handled before the text lands. Nothing follows that
    // paste, and wherever it lands the caret ends after it, just before the typed part.
    std::string pasted = text;
    bool tailTyped = false;
    if (m == InsertMethod::Emulation && fetch == Fetch::NothingSelected && caretBack > 0) {
        const std::size_t cut = byteOffsetFromEnd(text, static_cast<std::size_t>(caretBack));
        const std::string typed = text.substr(cut);
        if (IsTypeableText(typed)) {
            const KeysSent sent = keys_.typeText(target, control, m, typed);
            log("insert: typed \"" + typed + "\": " + nameOf(sent));
            if (sent == KeysSent::TargetLost)
                return stop(target, NotActivated);
            if (sent == KeysSent::Sent) {
                loop_.pump();
                if (!stepCaretBack(target, control, m, caretBack))
                    return false;
                pasted = text.substr(0, cut);
                tailTyped = true;
            }
        }
    }
    if (!pasted.empty() && !pasteText(target, control, m, pasted, tailTyped))
        return false;
    if (m == InsertMethod::Messages && autoActive)
        log(std::string("insert: activation ") + nameOf(desktop_.activateWindow(target)));
    loop_.pump();

    if (!tailTyped && !stepCaretBack(target, control, m, caretBack))
        return false;
    if (m == InsertMethod::Emulation && !autoActive && activeBefore != target) {
        // Give the activation back to the window that had it before.
        const bool own = activeBefore == 0 || desktop_.isOwnWindow(activeBefore) || !desktop_.windowExists(activeBefore);
        const Activation back = own ? desktop_.activateOwnWindow() : desktop_.activateWindow(activeBefore);
        log(std::string("insert: activation given back: ") + nameOf(back));
    }
    loop_.pump();
    return true;
}

} // namespace orvanel
