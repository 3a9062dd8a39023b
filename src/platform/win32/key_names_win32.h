#pragma once

// Key names from the keyboard layout in use (GetKeyNameTextW).

#include "platform/key_names.h"

namespace tessary {

class Win32KeyNames : public KeyNames {
 public:
  std::string KeyName(std::uint32_t virtualKey) const override;
};

}  // namespace tessary
