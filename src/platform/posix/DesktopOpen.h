#pragma once
// A file or an address opened with the program the desktop associates with it: xdg-open,
// started as any other program.

#include "platform/ProgramStarter.h"
#include "platform/posix/ChildProcesses.h"

#include <chrono>
#include <string>

namespace orvanel::posix {

// xdg-open ends at once when it cannot open `path` (no program for it, a missing file); on
// some desktops it runs the program itself and ends only when that program does. So it has
// opened the file when it ends with status 0, or when it still runs after `answer`.
DesktopOpenOutcome openWithXdgOpen(ChildProcesses& children, const std::string& path,
                                   std::chrono::milliseconds answer);

} // namespace orvanel::posix
