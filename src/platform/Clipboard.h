#pragma once
// The system clipboard, as text.

#include "platform/PlatformTypes.h"

#include <string>

namespace orvanel {

// What reading the clipboard found.
struct ClipboardText {
    enum class Result {
        Text,   // `text` is the clipboard's text
        NoText, // the clipboard has no owner, or its owner offers no text
        Failed, // the owner did not answer in time, or changed while the text was read
    };
    Result result = Result::NoText;
    std::string text;    // UTF-8
    ProcessId owner = 0; // the process that served the text; 0 when unknown
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Owns the clipboard with `utf8` (the empty text empties it, so the clipboard keeps an
    // owner); false when it cannot be owned.
    [[nodiscard]] virtual bool setClipboardText(const std::string& utf8) = 0;
    // The clipboard's text and who served it (bounded wait, event loop running).
    virtual ClipboardText readClipboard() = 0;
};

} // namespace orvanel
