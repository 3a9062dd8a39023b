#include "state/settings.h"

#include "transitions/transition_catalogue.h"

namespace tessary {
namespace {

// One of the eleven; anything else reads as the first.
std::size_t ShortcutSlot(int command) {
  return static_cast<std::size_t>(command >= 0 && command < kShortcutCount ? command : 0);
}

}  // namespace

std::array<KeyShortcut, kShortcutCount> DefaultShortcuts() {
  std::array<KeyShortcut, kShortcutCount> shortcuts;
  for (int i = 0; i < kShortcutCount; ++i) shortcuts[i] = kShortcutTable[i].defaultShortcut;
  return shortcuts;
}

std::array<KeyShortcut, kMoveShortcutCount> DefaultMoveShortcuts() {
  std::array<KeyShortcut, kMoveShortcutCount> shortcuts;
  for (int i = 0; i < kMoveShortcutCount; ++i) {
    shortcuts[i] = kMoveShortcutTable[i].defaultShortcut;
  }
  return shortcuts;
}

const ShortcutInfo& CommandShortcutInfo(int command) {
  if (command >= kShortcutCount && command < kCommandCount) {
    return kMoveShortcutTable[static_cast<std::size_t>(command - kShortcutCount)];
  }
  return kShortcutTable[ShortcutSlot(command)];
}

const KeyShortcut& CommandKeys(const Settings& settings, int command) {
  if (command >= kShortcutCount && command < kCommandCount) {
    return settings.moveShortcuts[static_cast<std::size_t>(command - kShortcutCount)];
  }
  return settings.shortcuts[ShortcutSlot(command)];
}

KeyShortcut& CommandKeys(Settings& settings, int command) {
  return const_cast<KeyShortcut&>(CommandKeys(static_cast<const Settings&>(settings), command));
}

// The effects are the transitions' catalogue; the settings only store its keys.
std::string_view EffectKey(int index) { return TransitionKey(index); }

std::string_view EffectName(int index) { return TransitionDisplayName(index); }

int EffectIndex(std::string_view key) { return TransitionIndex(key); }

bool MarkTipShown(Settings& settings, std::string_view tipId) {
  return settings.tipsShown.emplace(tipId).second;
}

}  // namespace tessary
