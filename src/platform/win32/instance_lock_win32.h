#pragma once

// The single-instance lock on Windows: a named mutex, owned from its creation and held
// until the program ends.

#include <windows.h>

#include "platform/instance_lock.h"

namespace tessary {

class Win32InstanceLock : public InstanceLock {
 public:
  Win32InstanceLock() = default;
  ~Win32InstanceLock() override { Release(); }
  Win32InstanceLock(const Win32InstanceLock&) = delete;
  Win32InstanceLock& operator=(const Win32InstanceLock&) = delete;

  InstanceLockResult Acquire(const std::string& name) override;
  void Release() override;

 private:
  HANDLE mutex_ = nullptr;
};

}  // namespace tessary
