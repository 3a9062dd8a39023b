#pragma once

// The names the keyboard gives its keys ("P", "Left", "Page Up"), for shortcut texts.

#include <cstdint>
#include <string>

namespace tessary {

class KeyNames {
 public:
  virtual ~KeyNames() = default;
  // The key's name for a virtual-key code, UTF-8; empty when the platform cannot name it.
  virtual std::string KeyName(std::uint32_t virtualKey) const = 0;
};

}  // namespace tessary
