#pragma once
// The programs the palette starts: spawned with an argument vector, never through a shell;
// their standard streams on /dev/null and in a session of their own, so that they outlive
// the palette's terminal; reaped as soon as they end (watched from the Qt event loop), so
// that none stays behind as a zombie.

#include "platform/ProgramStarter.h"

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QEventLoop;
class QTimer;

namespace orvanel::posix {

// The file that `program` runs: the program itself when its name holds a "/", else the
// first executable file of that name in the folders of `searchPath` (":"-separated; an
// empty entry is the current folder). ProgramMissing when there is none;
// NotExecutable when the file is there but is a folder or may not be executed.
struct ResolvedProgram {
    StartOutcome outcome = StartOutcome::ProgramMissing;
    std::string path; // Started only
};
ResolvedProgram resolveProgram(const std::string& program, const char* searchPath);

class ChildProcesses {
public:
    ChildProcesses();
    ~ChildProcesses();
    ChildProcesses(const ChildProcesses&) = delete;
    ChildProcesses& operator=(const ChildProcesses&) = delete;

    StartResult start(const std::vector<std::string>& argv);
    // Whether the child `pid`, started here, has ended.
    bool hasEnded(ProcessId pid) const;
    // The exit status of an ended child; nullopt while it runs, when a signal ended it, or
    // for a process not started here.
    std::optional<int> exitStatus(ProcessId pid) const;
    // Runs the event loop until the child `pid` has ended or `limit` has passed; true when
    // it ended.
    bool waitForEnd(ProcessId pid, std::chrono::milliseconds limit);

private:
    struct Child;
    struct Ended {
        ProcessId pid;
        std::optional<int> status;
    };
    void watch(ProcessId pid);
    // Collects the child when it has ended; true when it had.
    bool reap(ProcessId pid);
    void pollUnwatched();

    std::map<ProcessId, std::unique_ptr<Child>> running_;
    std::deque<Ended> ended_; // the latest ones
    std::vector<std::pair<ProcessId, QEventLoop*>> waiters_;
    std::unique_ptr<QTimer> poller_; // for children without a process descriptor
};

} // namespace orvanel::posix
