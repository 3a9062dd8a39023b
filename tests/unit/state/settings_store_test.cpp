#include "state/settings_store.h"

#include <gtest/gtest.h>

#include "state/settings_file.h"
#include "state_test_support.h"

namespace tessary {
namespace {

using testing::ReadWhole;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteWhole;

class SettingsStoreTest : public ::testing::Test {
 protected:
  Settings OnDisk() { return LoadSettings(files, path); }

  TempFolder temp;
  TestFileSystem files;
  std::string path = temp.File("settings.json");
};

TEST_F(SettingsStoreTest, StartUpTakesStartAtLoginFromTheEntryAndSaves) {
  WriteWhole(path, R"({"startAtLogin":true,"stackOrder":"name"})");
  MemoryStartupEntry entry(/*registered=*/false);  // deleted outside the program
  SettingsStore store(files, entry, path);
  int applied = 0;
  store.SetOnApplied([&](const Settings&) { ++applied; });
  const Settings& settings = store.Load();
  EXPECT_FALSE(settings.startAtLogin);
  EXPECT_EQ(settings.stackOrder, "name");
  EXPECT_FALSE(OnDisk().startAtLogin);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(entry.Writes(), 0);  // start-up only reads the entry
}

TEST_F(SettingsStoreTest, ApplyChangesTheEntryOnlyWhenTheFlagChanges) {
  MemoryStartupEntry entry;
  SettingsStore store(files, entry, path);
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
}

TEST_F(SettingsStoreTest, ARefusedEntryShowsAsNotMade) {
  MemoryStartupEntry entry;
  entry.FailWrites(true);
  SettingsStore store(files, entry, path);
  store.Load();
  Settings next = store.Current();
  next.startAtLogin = true;
  store.Apply(next);
  EXPECT_FALSE(store.Current().startAtLogin);
  EXPECT_FALSE(OnDisk().startAtLogin);
}

TEST_F(SettingsStoreTest, OpeningTheWindowRefreshesFromTheEntry) {
  MemoryStartupEntry entry(/*registered=*/true);
  SettingsStore store(files, entry, path);
  EXPECT_TRUE(store.Load().startAtLogin);
  entry.SetOutside(false);
  EXPECT_FALSE(store.RefreshStartAtLogin().startAtLogin);
  EXPECT_FALSE(OnDisk().startAtLogin);
}

TEST_F(SettingsStoreTest, APackagedProgramIsAlwaysOnAndNeverWritesTheEntry) {
  MemoryStartupEntry entry(/*registered=*/false, /*packaged=*/true);
  SettingsStore store(files, entry, path);
  EXPECT_TRUE(store.StartAtLoginManagedByPackage());
  EXPECT_TRUE(store.Load().startAtLogin);
  Settings next = store.Current();
  next.startAtLogin = false;
  store.Apply(next);
  EXPECT_TRUE(store.Current().startAtLogin);
  EXPECT_EQ(entry.Writes(), 0);
  EXPECT_TRUE(IsStartAtLoginRegistered(entry));
}

TEST_F(SettingsStoreTest, ATipIsShownOnceAndRemembered) {
  MemoryStartupEntry entry;
  {
    SettingsStore store(files, entry, path);
    store.Load();
    int shown = 0;
    EXPECT_TRUE(store.ShowTipOnce(kTipSpan, [&] { ++shown; }));
    EXPECT_FALSE(store.ShowTipOnce(kTipSpan, [&] { ++shown; }));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(OnDisk().tipsShown, (std::set<std::string>{"span"}));
  }
  SettingsStore nextRun(files, entry, path);
  nextRun.Load();
  EXPECT_FALSE(nextRun.ShowTipOnce(kTipSpan, [] { FAIL() << "shown twice"; }));
  EXPECT_TRUE(nextRun.ShowTipOnce(kTipBadge, nullptr));
}

TEST_F(SettingsStoreTest, WithoutAPathNothingIsWritten) {
  MemoryStartupEntry entry;
  SettingsStore store(files, entry, "");
  store.Load();
  Settings next = store.Current();
  next.lastSeenVersion = "9";
  store.Apply(next);
  EXPECT_EQ(store.Current().lastSeenVersion, "9");
  EXPECT_TRUE(files.changes.empty());
}

}  // namespace
}  // namespace tessary
