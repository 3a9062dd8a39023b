#pragma once

// Key names of a simulated US keyboard, as Windows names its keys ("P", "Left",
// "Page Up", "["). Tests can rename or unname keys.

#include <map>

#include "platform/key_names.h"

namespace tessary {

class SimKeyNames : public KeyNames {
 public:
  SimKeyNames();

  std::string KeyName(std::uint32_t virtualKey) const override;

  // An empty name makes the key one that the keyboard cannot name.
  void SetName(std::uint32_t virtualKey, std::string name);

 private:
  std::map<std::uint32_t, std::string> names_;
};

}  // namespace tessary
