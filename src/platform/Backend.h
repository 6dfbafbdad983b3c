#pragma once
// The operating system's side of the program: one object per concern, made together by the
// backend of this build (X11 on Linux; the fake one in tests). The backends run on the Qt
// event loop: a QCoreApplication must exist before one is created.
//
// To add a concern: declare its small interface in core (plain C++, every call's ending in
// its signature), add an accessor here, and implement it in each backend's folder.

#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/DockStrip.h"
#include "platform/EventLoop.h"
#include "platform/FileIcons.h"
#include "platform/HotKey.h"
#include "platform/KeyDelivery.h"
#include "platform/Keyboard.h"
#include "platform/ProgramStarter.h"

#include <memory>

namespace orvanel {

class Backend {
public:
    virtual ~Backend() = default;
    virtual EventLoop& eventLoop() = 0;
    virtual Desktop& desktop() = 0;
    virtual Clipboard& clipboard() = 0;
    virtual KeyDelivery& keyDelivery() = 0;
    virtual HotKey& hotKey() = 0;
    virtual Keyboard& keyboard() = 0;
    virtual DockStrip& dockStrip() = 0;
    virtual ProgramStarter& programStarter() = 0;
    virtual FileIcons& fileIcons() = 0;
};

// The backend of this build (X11 on Linux); throws std::runtime_error when the display
// cannot be reached.
std::unique_ptr<Backend> createBackend();

} // namespace orvanel
