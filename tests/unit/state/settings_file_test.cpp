#include "state/settings_file.h"

#include <gtest/gtest.h>

#include "state_test_support.h"

namespace tessary {
namespace {

using testing::ReadWhole;
using testing::WriteWhole;

constexpr char kDefaultsText[] =
    R"({"startAtLogin":false,"checkUpdates":false,"lastUpdateCheck":0,)"
    R"("windowStacksEnabled":true,"stackBadgesEnabled":true,"stackBadgesOnEdge":true,)"
    R"("stackTransition":"shuffle","stackOrder":"lastUsed","lastSeenVersion":"",)"
    R"("tipsShown":[],"shortcuts":{},"mouseShortcuts":{}})";

TEST(SettingsTest, DefaultsAreWrittenInMemberOrderAndAnythingButAnObjectReadsAsThem) {
  EXPECT_EQ(SerializeSettings(Settings{}), kDefaultsText);
  EXPECT_EQ(ParseSettings(kDefaultsText), Settings{});
  // The default keys and their names are the shortcut and settings window stories'.
  EXPECT_EQ(Settings{}.mouseShortcuts, (std::array<MouseShortcut, kShortcutCount>{}));
  EXPECT_EQ(kShortcutTable[7].id, "sendToBack");
  for (const char* text : {"", "[]", "\"x\"", "{\"checkUpdates\":true", "nul"}) {
    bool parsed = true;
    EXPECT_EQ(ParseSettings(text, &parsed), Settings{}) << text;
    EXPECT_FALSE(parsed) << text;
  }
}

TEST(SettingsTest, EachKeyIsTakenOnlyWithItsKind) {
  Settings settings = ParseSettings(
      R"({"startAtLogin":true,"checkUpdates":1,"windowStacksEnabled":"false",)"
      R"("stackBadgesEnabled":false,"stackBadgesOnEdge":null,"stackTransition":"slide",)"
      R"("stackOrder":"Name","tipsShown":["span",7,"badge","span"],)"
      R"("checkUpdates":true})");
  EXPECT_TRUE(settings.startAtLogin);
  EXPECT_FALSE(settings.checkUpdates);        // the first member counts, and 1 is no bool
  EXPECT_TRUE(settings.windowStacksEnabled);  // the string "false" leaves the default
  EXPECT_FALSE(settings.stackBadgesEnabled);
  EXPECT_TRUE(settings.stackBadgesOnEdge);
  EXPECT_EQ(settings.stackTransition, "slide");         // kept as written ...
  EXPECT_EQ(EffectIndex(settings.stackTransition), 0);  // ... and acts as "shuffle"
  EXPECT_EQ(settings.stackOrder, "lastUsed");           // the match is exact and case-sensitive
  EXPECT_EQ(settings.tipsShown, (std::set<std::string>{"badge", "span"}));

  EXPECT_EQ(ParseSettings(R"({"stackOrder":5})").stackOrder, "lastUsed");
  EXPECT_EQ(ParseSettings(R"({"tipsShown":"span"})").tipsShown.size(), 0u);
}

TEST(SettingsTest, LastUpdateCheckIsATruncatedIntegerOrZero) {
  // Beyond a 64-bit integer, or not a number at all: 0, never an undefined conversion.
  const std::pair<const char*, std::int64_t> cases[] = {{"1733480000.9", 1733480000},
                                                        {"-5.5", -5},
                                                        {"\"1733480000\"", 0},
                                                        {"133779000000000000", 133779000000000000},
                                                        {"1e19", 0},
                                                        {"-1e300", 0},
                                                        {"nan", 0},
                                                        {"-infinity", 0}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseSettings(std::string(R"({"lastUpdateCheck":)") + text + "}").lastUpdateCheck,
              expected)
        << text;
  }
}

TEST(SettingsTest, ShortcutsReadPerIdAndOnlyDifferencesAreWritten) {
  Settings settings = ParseSettings(
      R"({"shortcuts":{"place":{},"layouts":{"vk":80,"mods":3},"adjust":{"vk":65.9,"mods":"3"},)"
      R"("stack":{"vk":-1,"mods":6},"overview":{"mods":3},"unknown":{"vk":1,"mods":1}}})");
  EXPECT_EQ(settings.shortcuts[0], (KeyShortcut{0, 0}));  // an empty object turns it off
  EXPECT_EQ(settings.shortcuts[1], (KeyShortcut{0x50, 3}));
  EXPECT_EQ(settings.shortcuts[2], (KeyShortcut{0x41, 0}));  // truncated; mods of the wrong kind
  EXPECT_EQ(settings.shortcuts[3], (KeyShortcut{0, 6}));     // no negative key codes
  EXPECT_EQ(settings.shortcuts[4], (KeyShortcut{0, 3}));     // without "vk" it is off
  EXPECT_EQ(settings.shortcuts[5], kShortcutTable[5].defaultShortcut);

  // "place" with vk 80 and mods 3 equals the default and is not written back.
  Settings defaults = ParseSettings(R"({"shortcuts":{"place":{"vk":80,"mods":3}}})");
  EXPECT_EQ(defaults, Settings{});

  std::string text = SerializeSettings(settings);
  EXPECT_NE(text.find(R"("shortcuts":{"place":{"vk":0,"mods":0},"layouts":{"vk":80,"mods":3},)"
                      R"("adjust":{"vk":65,"mods":0},"stack":{"vk":0,"mods":6},)"
                      R"("overview":{"vk":0,"mods":3}})"),
            std::string::npos)
      << text;
  EXPECT_EQ(ParseSettings(text), settings);
}

TEST(SettingsTest, MouseShortcutsKeepOnlyRealButtons) {
  Settings settings =
      ParseSettings(R"({"mouseShortcuts":{"next":{"button":4,"mods":2},"previous":{"button":5},)"
                    R"("fill":{"button":9,"mods":1},"stack":{"button":2,"mods":2},"place":[]}})");
  EXPECT_EQ(settings.mouseShortcuts[5], (MouseShortcut{4, 2}));
  EXPECT_EQ(settings.mouseShortcuts[6], (MouseShortcut{5, 0}));
  EXPECT_EQ(settings.mouseShortcuts[8], (MouseShortcut{9, 1}));
  EXPECT_EQ(settings.mouseShortcuts[3], MouseShortcut{});  // below the middle button: none
  EXPECT_EQ(settings.mouseShortcuts[0], MouseShortcut{});

  std::string text = SerializeSettings(settings);
  EXPECT_NE(text.find(R"("mouseShortcuts":{"next":{"button":4,"mods":2},)"
                      R"("previous":{"button":5,"mods":0},"fill":{"button":9,"mods":1}}})"),
            std::string::npos)
      << text;
  EXPECT_EQ(ParseSettings(text), settings);
}

// The fields of an earlier version's file and the settings window's switches are written
// and read back in the stories (RegionMoveStory, SettingsWindowStory).
TEST(SettingsTest, EveryOtherFieldIsWrittenInItsPlaceAndReadBack) {
  Settings settings;
  settings.lastUpdateCheck = -42;
  settings.windowStacksEnabled = false;
  settings.stackBadgesOnEdge = false;
  settings.lastSeenVersion = "0.1.5 \"beta\"\n";
  settings.tipsShown = {"switcher", "dropMenu", "ownLayouts"};
  const std::string text = SerializeSettings(settings);
  EXPECT_EQ(
      text,
      R"({"startAtLogin":false,"checkUpdates":false,"lastUpdateCheck":-42,)"
      R"("windowStacksEnabled":false,"stackBadgesEnabled":true,"stackBadgesOnEdge":false,)"
      R"("stackTransition":"shuffle","stackOrder":"lastUsed",)"
      R"("lastSeenVersion":"0.1.5 \"beta\"\n","tipsShown":["dropMenu","ownLayouts","switcher"],)"
      R"("shortcuts":{},"mouseShortcuts":{}})");
  EXPECT_EQ(ParseSettings(text), settings);
}

