#pragma once
// The instance lock on Windows: the named mutex, created without initial ownership. Its
// handle stays open while the lock lives; the name exists as long as a process holds a
// handle, so a second CreateMutexW finds it (ERROR_ALREADY_EXISTS), and it goes with the
// last handle, also when a process ends without closing it.

#include "platform/InstanceLock.h"

namespace orvanel::win32 {

class Win32InstanceMutexes final : public InstanceLocks {
public:
    LockResult acquireInstanceLock(const std::string& name, std::unique_ptr<InstanceLock>& held) override;
};

} // namespace orvanel::win32
