#include "platform/win32/Win32InstanceMutex.h"

#include "platform/win32/Win32Handles.h"
#include "text/Utf16.h"

namespace orvanel::win32 {
namespace {

class MutexLock final : public InstanceLock {
public:
    explicit MutexLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}

private:
    UniqueHandle mutex_;
};

} // namespace

InstanceLocks::LockResult Win32InstanceMutexes::acquireInstanceLock(const std::string& name,
                                                                   std::unique_ptr<InstanceLock>& held)
{
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, text::toUtf16(name).c_str()));
    // Read at once: the next call may change it.
    const DWORD error = ::GetLastError();
    if (!mutex)
        return LockResult::Failed;
    if (error == ERROR_ALREADY_EXISTS)
        return LockResult::AlreadyRunning; // our handle closes here
    held = std::make_unique<MutexLock>(std::move(mutex));
    return LockResult::Acquired;
}

} // namespace orvanel::win32

namespace orvanel {

std::unique_ptr<InstanceLocks> createInstanceLocks() { return std::make_unique<win32::Win32InstanceMutexes>(); }

} // namespace orvanel
