#pragma once
// The program's entry: the command-line face when a verb is given, otherwise the single
// instance check, the palette and the event loop.

namespace orvanel {

// Returns the process's exit status: 0 after the palette closed (or when it could not be
// created), 255 when another instance runs or the instance lock cannot be taken, the
// verb's status for the command-line face.
int runOrvanel(int argc, char** argv);

} // namespace orvanel
