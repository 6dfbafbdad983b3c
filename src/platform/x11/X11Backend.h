#pragma once
// The X11 backend: one Xlib connection of our own, driven from the Qt event loop, and the
// parts that speak through it.

#include "platform/Backend.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11DockStrip.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11KeyDelivery.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11ProgramStarter.h"
#include "platform/x11/X11SelectionWatch.h"
#include "platform/x11/X11Waits.h"
#include "platform/posix/MimeFileIcons.h"

namespace orvanel::x11 {

class X11Backend final : public Backend {
public:
    X11Backend();

    EventLoop& eventLoop() override { return events_; }
    Desktop& desktop() override { return desktop_; }
    Clipboard& clipboard() override { return clipboard_; }
    KeyDelivery& keyDelivery() override { return keys_; }
    HotKey& hotKey() override { return hotKey_; }
    Keyboard& keyboard() override { return keyboard_; }
    DockStrip& dockStrip() override { return dock_; }
    ProgramStarter& programStarter() override { return programs_; }
    FileIcons& fileIcons() override { return icons_; }

    // The limits of the waits, and the parts themselves (for the backend's own tests).
    Waits& waits() { return waits_; }
    X11Connection& connection() { return conn_; }
    X11Events& events() { return events_; }
    X11Clipboard& x11Clipboard() { return clipboard_; }

private:
    // In the order of construction: the connection first, its events next, then the parts
    // that hand their handlers to the events.
    Waits waits_;
    X11Connection conn_;
    X11Events events_;
    X11SelectionWatch watch_;
    X11Clipboard clipboard_;
    X11Desktop desktop_;
    X11KeyDelivery keys_;
    X11HotKey hotKey_;
    X11Keyboard keyboard_;
    X11DockStrip dock_;
    X11ProgramStarter programs_;
    MimeFileIcons icons_;
};

} // namespace orvanel::x11
