#include "state/shortcut_text.h"

#include "state/settings.h"

namespace tessary {

std::string ModifierText(std::uint32_t modifiers) {
  std::string text;
  if (modifiers & kModWin) text += "Win+";
  if (modifiers & kModCtrl) text += "Ctrl+";
  if (modifiers & kModAlt) text += "Alt+";
  if (modifiers & kModShift) text += "Shift+";
  return text;
}

std::string ShortcutText(const KeyNames& names, std::uint32_t key, std::uint32_t modifiers) {
  if (key == 0) return "None";
  std::string name = names.KeyName(key);
  if (name.empty()) name = "Key " + std::to_string(key);
  return ModifierText(modifiers) + name;
}

std::string MouseShortcutText(std::uint32_t button, std::uint32_t modifiers) {
  if (button < kMouseMiddle) return "None";
  const char* name = button == kMouseMiddle ? "Middle Click"
                     : button == kMouseBack ? "Back Button"
                                            : "Forward Button";
  return ModifierText(modifiers) + name;
}

}  // namespace tessary
