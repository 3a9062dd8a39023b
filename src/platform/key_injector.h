#pragma once

// Synthetic keystrokes. Every keystroke the program injects carries its tag in the
// extra-information field, so its own Escape watch lets them through.

#include <cstdint>
#include <vector>

#include "platform/input.h"

namespace tessary {

inline constexpr std::uintptr_t kInjectedKeyTag = 0x7050E5C;

struct KeyStroke {
  Key key = Key::kEscape;
  bool release = false;  // KEYEVENTF_KEYUP
};

class KeyInjector {
 public:
  virtual ~KeyInjector() = default;

  // SendInput with one keyboard input per stroke, in order, each tagged with
  // kInjectedKeyTag. The keys go where the system sends real ones (the foreground
  // window, or a move loop in progress). False when not all were inserted.
  virtual bool Send(const std::vector<KeyStroke>& strokes) = 0;
};

}  // namespace tessary
