#pragma once
// Puts tag text into the target window: fetches the editor's selection through the
// clipboard, expands the template around it, pastes the result over the selection and
// moves the caret back to just after the selected text.

#include "options/Settings.h"
#include "insert/TagTemplate.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/EventLoop.h"
#include "platform/KeyDelivery.h"

#include <deque>
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

    // Inserts the template into the target (see the class comment), by the InsertMethod
    // setting: 0 window messages, 1 key emulation, any other value: the expanded text is
    // only left on the clipboard. AutoActive set: the editor is active afterwards; unset:
    // the window that was active before is active again.
    // The event loop runs while it waits for the editor. An insertion asked for while one
    // is under way (from a handler run by the event loop) is queued and done right after
    // it, in order; the inner call returns at once.
    // Throws UserError("クリップボードを開くことができません") when the clipboard cannot be
    // owned; nothing has been cut then, or a selection already cut is pasted back.
    void InsertTemplate(std::string_view tmpl);

    // Whether an insertion is under way.
    bool busy() const { return busy_; }

private:
    void insertOne(const std::string& tmpl);
    void setClipboard(const std::string& text);

    EventLoop& loop_;
    Desktop& desktop_;
    Clipboard& clipboard_;
    KeyDelivery& keys_;
    const Settings& settings_;
    const TargetState& target_;
    std::string lineBreak_;
    bool busy_ = false;
    std::deque<std::string> queued_;
};

} // namespace orvanel
