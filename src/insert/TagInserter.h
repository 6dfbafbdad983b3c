#pragma once
// Puts tag text into the target window: copies the editor's selection through the
// clipboard, expands the template around it, pastes the result over the selection and
// moves the caret back to just after the selected text.
//
// Every step says how it ended, and the insertion goes on only on the ending it needs: keys
// go only to a target confirmed active, the text read back is used only when the target's
// process served it, and a step that timed out or failed stops the insertion with its message
// and with nothing pasted. The selection is copied, never cut, so a stop loses nothing.

#include "insert/TagTemplate.h"
#include "options/Settings.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/EventLoop.h"
#include "platform/KeyDelivery.h"

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace orvanel {

class TargetState;

class TagInserter {
public:
    // The settings are read at every insertion, so changes in the options take effect at
    // once. `lineBreak` is what "%CR%" becomes.
    TagInserter(EventLoop& loop, Desktop& desktop, Clipboard& clipboard, KeyDelivery& keys,
                const Settings& settings, const TargetState& target,
                std::string lineBreak = std::string(PlatformLineBreak));

    // The template in the letter case of the TagFace setting.
    std::string ApplyTagFace(std::string_view text) const;

    // Inserts the template into the target, by the InsertMethod setting: 0 window messages,
    // 1 key emulation, any other value: the expanded text is only left on the clipboard.
    // AutoActive set: the editor is active afterwards; unset: the window that was active
    // before is active again.
    // Nothing happens for an empty template, without a target, or when the target closes on
    // the way (nothing is then sent to any other window). A step that fails throws UserError
    // with its message; nothing has been pasted then and the editor's text is as it was,
    // except after keys typed on the strength of nothing selected into an editor whose copy
    // came only after them: they replaced the selection, and the message says so.
    // The event loop runs while it waits for the editor. An insertion asked for while one is
    // under way (from a handler run by the event loop) is queued and done right after it, in
    // order; the inner call returns at once. An insertion that stops drops the queued ones.
    void InsertTemplate(std::string_view tmpl);

    // Whether an insertion is under way.
    bool busy() const { return busy_; }

    // Receives one line for each step of an insertion and how it ended (for diagnostics).
    void setLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

private:
    // False when the insertion ended without inserting (no target, the target closed).
    bool insertOne(const std::string& tmpl);
    void setClipboard(const std::string& text);
    // Puts `text` on the clipboard and pastes it into the target; false or UserError (see
    // stop) when it was not pasted. `afterTypedKeys`: keys were typed on the strength of
    // nothing selected, so that a copy that comes late means they replaced the selection.
    bool pasteText(WindowHandle target, WindowHandle control, InsertMethod m, const std::string& text,
                   bool afterTypedKeys);
    // Steps the target's caret `count` characters to the left; false when the keys were not sent.
    bool stepCaretBack(WindowHandle target, WindowHandle control, InsertMethod m, int count);
    // The insertion cannot go on: false (a quiet end) when the target has gone, else
    // UserError(message).
    bool stop(WindowHandle target, const char* message);
    void log(const std::string& line) const;

    EventLoop& loop_;
    Desktop& desktop_;
    Clipboard& clipboard_;
    KeyDelivery& keys_;
    const Settings& settings_;
    const TargetState& target_;
    std::string lineBreak_;
    bool busy_ = false;
    std::deque<std::string> queued_;
    std::function<void(const std::string&)> log_;
    std::chrono::steady_clock::time_point started_; // of the insertion under way, for the log
};

} // namespace orvanel
