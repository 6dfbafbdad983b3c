#pragma once
// The system clipboard, as text.

#include <string>

namespace orvanel {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Owns the clipboard with `utf8` (the empty text empties it); false when it cannot be owned.
    virtual bool setClipboardText(const std::string& utf8) = 0;
    // The clipboard's text, UTF-8; empty when it holds none.
    virtual std::string clipboardText() = 0;
};

} // namespace orvanel
