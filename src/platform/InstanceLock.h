#pragma once
// The per-user lock that admits one running instance of the program.

#include <memory>
#include <string>

namespace orvanel {

// Held while this process is the running instance; released on destruction.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

class InstanceLocks {
public:
    enum class LockResult { Acquired, AlreadyRunning, Failed };
    virtual ~InstanceLocks() = default;
    // Takes the per-user instance lock called `name`; on Acquired, `held` keeps it.
    virtual LockResult acquireInstanceLock(const std::string& name, std::unique_ptr<InstanceLock>& held) = 0;
};

// The instance locks of this system: a lock file under POSIX, a named mutex on Windows. They
// need no display, so a second start is refused before the backend is made.
std::unique_ptr<InstanceLocks> createInstanceLocks();

} // namespace orvanel
