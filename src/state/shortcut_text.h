#pragma once

// How shortcuts read in menus and in the settings window: "Ctrl+Alt+P", "Middle Click".

#include <cstdint>
#include <string>

#include "platform/key_names.h"

namespace tessary {

// "Win+", "Ctrl+", "Alt+", "Shift+" for the bits that are set, in that order.
std::string ModifierText(std::uint32_t modifiers);

// "None" for key 0; otherwise the modifiers followed by the keyboard's name for the key,
// or "Key <code>" when the keyboard cannot name it.
std::string ShortcutText(const KeyNames& names, std::uint32_t key, std::uint32_t modifiers);

// "None" for codes below 3; otherwise the modifiers followed by "Middle Click",
// "Back Button" or "Forward Button".
std::string MouseShortcutText(std::uint32_t button, std::uint32_t modifiers);

}  // namespace tessary
