#pragma once
// What the operating system does for the launchers: start a program with an argument
// vector, wait for the window of the started process, and open a file with the program
// the desktop associates with it. Every call says how it ended.

#include "platform/PlatformTypes.h"

#include <string>
#include <vector>

namespace orvanel {

enum class StartOutcome {
    Started,        // the process runs; `pid` is its id
    ProgramMissing, // no file at the program's path (or, for a bare name, on the search path)
    NotExecutable,  // the file is there but cannot be run (no permission, not a program, or
                    // the system could not start another process)
};

struct StartResult {
    StartOutcome outcome = StartOutcome::ProgramMissing;
    ProcessId pid = 0; // Started only
};

enum class WindowWaitOutcome {
    WindowShown,  // a window of the process was mapped
    ProcessEnded, // the process ended without one (a single-instance editor that handed its
                  // file to the running instance)
    TimedOut,     // none within the bound
};

enum class DesktopOpenOutcome {
    Opened, // the desktop took the file
    Failed, // no program is associated with it, or the desktop's opener could not run
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts argv[0] with the arguments argv[1..], never through a shell, so that every
    // element reaches the program as one argument whatever characters it holds. A name
    // without "/" is looked up on the search path.
    virtual StartResult startProcess(const std::vector<std::string>& argv) = 0;
    // Waits, with the event loop running, until a window of `pid` is mapped; bounded.
    virtual WindowWaitOutcome waitForWindow(ProcessId pid) = 0;
    // Opens `path` (a file or an address) with the program the desktop associates with it.
    virtual DesktopOpenOutcome openWithDesktop(const std::string& path) = 0;
};

} // namespace orvanel
