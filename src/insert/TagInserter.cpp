#include "insert/TagInserter.h"

#include "insert/TargetWindow.h"
#include "text/UserError.h"

namespace orvanel {

namespace {
constexpr const char* ClipboardError = "クリップボードを開くことができません";
}

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
        insertOne(std::string(tmpl));
        while (!queued_.empty()) {
            const std::string next = std::move(queued_.front());
            queued_.pop_front();
            insertOne(next);
        }
    } catch (...) {
        // An insertion that failed stops the ones waiting behind it as well.
        queued_.clear();
        busy_ = false;
        throw;
    }
    busy_ = false;
}

void TagInserter::setClipboard(const std::string& text)
{
    if (!clipboard_.setClipboardText(text))
        throw UserError(ClipboardError);
}

void TagInserter::insertOne(const std::string& tmpl)
{
    loop_.pump();

    // Read once: handlers run by the event loop below may change the settings or the target.
    const int method = settings_.InsertMethod;
    const bool autoActive = settings_.AutoActive;
    const WindowHandle target = target_.TargetWindow();
    const WindowHandle control = target_.TargetControl();
    const WindowHandle activeBefore = desktop_.activeWindow();

    // Emptying the clipboard first means that a selection that cannot be handed back is
    // never cut: when the clipboard cannot be owned this throws before anything happened.
    setClipboard(std::string());

    if (method == 0) {
        keys_.fetchSelection(target, control, InsertMethod::Messages);
    } else if (method == 1) {
        desktop_.activateWindow(target);
        keys_.fetchSelection(target, control, InsertMethod::Emulation);
    }
    loop_.pump();
    const std::string selection = clipboard_.clipboardText();
    loop_.pump();

    const std::string text = ExpandTemplate(tmpl, selection, lineBreak_);
    const int caretBack = static_cast<int>(CaretBackCount(tmpl, selection));

    if (!clipboard_.setClipboardText(text)) {
        // The selection was cut but the text cannot be put on the clipboard: the clipboard
        // still holds the selection, so paste it back rather than lose it.
        if (method == 0 && !selection.empty() && clipboard_.clipboardText() == selection)
            keys_.paste(target, control, InsertMethod::Messages);
        throw UserError(ClipboardError);
    }
    loop_.pump();

    if (method == 0) {
        keys_.paste(target, control, InsertMethod::Messages);
        if (autoActive)
            desktop_.activateWindow(target);
        loop_.pump();
        keys_.caretLeft(target, control, InsertMethod::Messages, caretBack);
    } else if (method == 1) {
        keys_.paste(target, control, InsertMethod::Emulation);
        loop_.pump();
        keys_.caretLeft(target, control, InsertMethod::Emulation, caretBack);
        loop_.pump();
        if (!autoActive && activeBefore != target) {
            // Give the activation back to the window that had it before.
            if (activeBefore == 0 || desktop_.isOwnWindow(activeBefore) || !desktop_.windowExists(activeBefore))
                desktop_.activateOwnWindow();
            else
                desktop_.activateWindow(activeBefore);
        }
    }
    loop_.pump();
}

} // namespace orvanel
