#pragma once
// The few values that every interface to the operating system speaks of.

#include <cstdint>

namespace orvanel {

using WindowHandle = std::uint64_t; // 0: no window
using ProcessId = std::uint32_t;    // 0: unknown

// How text is put into the target window (the InsertMethod setting).
enum class InsertMethod {
    Messages = 0,  // events delivered to the target without activating it
    Emulation = 1, // the target is activated and keys are synthesized
};

} // namespace orvanel
