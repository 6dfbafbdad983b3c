#pragma once
// The keys held down now, from the server's key map (XQueryKeymap): the keys of each key
// code as the keyboard's first group and level names them.

#include "platform/Keyboard.h"
#include "platform/x11/X11Connection.h"

namespace orvanel::x11 {

class X11Keyboard final : public Keyboard {
public:
    explicit X11Keyboard(X11Connection& c) : c_(c) {}
    std::optional<KeyboardState> keysDownNow() override;

private:
    X11Connection& c_;
};

} // namespace orvanel::x11
