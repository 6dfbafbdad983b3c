#pragma once
// The Windows clipboard as text: CF_UNICODETEXT (CF_TEXT, in the system's code page, when
// that is all there is), owned by our helper window while it holds our text, and the
// process of whoever owns it.

#include "platform/Clipboard.h"
#include "platform/win32/Win32Events.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Waits.h"

namespace orvanel::win32 {

class Win32Clipboard final : public Clipboard {
public:
    Win32Clipboard(Win32Events& events, const Waits& waits) : events_(events), waits_(waits) {}

    bool setClipboardText(const std::string& utf8) override;
    ClipboardText readClipboard() override;

    // Counts every change of the clipboard's content (GetClipboardSequenceNumber).
    static DWORD changeCount() { return ::GetClipboardSequenceNumber(); }

private:
    // Opens the clipboard for our helper window, waiting (bounded) while another program
    // holds it open.
    bool open(OpenedClipboard& clipboard);

    Win32Events& events_;
    const Waits& waits_;
};

} // namespace orvanel::win32
