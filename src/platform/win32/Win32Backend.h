#pragma once
// The Windows backend: the wide-character calls of user32 and the shell on the program's own
// message loop, through a message-only window of ours. It needs nothing but the core.

#include "platform/Backend.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32DockStrip.h"
#include "platform/win32/Win32Events.h"
#include "platform/win32/Win32FileIcons.h"
#include "platform/win32/Win32HotKey.h"
#include "platform/win32/Win32KeyDelivery.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32ProgramStarter.h"
#include "platform/win32/Win32Waits.h"

namespace orvanel::win32 {

class Win32Backend final : public Backend {
public:
    Win32Backend()
        : clipboard_(events_, waits_),
          desktop_(events_, waits_),
          keys_(events_, waits_),
          hotKey_(events_),
          programs_(events_, waits_)
    {
    }

    EventLoop& eventLoop() override { return events_; }
    Desktop& desktop() override { return desktop_; }
    Clipboard& clipboard() override { return clipboard_; }
    KeyDelivery& keyDelivery() override { return keys_; }
    HotKey& hotKey() override { return hotKey_; }
    Keyboard& keyboard() override { return keyboard_; }
    DockStrip& dockStrip() override { return dockStrip_; }
    ProgramStarter& programStarter() override { return programs_; }
    FileIcons& fileIcons() override { return fileIcons_; }

private:
    // The events first: the parts hand their handlers to them.
    Waits waits_;
    Win32Events events_;
    Win32Clipboard clipboard_;
    Win32Desktop desktop_;
    Win32KeyDelivery keys_;
    Win32HotKey hotKey_;
    Win32Keyboard keyboard_;
    Win32DockStrip dockStrip_;
    Win32ProgramStarter programs_;
    Win32FileIcons fileIcons_;
};

} // namespace orvanel::win32
