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

}  // namespace

std::array<KeyShortcut, kShortcutCount> DefaultShortcuts() {
  std::array<KeyShortcut, kShortcutCount> shortcuts;
  for (int i = 0; i < kShortcutCount; ++i) shortcuts[i] = kShortcutTable[i].defaultShortcut;
  return shortcuts;
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
