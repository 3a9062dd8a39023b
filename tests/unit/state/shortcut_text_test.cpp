#include "state/shortcut_text.h"

#include <gtest/gtest.h>

#include "state/settings.h"

namespace tessary {
namespace {

TEST(ShortcutTextTest, ModifiersReadWinCtrlAltShift) {
  EXPECT_EQ(ModifierText(kModShift | kModWin | kModAlt | kModCtrl), "Win+Ctrl+Alt+Shift+");
  EXPECT_EQ(ModifierText(kModShift | 0x4000), "Shift+");  // unknown bits say nothing
}

// A keyboard that names only Left and Page Down, with names no real keyboard uses, so the
// text can only come from the keyboard it is given.
class TwoKeyNames : public KeyNames {
 public:
  std::string KeyName(std::uint32_t key) const override {
    return key == 0x25 ? "Gauche" : key == 0x22 ? "\xD0\x9F" : "";
  }
};

TEST(ShortcutTextTest, KeysAreNamedByTheKeyboardOrByTheirCode) {
  const TwoKeyNames names;
  EXPECT_EQ(ShortcutText(names, 0x25, 3), "Ctrl+Alt+Gauche");
  EXPECT_EQ(ShortcutText(names, 0x22, kModShift | kModWin), "Win+Shift+\xD0\x9F");
  EXPECT_EQ(ShortcutText(names, 0x50, kModAlt), "Alt+Key 80");
  EXPECT_EQ(ShortcutText(names, 0xE8, 0), "Key 232");
  EXPECT_EQ(ShortcutText(names, 0, 3), "None");
  EXPECT_EQ(ShortcutText(names, 0x25, 0), "Gauche");
}

TEST(ShortcutTextTest, MouseButtons) {
  EXPECT_EQ(MouseShortcutText(0, 3), "None");
  EXPECT_EQ(MouseShortcutText(2, 3), "None");
  EXPECT_EQ(MouseShortcutText(3, kModCtrl), "Ctrl+Middle Click");
  EXPECT_EQ(MouseShortcutText(4, 0), "Back Button");
  EXPECT_EQ(MouseShortcutText(5, kModWin), "Win+Forward Button");
  EXPECT_EQ(MouseShortcutText(9, 0), "Forward Button");
}

TEST(EffectsTest, KeysNamesAndIndexes) {
  // The names: SettingsWindowStory.EachControlAppliesAtOnceAndIsSaved.
  const char* keys[] = {"shuffle", "cards", "genie", "tornado", "melt", "disintegrate"};
  for (int i = 0; i < kEffectCount; ++i) {
    EXPECT_EQ(EffectKey(i), keys[i]);
    EXPECT_EQ(EffectIndex(keys[i]), i);
  }
  EXPECT_EQ(EffectIndex("Cards"), 0);
  EXPECT_EQ(EffectIndex(""), 0);
  EXPECT_EQ(EffectKey(-1), "shuffle");
  EXPECT_EQ(EffectName(6), "Slide");
}

}  // namespace
}  // namespace tessary
