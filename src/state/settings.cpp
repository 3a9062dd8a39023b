#include "state/settings.h"

#include "transitions/transition_catalogue.h"

namespace tessary {

std::array<KeyShortcut, kShortcutCount> DefaultShortcuts() {
  std::array<KeyShortcut, kShortcutCount> shortcuts;
  for (int i = 0; i < kShortcutCount; ++i) shortcuts[i] = kShortcutTable[i].defaultShortcut;
  return shortcuts;
}

// The effects are the transitions' catalogue; the settings only store its keys.
std::string_view EffectKey(int index) { return TransitionKey(index); }

std::string_view EffectName(int index) { return TransitionDisplayName(index); }

int EffectIndex(std::string_view key) { return TransitionIndex(key); }

bool MarkTipShown(Settings& settings, std::string_view tipId) {
  return settings.tipsShown.emplace(tipId).second;
}

}  // namespace tessary
