#pragma once

// Synthetic keystrokes through SendInput, each tagged so the Escape watch lets it pass.

#include "platform/key_injector.h"

namespace tessary {

class Win32KeyInjector : public KeyInjector {
 public:
  bool Send(const std::vector<KeyStroke>& strokes) override;
};

}  // namespace tessary
