#pragma once
// The global hot key: XGrabKey on the root window, once for each combination of the
// NumLock and CapsLock states so that those locks do not disable it.

#include "platform/HotKey.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"

#include <functional>

namespace orvanel::x11 {

class X11HotKey final : public HotKey {
public:
    X11HotKey(X11Connection& c, X11Events& events);
    ~X11HotKey() override { ungrab(); }

    // Grabs modifier bits (HotKeyShift, ...) + the key of a virtual-key code.
    HotKeyRegistration registerHotKey(unsigned modifiers, int virtualKey) override;
    void unregisterHotKey() override { ungrab(); }
    void setHotKeyHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    void ungrab();
    // True for a press of the grabbed key.
    bool isPress(const XEvent& e) const;
    void grabAll(bool on);

    X11Connection& c_;
    X11Events& events_;
    std::function<void()> handler_;
    KeyCode key_ = 0;
    unsigned mask_ = 0;
    unsigned numLockMask_ = 0;
};

} // namespace orvanel::x11
