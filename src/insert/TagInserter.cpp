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
    setClipboard(text);
    loop_.pump();

    const Paste paste = keys_.paste(target, control, m);
    log(std::string("insert: paste ") + nameOf(paste));
    if (paste == Paste::TargetLost)
        return stop(target, NotActivated);
    if (paste == Paste::TimedOut)
        return stop(target, NotPasted);
    if (paste == Paste::Failed)
        return stop(target, CannotPaste);
    if (paste == Paste::Interfered)
        return stop(target, PasteTakenByOther);
    if (paste == Paste::LateCopy)
        return stop(target, NoAnswer);
    if (m == InsertMethod::Messages && autoActive)
        log(std::string("insert: activation ") + nameOf(desktop_.activateWindow(target)));
    loop_.pump();

    if (keys_.caretLeft(target, control, m, caretBack) != KeysSent::Sent) {
        log("insert: the caret keys were not sent (the target was lost, or they have no key code)");
        return false;
    }
    loop_.pump();
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
