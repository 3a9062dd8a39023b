#include "state/settings.h"

namespace tessary {
namespace {

struct EffectInfo {
  std::string_view key;
  std::string_view name;
};

constexpr std::array<EffectInfo, kEffectCount> kEffects = {{
    {"shuffle", "Slide"},
    {"cards", "3D Cards"},
    {"genie", "Genie"},
    {"tornado", "Tornado"},
    {"melt", "Melt"},
    {"disintegrate", "Disintegrate"},
}};

const EffectInfo& EffectAt(int index) {
  return kEffects[index >= 0 && index < kEffectCount ? index : 0];
}

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

std::string_view EffectKey(int index) { return EffectAt(index).key; }

std::string_view EffectName(int index) { return EffectAt(index).name; }

int EffectIndex(std::string_view key) {
  for (int i = 0; i < kEffectCount; ++i) {
    if (kEffects[i].key == key) return i;
  }
  return 0;
}

bool MarkTipShown(Settings& settings, std::string_view tipId) {
  return settings.tipsShown.emplace(tipId).second;
}

}  // namespace tessary