class SettingsFileTest : public testing::TempFolderTest {
 protected:
  std::string path = temp.File("settings.json");
};

TEST_F(SettingsFileTest, OversizedFileGivesTheDefaults) {
  WriteWhole(path, R"({"checkUpdates":true,"pad":")" + std::string(1024 * 1024, ' ') + "\"}");
  EXPECT_EQ(LoadSettings(files, path), Settings{});
  WriteWhole(path, R"({"checkUpdates":true})" + std::string(1024 * 1024 - 21, ' '));
  EXPECT_TRUE(LoadSettings(files, path).checkUpdates);  // exactly 1 MiB still reads
}

// Torn writes themselves are the atomic write's concern (StateStoreTest); this only
// pins that settings are saved through it and never written in place.
TEST_F(SettingsFileTest, AFailedSaveLeavesThePreviousFile) {
  SaveSettings(files, Settings{}, path);
  Settings next;
  next.lastSeenVersion = "2";
  files.fault = testing::Fault::kDiskFull;
  SaveSettings(files, next, path);
  EXPECT_EQ(ReadWhole(path), kDefaultsText);
}

TEST_F(SettingsFileTest, AnUnreadableFileIsKeptAsideBeforeItIsReplaced) {
  std::string typo = R"({"checkUpdates":true,,"stackOrder":"name"})";
  WriteWhole(path, typo);
  SaveSettings(files, Settings{}, path);
  EXPECT_EQ(ReadWhole(path + ".unreadable"), typo);
  EXPECT_EQ(ReadWhole(path), kDefaultsText);

  // A readable file is simply replaced.
  SaveSettings(files, Settings{}, path);
  EXPECT_FALSE(files.Exists(path + ".unreadable-2"));
}

}  // namespace
}  // namespace tessary
