#include "state/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "state/settings_file.h"
#include "state_test_support.h"

namespace tessary {
namespace {

// The state folder is named by the override, so the file is <temp>/state/settings.json.
class SettingsStoreTest : public testing::TempFolderTest {
 protected:
  SettingsStoreTest() { files.environment["TESSARY_STATE_DIR"] = folder; }
  Settings OnDisk() { return LoadSettings(files, path); }

  std::string folder = temp.File("state");
  std::string path = JoinPath(folder, "settings.json");
  MemoryStartupEntry entry;
};

TEST_F(SettingsStoreTest, StartUpTakesStartAtLoginFromTheEntryAndSaves) {
  files.CreateFolder(folder);
  testing::WriteWhole(path, R"({"startAtLogin":true,"stackOrder":"name"})");
  SettingsStore store(files, entry);  // the entry was deleted outside the program
  int applied = 0;
  store.SetOnApplied([&](const Settings&) { ++applied; });
  const Settings& settings = store.Load();
  EXPECT_FALSE(settings.startAtLogin);
  EXPECT_EQ(settings.stackOrder, "name");
  EXPECT_FALSE(OnDisk().startAtLogin);
  EXPECT_EQ(OnDisk().stackOrder, "name");
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(entry.Writes(), 0);  // start-up only reads the entry
}

TEST_F(SettingsStoreTest, ApplyChangesTheEntryOnlyWhenTheFlagChanges) {
  SettingsStore store(files, entry);
  store.Load();
  Settings next = store.Current();
  next.checkUpdates = true;
  store.Apply(next);
  EXPECT_EQ(entry.Writes(), 0);
  EXPECT_TRUE(OnDisk().checkUpdates);

  next.startAtLogin = true;
  store.Apply(next);
  EXPECT_TRUE(entry.IsRegistered());
  EXPECT_TRUE(OnDisk().startAtLogin);
  next.startAtLogin = false;
  store.Apply(next);
  EXPECT_FALSE(entry.IsRegistered());
  EXPECT_EQ(entry.Writes(), 2);
  // That the entry is the truth, refused or changed outside, is the settings window's
  // story (SettingsWindowStory.StartAtLoginIsReadFromTheSystemOnEveryOpening).
}

TEST_F(SettingsStoreTest, APackagedProgramIsAlwaysOnAndNeverWritesTheEntry) {
  MemoryStartupEntry packaged(/*registered=*/false, /*packaged=*/true);
  SettingsStore store(files, packaged);
  EXPECT_TRUE(store.StartAtLoginManagedByPackage());
  EXPECT_TRUE(store.Load().startAtLogin);
  Settings next = store.Current();
  next.startAtLogin = false;
  store.Apply(next);
  EXPECT_TRUE(store.Current().startAtLogin);
  EXPECT_EQ(packaged.Writes(), 0);
}

TEST_F(SettingsStoreTest, AStateFolderDeletedWhileRunningComesBackWithTheNextChange) {
  SettingsStore store(files, entry);
  store.Load();
  ASSERT_TRUE(testing::IsFolder(folder));
  std::filesystem::remove_all(std::filesystem::path(folder));
  Settings next = store.Current();
  next.lastSeenVersion = "2.1";
  store.Apply(next);
  EXPECT_TRUE(testing::IsFolder(folder));
  EXPECT_EQ(OnDisk().lastSeenVersion, "2.1");
}

TEST_F(SettingsStoreTest, WithoutAStateFolderNothingIsWritten) {
  files.environment.clear();  // and no local application data folder either
  SettingsStore store(files, entry);
  store.Load();
  Settings next = store.Current();
  next.lastSeenVersion = "9";
  store.Apply(next);
  EXPECT_EQ(store.Current().lastSeenVersion, "9");
  EXPECT_TRUE(files.changes.empty());
}

}  // namespace
}  // namespace tessary
