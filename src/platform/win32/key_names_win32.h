#pragma once

// Key names from the keyboard layout in use (GetKeyNameTextW).

#include "platform/key_names.h"

namespace tessary {

// The navigation keys share scan codes with the number pad; only the extended-key flag
// makes the layout name them "Left" or "Page Up" instead of "Num 4" or "Num 9".
bool IsExtendedKey(std::uint32_t virtualKey);

class Win32KeyNames : public KeyNames {
 public:
  std::string KeyName(std::uint32_t virtualKey) const override;
};

}  // namespace tessary
