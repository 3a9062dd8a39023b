#pragma once

// The per-user single-instance lock: a named mutex held for the whole run. A second copy
// finds the name taken and ends at once without contacting the first.

#include <string>

namespace tessary {

enum class InstanceLockResult {
  kAcquired,        // this copy holds the lock now
  kAlreadyRunning,  // another copy holds it (ERROR_ALREADY_EXISTS)
  kFailed,          // the system gave no mutex at all; the copy runs without the lock
};

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;

  // CreateMutexW(null, TRUE, name) with the UTF-8 name converted. kAlreadyRunning when
  // GetLastError reports ERROR_ALREADY_EXISTS (the handle is closed again at once).
  virtual InstanceLockResult Acquire(const std::string& name) = 0;
  // ReleaseMutex and CloseHandle; nothing when the lock is not held.
  virtual void Release() = 0;
};

}  // namespace tessary
