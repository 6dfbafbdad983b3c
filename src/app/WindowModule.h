#pragma once
// On Linux the windows (the palette and everything it opens) live in a module of their own,
// which the executable loads only when it is started without a verb: the command-line verbs
// then start without loading Qt or X11. The module exports one C entry.

#include <iosfwd>
#include <string>

namespace orvanel {

// The module's file name; it is beside the executable where the program was built and in
// <prefix>/lib/orvanel/ of an installed program.
inline constexpr const char* WindowModuleName = "orvanel-ui.so";
inline constexpr const char* WindowModuleFolder = "lib/orvanel/";

// The entry the module exports: the palette's run with the process's arguments; returns the
// process's exit status.
inline constexpr const char* WindowModuleEntry = "orvanel_run_palette";
using WindowModuleEntryFunction = int (*)(int argc, char** argv);

// The module of the executable in `programFolder` (see programFileFor in ExeFolder.h).
std::string windowModuleFor(const std::string& programFolder);

// Loads the module at `path` and runs its entry. When the module cannot be loaded or has no
// entry: one line on `err` with the loader's reason, status 1.
int runWindowModule(const std::string& path, int argc, char** argv, std::ostream& err);

} // namespace orvanel
