#pragma once

// Runs this thread's messages, as the program's loop would, until `done` answers true or
// `limitSeconds` have passed; answers `done()`. The limit only keeps a broken test from
// hanging.

#include <windows.h>

#include <functional>

namespace tessary::testing {

inline bool PumpMessagesUntil(const std::function<bool()>& done, double limitSeconds = 5.0) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(limitSeconds * 1000);
  MSG message;
  while (!done() && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return done();
}

inline void PumpMessagesFor(double seconds) {
  PumpMessagesUntil([] { return false; }, seconds);
}

}  // namespace tessary::testing
