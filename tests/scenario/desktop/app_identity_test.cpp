#include "desk_fixture.h"

namespace tessary {
namespace {

using AppIdentity = DeskTest;

TEST_F(AppIdentity, PackagedAppInAFrameIsNamedByTheInnerWindowsProcess) {
  ProcessId host =
      desk.AddProcess({.imagePath = "C:\\Windows\\System32\\ApplicationFrameHost.exe"});
  ProcessId app = desk.AddProcess({.imagePath = "C:\\Program Files\\WindowsApps\\Notes\\Notes.exe",
                                   .userModelId = "Contoso.Notes_abc!App"});
  WindowId frame = desk.AddWindow({.className = "ApplicationFrameWindow", .process = host});
  desk.AddWindow({.className = "Windows.UI.Core.CoreWindow", .process = app, .parent = frame});
  EXPECT_EQ(desktop.AppIdOf(frame), "aumid:Contoso.Notes_abc!App");
  EXPECT_EQ(desktop.AppName(desktop.AppIdOf(frame)), "Notes");
  // The window's own name comes from the executable, never the package.
  EXPECT_EQ(desktop.AppNameOfWindow(frame), "Notes");
  desk.AddFile("C:\\Program Files\\WindowsApps\\Notes\\Notes.exe", "Contoso Notes");
  EXPECT_EQ(desktop.AppNameOfWindow(frame), "Contoso Notes");

  // A frame whose app has not attached yet belongs to its host.
  WindowId empty = desk.AddWindow({.className = "ApplicationFrameWindow", .process = host});
  EXPECT_EQ(desktop.AppIdOf(empty), "C:\\Windows\\System32\\ApplicationFrameHost.exe");
}

TEST_F(AppIdentity, NamesOfAppIdsAndAProcessThatCannotBeOpenedHasNone) {
  EXPECT_EQ(desktop.AppName("aumid:NoDots_abc"), "NoDots");
  EXPECT_EQ(desktop.AppName("C:\\Any Folder\\my.tool.exe"), "my.tool");
  EXPECT_EQ(desktop.AppName("C:\\Dotted.Folder\\tool"), "tool");
  EXPECT_EQ(desktop.AppName("plain"), "plain");
  desk.AddFile("C:\\Apps\\calc.exe", "Fancy Calculator");
  EXPECT_EQ(desktop.AppName("C:\\Apps\\calc.exe"), "Fancy Calculator");
  desk.AddFile("C:\\Apps\\blank.exe", "");
  EXPECT_EQ(desktop.AppName("C:\\Apps\\blank.exe"), "blank");

  WindowId w = desk.AddWindow({.process = desk.AddProcess({.openable = false})});
  EXPECT_EQ(desktop.AppIdOf(w), "");
  EXPECT_EQ(desktop.AppNameOfWindow(w), "");
  EXPECT_EQ(desktop.AppName(""), "");
  EXPECT_EQ(desktop.AppIdOf(WindowId{12345}), "");  // no such window
}

TEST_F(AppIdentity, LaunchingApps) {
  desk.AddFile("C:\\Apps\\editor.exe");
  EXPECT_TRUE(desktop.LaunchApp("C:\\Apps\\editor.exe"));
  EXPECT_TRUE(desktop.LaunchApp("aumid:Contoso.Notes_abc!App"));
  EXPECT_FALSE(desktop.LaunchApp("C:\\Gone\\old.exe"));
  ASSERT_EQ(desk.Launches().size(), 2u);  // the missing path is not even tried
  EXPECT_EQ(desk.Launches()[0].file, "C:\\Apps\\editor.exe");
  EXPECT_EQ(desk.Launches()[0].parameters, "");
  EXPECT_EQ(desk.Launches()[1].file, "explorer.exe");
  EXPECT_EQ(desk.Launches()[1].parameters, "shell:AppsFolder\\Contoso.Notes_abc!App");
}

TEST_F(AppIdentity, WindowIconFallsThroughToTheDefault) {
  IconId big = desk.NewIcon();
  IconId smallOne = desk.NewIcon();
  IconId cls = desk.NewIcon();
  WindowId withBig = desk.AddWindow({.bigIcon = big, .smallIcon = smallOne});
  WindowId withSmall = desk.AddWindow({.smallIcon = smallOne, .classIcon = cls});
  WindowId withClass = desk.AddWindow({.classIcon = cls});
  WindowId hung = desk.AddWindow({.hung = true, .classIcon = cls});
  WindowId bare = desk.AddWindow({});
  EXPECT_EQ(desktop.WindowIcon(withBig), big);
  EXPECT_EQ(desktop.WindowIcon(withSmall), smallOne);
  EXPECT_EQ(desktop.WindowIcon(withClass), cls);
  EXPECT_EQ(desktop.WindowIcon(bare), desk.DefaultIcon());
  double before = desk.Now();
  EXPECT_EQ(desktop.WindowIcon(hung), cls);
  EXPECT_NEAR(desk.Now() - before, 0.1, 1e-9);  // two timed-out questions
}

TEST_F(AppIdentity, IconForAppIsCachedButMissesAreNot) {
  ProcessId p = desk.AddProcess({.imagePath = "C:\\Apps\\editor.exe"});
  desk.AddWindow({.process = p});
  IconId fileIcon = desk.FileIconOf("C:\\Apps\\editor.exe");
  ASSERT_NE(fileIcon, kNoIcon);
  EXPECT_EQ(desktop.IconForApp("C:\\Apps\\editor.exe"), fileIcon);
  desk.ResetCalls();
  EXPECT_EQ(desktop.IconForApp("C:\\Apps\\editor.exe"), fileIcon);
  EXPECT_EQ(desk.TotalCalls(), 0);

  // A packaged app without a window: nothing, and nothing remembered.
  const std::string notes = "aumid:Contoso.Notes_abc!App";
  EXPECT_EQ(desktop.IconForApp(notes), kNoIcon);
  IconId notesIcon = desk.NewIcon();
  ProcessId app = desk.AddProcess({.userModelId = "Contoso.Notes_abc!App"});
  desk.AddWindow({.process = app, .bigIcon = notesIcon});
  EXPECT_EQ(desktop.IconForApp(notes), notesIcon);
  EXPECT_EQ(desktop.IconForApp(""), kNoIcon);
}

TEST_F(AppIdentity, ElevationBlocksOnlyAnUnelevatedProgramWithoutUiAccessAndThePackageIsSeen) {
  WindowId admin = desk.AddWindow({.process = desk.AddProcess({.elevated = true})});
  WindowId normal = desk.AddWindow({});
  WindowId sealed = desk.AddWindow({.process = desk.AddProcess({.openable = false})});
  EXPECT_TRUE(desktop.IsBlockedByElevation(admin));
  EXPECT_FALSE(desktop.IsBlockedByElevation(normal));
  EXPECT_TRUE(desktop.IsBlockedByElevation(sealed));

  desk.SetOwnElevated(true);
  EXPECT_FALSE(desktop.IsBlockedByElevation(admin));
  desk.SetOwnElevated(false);

  Desktop withAccess(desk.platform());
  desk.SetOwnUiAccess(true);
  EXPECT_FALSE(withAccess.IsBlockedByElevation(admin));
  desk.SetOwnUiAccess(false);  // remembered for the life of the process
  EXPECT_FALSE(withAccess.IsBlockedByElevation(admin));

  EXPECT_FALSE(desktop.IsPackagedProcess());
  desk.SetOwnPackage("Quillfrost.Tessary_1234");
  EXPECT_TRUE(desktop.IsPackagedProcess());
}

}  // namespace
}  // namespace tessary
