#pragma once
// The windowed program: the single instance check, the palette and the event loop.

namespace orvanel {

// Returns the process's exit status: 0 after the palette closed (or when it could not be
// created), 255 when another instance runs or the instance lock cannot be taken, 1 without
// a display.
int runPalette(int argc, char** argv);

} // namespace orvanel
