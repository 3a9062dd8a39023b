#include "state/shortcut_text.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_key_names.h"
#include "state/settings.h"

namespace tessary {
namespace {

TEST(ShortcutTextTest, ModifiersReadWinCtrlAltShift) {
  EXPECT_EQ(ModifierText(0), "");
  EXPECT_EQ(ModifierText(kModCtrl | kModAlt), "Ctrl+Alt+");
  EXPECT_EQ(ModifierText(kModShift | kModWin | kModAlt | kModCtrl), "Win+Ctrl+Alt+Shift+");
  EXPECT_EQ(ModifierText(kModShift | 0x4000), "Shift+");  // unknown bits say nothing
}

TEST(ShortcutTextTest, KeysAreNamedByTheKeyboard) {
  SimKeyNames names;
  EXPECT_EQ(ShortcutText(names, 0x50, 3), "Ctrl+Alt+P");
  EXPECT_EQ(ShortcutText(names, 0xDD, 3), "Ctrl+Alt+]");
  EXPECT_EQ(ShortcutText(names, 0xDB, 3), "Ctrl+Alt+[");
  EXPECT_EQ(ShortcutText(names, 0x25, 3), "Ctrl+Alt+Left");  // the extended key's name
  EXPECT_EQ(ShortcutText(names, 0x22, kModShift), "Shift+Page Down");
  EXPECT_EQ(ShortcutText(names, 0x70, 0), "F1");
  EXPECT_EQ(ShortcutText(names, 0, 3), "None");
  EXPECT_EQ(ShortcutText(names, 0xE8, 3), "Ctrl+Alt+Key 232");  // a key with no name

  names.SetName(0x50, "");
  EXPECT_EQ(ShortcutText(names, 0x50, kModAlt), "Alt+Key 80");
  names.SetName(0x50, "П");
  EXPECT_EQ(ShortcutText(names, 0x50, kModAlt), "Alt+П");
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
  const char* keys[] = {"shuffle", "cards", "genie", "tornado", "melt", "disintegrate"};
  const char* names[] = {"Slide", "3D Cards", "Genie", "Tornado", "Melt", "Disintegrate"};
  for (int i = 0; i < kEffectCount; ++i) {
    EXPECT_EQ(EffectKey(i), keys[i]);
    EXPECT_EQ(EffectName(i), names[i]);
    EXPECT_EQ(EffectIndex(keys[i]), i);
  }
  EXPECT_EQ(EffectIndex("slide"), 0);
  EXPECT_EQ(EffectIndex("Cards"), 0);
  EXPECT_EQ(EffectIndex(""), 0);
  EXPECT_EQ(EffectKey(-1), "shuffle");
  EXPECT_EQ(EffectName(6), "Slide");
}

}  // namespace
}  // namespace tessary
