#include "platform/win32/instance_lock_win32.h"

#include "platform/win32/wide_text.h"

namespace tessary {

InstanceLockResult Win32InstanceLock::Acquire(const std::string& name) {
  Release();
  const std::wstring wide = WideFromUtf8(name);
  HANDLE mutex = CreateMutexW(nullptr, TRUE, wide.c_str());
  // Read before anything else can overwrite the thread's last error.
  const DWORD error = GetLastError();
  if (mutex == nullptr) {
    // Another user's copy under the same name in a global namespace answers "access
    // denied": that copy is not ours to defer to, so this one runs unlocked.
    return InstanceLockResult::kFailed;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return InstanceLockResult::kAlreadyRunning;
  }
  mutex_ = mutex;
  return InstanceLockResult::kAcquired;
}

void Win32InstanceLock::Release() {
  if (mutex_ == nullptr) return;
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace tessary
