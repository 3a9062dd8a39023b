#pragma once

// The reference count of a COM object the program implements itself: it starts with its
// creator's reference and deletes the object when the last one goes. Screen readers hold
// such objects from other threads and processes, so the count is atomic.

#include <windows.h>

#include <atomic>

namespace tessary {

template <typename Interface>
class CountedComObject : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  CountedComObject() = default;
  virtual ~CountedComObject() = default;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace tessary
