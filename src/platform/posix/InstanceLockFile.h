#pragma once
// The per-user instance lock: a file named after the lock in $XDG_RUNTIME_DIR (else in the
// temporary folder, with the user id in its name so that users do not block each other),
// held with flock for as long as the returned lock lives. The kernel drops the lock when
// the process ends in any way, so a crashed instance never blocks the next start.

#include "platform/InstanceLock.h"

#include <memory>
#include <string>

namespace orvanel {

// Where the lock file called `name` lies for this user.
std::string instanceLockFilePath(const std::string& name);

// Acquired (and `held` keeps the lock), AlreadyRunning when another process holds it, or
// Failed when the file cannot be opened or locked.
InstanceLocks::LockResult acquireInstanceLockFile(const std::string& name, std::unique_ptr<InstanceLock>& held);

// The same, as the interface of the instance lock.
class InstanceLockFiles final : public InstanceLocks {
public:
    LockResult acquireInstanceLock(const std::string& name, std::unique_ptr<InstanceLock>& held) override
    {
        return acquireInstanceLockFile(name, held);
    }
};

} // namespace orvanel
