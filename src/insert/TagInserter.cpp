#include "insert/TagInserter.h"

#include "insert/TargetWindow.h"
#include "text/UserError.h"

namespace orvanel {

namespace {
constexpr const char* ClipboardError = "クリップボードを開くことができません";
}

TagInserter::TagInserter(Platform& platform, const Settings& settings, const TargetState& target,
                         std::string lineBreak)
    : platform_(platform), settings_(settings), target_(target), lineBreak_(std::move(lineBreak))
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
    if (!platform_.setClipboardText(text))
        throw UserError(ClipboardError);
}

void TagInserter::insertOne(const std::string& tmpl)
{
    platform_.pump();

    // Read once: handlers run by the event loop below may change the settings or the target.
    const int method = settings_.InsertMethod;
    const bool autoActive = settings_.AutoActive;
    const WindowHandle target = target_.TargetWindow();
    const WindowHandle control = target_.TargetControl();
    const WindowHandle activeBefore = platform_.activeWindow();

    // Emptying the clipboard first means that a selection that cannot be handed back is
    // never cut: when the clipboard cannot be owned this throws before anything happened.
    setClipboard(std::string());

    if (method == 0) {
        platform_.fetchSelection(target, control, InsertMethod::Messages);
    } else if (method == 1) {
        platform_.activateWindow(target);
        platform_.fetchSelection(target, control, InsertMethod::Emulation);
    }
    platform_.pump();
    const std::string selection = platform_.clipboardText();
    platform_.pump();

    const std::string text = ExpandTemplate(tmpl, selection, lineBreak_);
    const int caretBack = static_cast<int>(CaretBackCount(tmpl, selection));

    if (!platform_.setClipboardText(text)) {
        // The selection was cut but the text cannot be put on the clipboard: the clipboard
        // still holds the selection, so paste it back rather than lose it.
        if (method == 0 && !selection.empty() && platform_.clipboardText() == selection)
            platform_.paste(target, control, InsertMethod::Messages);
        throw UserError(ClipboardError);
    }
    platform_.pump();

    if (method == 0) {
        platform_.paste(target, control, InsertMethod::Messages);
        if (autoActive)
            platform_.activateWindow(target);
        platform_.pump();
        platform_.caretLeft(target, control, InsertMethod::Messages, caretBack);
    } else if (method == 1) {
        platform_.paste(target, control, InsertMethod::Emulation);
        platform_.pump();
        platform_.caretLeft(target, control, InsertMethod::Emulation, caretBack);
        platform_.pump();
        if (!autoActive && activeBefore != target) {
            // Give the activation back to the window that had it before.
            if (activeBefore == 0 || platform_.isOwnWindow(activeBefore) || !platform_.windowExists(activeBefore))
                platform_.activateOwnWindow();
            else
                platform_.activateWindow(activeBefore);
        }
    }
    platform_.pump();
}

} // namespace orvanel
